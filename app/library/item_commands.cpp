#include "app/library/item_commands.h"

#include <algorithm>
#include <optional>

#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

void reportDbError(platform::MessageSink& sink, const char* messageUtf8, const std::string& error) {
  sink.show(sjis(messageUtf8) + error, sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
}

struct TransactionEnd {
  bool committed = false;
  std::optional<std::string> error;  // of a failed BEGIN or COMMIT
};

// Runs `statementOf(i)` for i in [0, count) between BEGIN and COMMIT. A
// failed statement calls `failed` and the walk goes on, unless it took the
// transaction with it: the rest would then be written one by one, outside it.
// A failed COMMIT is rolled back.
template <typename StatementOf, typename Failed>
TransactionEnd inTransaction(db::DbConnection& db, std::size_t count, StatementOf statementOf, Failed failed) {
  db::WriteTransaction transaction(db);
  if (auto error = transaction.begin()) return {false, error};
  for (std::size_t i = 0; i < count; ++i) {
    if (auto error = db.execute(statementOf(i))) {
      failed(*error);
      if (!transaction.isOpen()) return {};
    }
  }
  if (auto error = transaction.commit()) return {false, error};
  return {true, std::nullopt};
}

// One statement per key in one transaction; the text of the last failure, if
// any, once the transaction has ended.
bool runPerKey(const std::string& dbPath, const std::vector<std::string>& keys, const std::string& head,
               const char* failureUtf8, platform::MessageSink& sink) {
  db::DbConnection db;
  db.open(dbPath);
  std::optional<std::string> lastError;
  const TransactionEnd ended = inTransaction(
      db, keys.size(), [&](std::size_t i) { return head + db::sqlText(keys[i]) + " ;"; },
      [&](const std::string& error) { lastError = error; });
  if (ended.error) lastError = ended.error;
  if (!lastError) return true;
  reportDbError(sink, failureUtf8, *lastError);
  return false;
}

}  // namespace

int favouriteSlot(int commandId) {
  const int slot = commandId - 1135;
  return slot >= 0 && slot <= 9 ? slot : 0;
}

std::string favouriteAfter(const std::string& fave, int slot, bool add) {
  const char digit = static_cast<char>('0' + slot);
  if (add) return fave + digit;
  std::string rest = fave;
  rest.erase(std::remove(rest.begin(), rest.end(), digit), rest.end());
  return rest;
}

FavouriteResult changeFavourite(const std::string& dbPath, int slot, FavouriteMode mode,
                                const std::vector<FavouriteItem>& items, platform::MessageSink& sink) {
  FavouriteResult result;
  if (items.empty()) return result;
  if (slot < 0 || slot > 9) slot = 0;
  const char digit = static_cast<char>('0' + slot);
  result.ran = true;
  result.added = mode == FavouriteMode::Add ||
                 (mode == FavouriteMode::Toggle && items.front().fave.find(digit) == std::string::npos);
  db::DbConnection db;
  db.open(dbPath);
  const char* failureUtf8 = "お気に入りテーブルを更新できませんでした。\n";
  const auto statementOf = [&](std::size_t i) {
    const FavouriteItem& item = items[i];
    const std::string fave = favouriteAfter(item.fave, slot, result.added);
    return fave.empty() ? "DELETE FROM favorite_table WHERE pfile_fv=" + db::sqlText(item.key) + " ;"
                        : "INSERT OR REPLACE INTO favorite_table( pfile_fv, fave ) VALUES(" + db::sqlText(item.key) +
                              "," + db::sqlText(fave) + ") ;";
  };
  const TransactionEnd ended = inTransaction(db, items.size(), statementOf, [&](const std::string& error) {
    ++result.failures;
    reportDbError(sink, failureUtf8, error);
  });
  if (ended.error) reportDbError(sink, failureUtf8, *ended.error);
  result.committed = ended.committed;
  return result;
}

bool resetBootInfo(const std::string& dbPath, const std::vector<std::string>& keys, platform::MessageSink& sink) {
  return runPerKey(dbPath, keys, "UPDATE main_table SET boot_count='0', last_boot='', play_time='' WHERE file_name=",
                   "いくつかの起動情報リセットに失敗しました。\n", sink);
}

// Failures are reported as those of the boot reset are: a choice that stays
// would keep launching with the wrong emulator without a word.
bool releaseEmulatorChoice(const std::string& dbPath, const std::vector<std::string>& keys,
                           platform::MessageSink& sink) {
  return runPerKey(dbPath, keys, "DELETE FROM use_emuset_table WHERE pfile_ue=",
                   "いくつかの個別エミュレータ設定の解除に失敗しました。\n", sink);
}

std::vector<FavouriteItem> storedFavourites(const std::string& dbPath, const std::vector<std::string>& keys) {
  std::vector<FavouriteItem> items;
  db::DbConnection db;
  db.open(dbPath);
  for (const std::string& key : keys) {
    std::string fave;
    if (!db.execute("SELECT fave FROM favorite_table WHERE pfile_fv=" + db::sqlText(key) + " ;") &&
        db.rowCount() > 0)
      fave = db.cell(1, 0);
    items.push_back({key, fave});
  }
  return items;
}

}  // namespace qm::shell
