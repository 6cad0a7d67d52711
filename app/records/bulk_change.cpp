#include "app/records/bulk_change.h"

#include "app/item_list/star_geometry.h"
#include "app/records/record_load.h"
#include "app/records/release_date.h"
#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"
#include "common/text/encoding.h"

namespace qm::records {

using db::sqlText;
using text::sjis;

namespace {

struct FieldColumn {
  BulkField field;
  const char* column;
};
constexpr FieldColumn kColumns[] = {
    {BulkField::Title, "title"},       {BulkField::Maker, "maker"},         {BulkField::Developer, "developer"},
    {BulkField::Country, "country"},   {BulkField::Version, "version"},     {BulkField::SaleYear, "sale_year"},
    {BulkField::Creator, "creator"},   {BulkField::Genre, "genre_name"},    {BulkField::AdultMark, "adultex_name"},
};

// The statements in one write transaction; the first failure reported and all rolled back.
template <typename Statements>
bool runInTransaction(db::DbConnection& db, const char* messageUtf8, platform::MessageSink& sink,
                      Statements&& statementsFor) {
  const auto error = db::inWriteTransaction(db, std::forward<Statements>(statementsFor));
  if (error) reportDbError(sink, messageUtf8, *error);
  return !error;
}

}  // namespace

std::optional<BulkField> bulkFieldNamed(std::string_view column) {
  for (const auto& c : kColumns)
    if (column == c.column) return c.field;
  return std::nullopt;
}

const char* bulkColumnOf(BulkField field) {
  for (const auto& c : kColumns)
    if (c.field == field) return c.column;
  return "";
}

std::optional<std::string> prepareBulkChange(BulkChange& change) {
  if (change.field == BulkField::Title && change.value.empty()) return sjis("タイトルを入力してください。");
  if (change.field != BulkField::SaleYear) return std::nullopt;
  auto stored = normalizeReleaseDate(change.value);
  if (!stored) return releaseDateRefusal();
  change.value = std::move(*stored);
  return std::nullopt;
}

std::vector<std::string> bulkStatements(const BulkChange& c, const std::string& key, bool hasDetailsRow) {
  switch (c.field) {
    case BulkField::Creator:
      if (c.value.empty()) return {"DELETE FROM creator_table WHERE pfile_cr=" + sqlText(key) + ";"};
      return {"INSERT OR REPLACE INTO creator_table( pfile_cr, creator ) VALUES(" + sqlText(key) + "," +
              sqlText(c.value) + ");"};
    case BulkField::Genre:
      return {"UPDATE main_table SET genre_name=" + sqlText(c.value) + " WHERE file_name=" + sqlText(key) + ";"};
    case BulkField::AdultMark:
      if (hasDetailsRow)
        return {"UPDATE spec_table SET adultex_name=" + sqlText(c.value) + " WHERE pfile_sc=" + sqlText(key) + ";"};
      return {"INSERT INTO spec_table( pfile_sc, adultex_name ) VALUES(" + sqlText(key) + "," + sqlText(c.value) +
              ");"};
    case BulkField::Title:
      return {"UPDATE main_table SET title=" + sqlText(c.value) + ",kana=" + sqlText(c.kana) +
              ",smart_title=" + sqlText(c.smartTitle) + " WHERE file_name=" + sqlText(key) + " ;"};
    default:
      return {std::string("UPDATE main_table SET ") + bulkColumnOf(c.field) + "=" + sqlText(c.value) +
              " WHERE file_name=" + sqlText(key) + " ;"};
  }
}

bool applyBulkChange(const std::string& dbPath, BulkChange change, const std::vector<std::string>& keys,
                     platform::MessageSink& sink) {
  if (auto refusal = prepareBulkChange(change)) {
    sink.show(*refusal, "", platform::MessageIcon::Information, platform::MessageButtons::Ok);
    return false;
  }
  db::DbConnection db;
  db.open(dbPath);
  return runInTransaction(db, "データベースを更新出来ませんでした。\n", sink, [&]() -> std::optional<std::string> {
    for (const auto& key : keys) {
      bool hasDetailsRow = false;
      if (change.field == BulkField::AdultMark) {
        // Counted on the changing connection, so rows this change inserted count.
        if (auto error = db.execute("SELECT COUNT(pfile_sc) FROM spec_table WHERE pfile_sc=" + sqlText(key) + ";"))
          return error;
        hasDetailsRow = db.cell(1, 0) != "0";
      }
      for (const auto& sql : bulkStatements(change, key, hasDetailsRow))
        if (auto error = db.execute(sql)) return error;
    }
    return std::nullopt;
  });
}

std::optional<bool> toggleAdult(const std::string& dbPath, const std::vector<std::string>& keys, bool firstMarked,
                                platform::MessageSink& sink) {
  const bool marked = !firstMarked;
  db::DbConnection db;
  db.open(dbPath);
  const bool ok = runInTransaction(db, "メインテーブルを更新できませんでした。\n", sink, [&]() -> std::optional<std::string> {
    for (const auto& key : keys)
      if (auto error = db.execute(std::string("UPDATE main_table SET adult=") + (marked ? "1" : "0") +
                                  " WHERE file_name=" + sqlText(key) + " ;"))
        return error;
    return std::nullopt;
  });
  return ok ? std::optional<bool>(marked) : std::nullopt;
}

std::optional<int> ratingFromClick(int x) {
  if (x <= -5 || x >= 80) return std::nullopt;
  for (int stars = 5; stars > 0; --stars)
    if (x > (stars - 1) * 16) return stars * 10;
  return 0;
}

std::optional<int> ratingAtClick(int clickX, int columnLeft) {
  return ratingFromClick(clickX - search::firstStarLeft(columnLeft));
}

bool setRating(const std::string& dbPath, const std::string& key, int rating, platform::MessageSink& sink) {
  return setRatings(dbPath, {key}, rating, sink);
}

// One statement for all keys: all or none of them change.
bool setRatings(const std::string& dbPath, const std::vector<std::string>& keys, int rating,
                platform::MessageSink& sink) {
  if (keys.empty()) return true;
  std::string sql = "UPDATE main_table SET rating=" + std::to_string(rating) + " WHERE file_name";
  if (keys.size() == 1) {
    sql += '=';
    sql += sqlText(keys[0]);
    sql += " ;";
  } else {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      sql += i == 0 ? " IN (" : ",";
      sql += sqlText(keys[i]);
    }
    sql += ") ;";
  }
  db::DbConnection db;
  db.open(dbPath);
  const auto error = db.execute(sql);
  if (error) reportDbError(sink, "メインテーブルを更新できませんでした。\n", *error);
  return !error;
}

}  // namespace qm::records
