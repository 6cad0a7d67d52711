#include "app/renamedata/rename_run.h"

#include "common/db/db_connection.h"
#include "common/db/max_disk.h"
#include "common/db/write_transaction.h"
#include "common/text/encoding.h"
#include "common/text/smart_title.h"
#include "common/text/sjis.h"

namespace qm::renamedata {
namespace {

using text::sjis;

std::string tail(const RenameResult& result) {
  return " ( " + std::to_string(result.total) + sjis(" 件中 ") + std::to_string(result.found) +
         sjis(" 件のキーが該当し更新されました )");
}

std::string progressLine(int found, int walked, int total) {
  return std::to_string(found) + sjis(" 件のアイテムを更新しました ( ") + std::to_string(walked) + " / " +
         std::to_string(total) + " )";
}

// One line of the test result: line breaks of a memo become blanks.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return text;
}

void listFound(RenameObserver& observer, const std::string& key, const std::string& fileName,
               const FoundValues& found) {
  observer.testLine("[" + key + "] " + fileName);
  for (const ItemInfo& info : itemTable()) {
    const auto& value = found[info.item];
    if (value) observer.testLine(sjis("　") + sjis(info.label) + sjis("：") + oneLine(*value));
  }
}

// Every key of the walk in one read-only block, each with its terminator:
// a mapping of its own per key costs more than the plug-in's answers.
class KeyBlock {
public:
  explicit KeyBlock(const RenameKeys& keys) {
    std::string joined;
    offsets_.reserve(keys.rows.size());
    for (const auto& row : keys.rows) {
      offsets_.push_back(joined.size());
      joined.append(row.first).push_back('\0');
    }
    block_ = platform::ReadOnlyText(joined);
  }
  const char* key(std::size_t row) const { return block_.valid() ? block_.c_str() + offsets_[row] : nullptr; }

private:
  platform::ReadOnlyText block_;
  std::vector<std::size_t> offsets_;
};

RenameResult failed(RenameResult result, const char* utf8, const std::string& reason) {
  result.status = RenameStatus::Failed;
  result.error = sjis(utf8) + reason;
  return result;
}

RenameResult runTest(const RenameRequest& request, const RenameKeys& keys, const RenamePlugin& plugin,
                     const platform::ReadOnlyText& list, RenameObserver& observer, const StopFlag& stop) {
  RenameResult result;
  result.total = static_cast<int>(keys.rows.size());
  const text::TextNormalizer smartTitles = text::smartTitleNormalizer(request.tables);
  observer.status(sjis("テストモード：検索するキーが100件マッチするか候補がなくなるまでトライします"));
  const KeyBlock block(keys);
  for (std::size_t row = 0; row < keys.rows.size(); ++row) {
    const auto& [key, fileName] = keys.rows[row];
    if (stop.load() != stop::kRunning) {
      result.status = RenameStatus::Stopped;
      observer.status(sjis("ユーザーからの要求でテストを中止しました"));
      return result;
    }
    const FoundValues found =
        findValues(request, plugin, {list, block.key(row), static_cast<int>(request.keyType)}, smartTitles);
    if (!found.any()) continue;
    listFound(observer, key, fileName, found);
    if (++result.found >= kTestMatches) break;
  }
  observer.status(sjis("テストが終了しました"));
  return result;
}

}  // namespace

std::string databaseFailureCaption() { return sjis("DBエラー"); }

FoundValues findValues(const RenameRequest& request, const RenamePlugin& plugin, const PluginKey& key,
                       const text::TextNormalizer& smartTitles) {
  FoundValues found;
  if (!key.list.valid() || !key.key) return found;
  for (RenameItem item : request.items) {
    if (!plugin.has(item)) continue;
    auto& slot = found.values[indexOf(item)];
    if (itemInfo(item).number) {
      if (auto value = plugin.number(item, key)) slot = storedNumber(item, *value);
    } else if (auto value = plugin.text(item, key)) {
      slot = storedText(item, std::move(*value));
    }
  }
  if (const auto& title = found[RenameItem::Title]) found.smartTitle = smartTitles(*title);
  return found;
}

