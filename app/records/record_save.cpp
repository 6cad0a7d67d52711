#include "app/records/record_save.h"

#include <algorithm>

#include "app/records/file_name_check.h"
#include "app/records/record_load.h"
#include "app/records/release_date.h"
#include "common/db/db_connection.h"
#include "common/db/max_disk.h"
#include "common/db/write_transaction.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::records {

using db::sqlText;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

namespace {

// The editor's side tables and their key columns.
struct SideTable {
  const char* table;
  const char* keyColumn;
};
constexpr SideTable kSideTables[] = {{"spec_table", "pfile_sc"},       {"snap_path_table", "pfile_sp"},
                                     {"associate_file_table", "pfile_as"}, {"creator_table", "pfile_cr"},
                                     {"memo_table", "pfile_mm"},       {"use_emuset_table", "pfile_ue"}};

std::string deleteRows(const SideTable& t, const std::string& key) {
  return std::string("DELETE FROM ") + t.table + " WHERE " + t.keyColumn + "=" + sqlText(key) + " ;";
}

bool hasDetails(const Record& r) {
  for (const auto& detail : r.details)
    if (!detail.empty()) return true;
  return !r.adultMark.empty();
}

bool hasSnaps(const Record& r) {
  for (const auto& snap : r.snaps)
    if (!snap.empty()) return true;
  return !r.snapDisplay.empty();
}

// The attributes a set's disks share with their parent, as "col=value" pairs.
std::string sharedAttributes(const Record& r, const std::string& saleYear) {
  return "maker=" + sqlText(r.maker) + ",developer=" + sqlText(r.developer) + ",machine_name=" + sqlText(r.machine) +
         ",genre_name=" + sqlText(r.genre) + ",media_name=" + sqlText(r.media) + ",adult=" + (r.adult ? "1" : "0") +
         ",country=" + sqlText(r.country) + ",sale_year=" + sqlText(saleYear);
}

void addSideTables(std::vector<SaveStatement>& out, const Record& r, const std::string& key) {
  if (hasDetails(r)) {
    std::string sql = "INSERT OR REPLACE INTO spec_table( pfile_sc, breed, price, media_detail, device, players, "
                      "savedat_detail, sound_detail, adultex_name ) VALUES(" + sqlText(key);
    for (const auto& detail : r.details) sql.append(",").append(sqlText(detail));
    out.push_back({sql + "," + sqlText(r.adultMark) + ");"});
  } else {
    out.push_back({deleteRows(kSideTables[0], key)});
  }
  if (hasSnaps(r)) {
    out.push_back({"INSERT OR REPLACE INTO snap_path_table( pfile_sp, snap1, snap2, snap3, snap_dtt ) VALUES(" +
                   sqlText(key) + "," + sqlText(r.snaps[0]) + "," + sqlText(r.snaps[1]) + "," + sqlText(r.snaps[2]) +
                   "," + sqlText(r.snapDisplay) + ");"});
  } else {
    out.push_back({deleteRows(kSideTables[1], key)});
  }
  out.push_back({deleteRows(kSideTables[2], key)});
  for (const auto& entry : r.associates)
    out.push_back({"INSERT INTO associate_file_table(pfile_as,as_file_name) VALUES(" + sqlText(key) + "," +
                   sqlText(entry) + ");"});
}

void addOwnTables(std::vector<SaveStatement>& out, const Record& r, const std::string& key) {
  out.push_back({r.creators.empty() ? deleteRows(kSideTables[3], key)
                                    : "INSERT OR REPLACE INTO creator_table( pfile_cr, creator ) VALUES( " +
                                          sqlText(key) + "," + sqlText(r.creators) + " );"});
  out.push_back({r.memo.empty() ? deleteRows(kSideTables[4], key)
                                : "INSERT OR REPLACE INTO memo_table( pfile_mm, memo ) VALUES(" + sqlText(key) + "," +
                                      sqlText(r.memo) + ") ;"});
  out.push_back({r.emulator.empty() ? deleteRows(kSideTables[5], key)
                                    : "INSERT OR REPLACE INTO use_emuset_table( pfile_ue, emuset_name ) VALUES(" +
                                          sqlText(key) + "," + sqlText(r.emulator) + ") ;"});
}

void addSet(std::vector<SaveStatement>& out, const Record& r, const std::string& saleYear) {
  const std::string& key = r.newKey();
  out.push_back({"UPDATE main_table SET ply=1,ply_file_name='' WHERE file_name=" + sqlText(key) + " ;", true});
  for (std::size_t i = 1; i < r.set.size(); ++i)
    out.push_back({"UPDATE main_table SET ply='" + std::to_string(i + 1) + "',ply_file_name=" + sqlText(key) + "," +
                       sharedAttributes(r, saleYear) +
                       ",associate=0,modify=datetime('now','localtime')  WHERE file_name=" + sqlText(r.set[i]) +
                       " ;",
                   true});
  // The favourite and the alter egos belong to the set: they follow a new
  // parent, and the alter egos' disk numbers follow the new order.
  if (key != r.file)
    out.push_back({"UPDATE OR REPLACE favorite_table SET pfile_fv=" + sqlText(key) + " WHERE pfile_fv=" +
                   sqlText(r.file) + " ;"});
  for (std::size_t i = 0; i < r.set.size(); ++i)
    out.push_back({"UPDATE alter_ego_table SET alter_ego='" + std::to_string(i + 1) +
                   "',ply_pfile_ae=" + (i == 0 ? std::string("''") : sqlText(key)) + " WHERE pfile_ae=" +
                   sqlText(r.set[i]) + " AND (pfile_ae=" + sqlText(r.file) + " OR ply_pfile_ae=" + sqlText(r.file) +
                   ") ;"});
}

}  // namespace