std::optional<RenameKeys> selectRenameKeys(const RenameRequest& request, platform::MessageSink& sink,
                                           RenameObserver& observer, RenameStatus& ended) {
  db::DbConnection db;
  db.open(request.dbPath);
  if (const auto countSql = missingCrcCountSql(request.machine, request.keyType)) {
    if (auto error = db.execute(*countSql)) {
      sink.show(sjis("アイテムを選出できませんでした。\n") + *error, databaseFailureCaption(),
                platform::MessageIcon::Error, platform::MessageButtons::Ok);
      ended = RenameStatus::SelectFailed;
      return std::nullopt;
    }
    const std::string count = db.cell(1, 0);
    if (count != "0" &&
        sink.show(missingCrcQuestion(request.machine, request.keyType, count), "", platform::MessageIcon::Question,
                  platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
      observer.status(sjis("中止しました"));
      ended = RenameStatus::Declined;
      return std::nullopt;
    }
  }
  if (auto error = db.execute(keySelectSql(request.machine, request.keyType))) {
    sink.show(sjis("アイテムを選出できませんでした。\n") + *error, databaseFailureCaption(),
              platform::MessageIcon::Error, platform::MessageButtons::Ok);
    ended = RenameStatus::SelectFailed;
    return std::nullopt;
  }
  if (db.rowCount() == 0) {
    platform::inform(sink, noKeysMessage(request.machine, request.keyType));
    ended = RenameStatus::NoKeys;
    return std::nullopt;
  }
  RenameKeys keys;
  keys.rows.reserve(db.rowCount());
  for (int row = 1; row <= db.rowCount(); ++row) keys.rows.emplace_back(db.cell(row, 0), db.cell(row, 1));
  return keys;
}

RenameResult runRename(const RenameRequest& request, const RenameKeys& keys, const RenamePlugin& plugin,
                       const platform::ReadOnlyText& list, RenameObserver& observer, const StopFlag& stop) {
  if (request.test) return runTest(request, keys, plugin, list, observer, stop);
  RenameResult result;
  result.total = static_cast<int>(keys.rows.size());
  const text::TextNormalizer smartTitles = text::smartTitleNormalizer(request.tables);
  db::DbConnection db;
  db.open(request.dbPath);
  db::WriteTransaction transaction(db);
  if (auto error = transaction.begin()) return failed(result, "ライブラリの更新を開始できませんでした。\n", *error);
  int walked = 0;
  const KeyBlock block(keys);
  for (std::size_t row = 0; row < keys.rows.size(); ++row) {
    const std::string& fileName = keys.rows[row].second;
    if (stop.load() != stop::kRunning) {
      result.status = RenameStatus::Stopped;
      break;
    }
    const FoundValues found =
        findValues(request, plugin, {list, block.key(row), static_cast<int>(request.keyType)}, smartTitles);
    ++walked;
    if (found.any()) {
      for (const std::string& sql : updateStatements(fileName, found)) {
        if (auto error = db.execute(sql)) {
          transaction.rollback();
          observer.status(sjis("データベースの更新に失敗したため、変更を取り消しました"));
          return failed(result, "ライブラリを更新できませんでした。\n", *error);
        }
      }
      ++result.found;
    }
    observer.status(progressLine(result.found, walked, result.total));
  }
  if (auto error = transaction.commit()) {
    observer.status(sjis("データベースの更新に失敗したため、変更を取り消しました"));
    return failed(result, "ライブラリの更新を確定できませんでした。\n", *error);
  }
  db.close();
  db::rebuildMaxDisk(request.dbPath);
  observer.status(sjis(result.status == RenameStatus::Stopped ? "処理を中止しました" : "処理を終了しました") +
                  tail(result));
  return result;
}

}  // namespace qm::renamedata