std::optional<std::string> validationMessage(const Record& r, const std::string& storedSaleYear) {
  if (r.title.empty()) return sjis("タイトルを入力してください。");
  if (r.creators.size() > kCreatorLimit)
    return sjis("クリエイター情報が長すぎます。\n") + "511" + sjis("バイトに納めてください。");
  if (!releaseDateToSave(r.saleYear, storedSaleYear)) return releaseDateRefusal();
  return std::nullopt;
}

std::vector<SaveStatement> saveStatements(const Record& r, const std::string& saleYear, const std::string& smartTitle) {
  const std::string& key = r.newKey();
  std::vector<SaveStatement> out;
  addSideTables(out, r, key);
  out.push_back({"UPDATE main_table SET title=" + sqlText(r.title) + ",smart_title=" + sqlText(smartTitle) +
                     ",version=" + sqlText(r.version) + "," + sharedAttributes(r, saleYear) + ",associate='" +
                     std::to_string(r.associates.size()) + "',kana=" + sqlText(r.kana) + ",tag=" + sqlText(r.tag) +
                     ",modify=datetime('now','localtime')  WHERE file_name=" + sqlText(key) + ";",
                 true});
  addOwnTables(out, r, key);
  if (key != r.file)
    for (const auto& table : kSideTables) out.push_back({deleteRows(table, r.file)});
  if (!r.set.empty()) addSet(out, r, saleYear);
  return out;
}

namespace {

// The item's own images as the library holds them, sorted: the set's disks,
// or the single image alone.
std::optional<std::string> ownImages(db::DbConnection& db, const std::string& file, std::vector<std::string>& out) {
  if (auto error = db.execute("SELECT file_name FROM main_table WHERE file_name=" + sqlText(file) +
                              " OR ply_file_name=" + sqlText(file) + " ORDER BY file_name;"))
    return error;
  for (int row = 1; row <= db.rowCount(); ++row) out.push_back(db.cell(row, 0));
  return std::nullopt;
}

// The editor orders a set's disks; it never adds, drops or repeats one.
bool onlyReordered(const Record& r, const std::vector<std::string>& own) {
  if (r.set.empty()) return own.size() <= 1;
  std::vector<std::string> given = r.set;
  std::sort(given.begin(), given.end());
  return given == own;
}

// Runs the statements; the first failure's reason, or nothing.
std::optional<std::string> runAll(db::DbConnection& db, const std::vector<SaveStatement>& statements) {
  std::optional<std::string> firstError;
  for (const auto& statement : statements) {
    const auto before = db.totalChanges();
    auto error = db.execute(statement.sql);
    if (!error && statement.mustChangeRow && db.totalChanges() == before)
      error = sjis("更新するレコードがありません: ") + statement.sql;
    if (error && !firstError) firstError = std::move(error);
  }
  return firstError;
}

}  // namespace

SaveResult saveRecord(const std::string& dbPath, const Record& r, const std::string& storedSaleYear,
                      const std::string& smartTitle, platform::MessageSink& sink) {
  SaveResult result;
  if (auto refusal = validationMessage(r, storedSaleYear)) {
    sink.show(*refusal, "", MessageIcon::Information, MessageButtons::Ok);
    result.outcome = SaveOutcome::Refused;
    return result;
  }
  const std::string saleYear = *releaseDateToSave(r.saleYear, storedSaleYear);
  db::DbConnection db;
  db.open(dbPath);
  if (!db.execute("SELECT title FROM main_table WHERE file_name=" + sqlText(r.file) + " LIMIT 1;") &&
      db.rowCount() > 0)
    result.oldTitle = db.cell(1, 0);
  db::WriteTransaction transaction(db);
  std::vector<std::string> own;
  auto error = transaction.begin();
  if (!error) error = ownImages(db, r.file, own);
  if (!error && !onlyReordered(r, own)) {
    sink.show(sjis("セットのイメージは並べ替えだけができます（追加・削除・重複はできません）。"), "",
              MessageIcon::Information, MessageButtons::Ok);
    result.outcome = SaveOutcome::Refused;
    return result;
  }
  if (!error) error = runAll(db, saveStatements(r, saleYear, smartTitle));
  if (!error) error = transaction.commit();
  if (error) {
    reportDbError(sink, "データベースを更新出来ませんでした。\n", *error);
    return result;
  }
  result.outcome = SaveOutcome::Saved;
  if (!r.set.empty()) {
    if (auto maxDiskError = db::rebuildMaxDisk(db)) reportDbError(sink, "", *maxDiskError);
  }
  result.cursorKey = r.newKey();
  result.offerRename = !sjis::equalsIgnoreCaseAscii(result.oldTitle, r.title) && usableAsFileName(r.title) &&
                       usableAsFileName(result.oldTitle);
  return result;
}

}  // namespace qm::records
