#include "app/records/record_load.h"

#include "app/records/release_date.h"
#include "common/text/encoding.h"

namespace qm::records {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

void reportDbError(platform::MessageSink& sink, const std::string& messageUtf8, const std::string& error) {
  sink.show(sjis(messageUtf8) + error, sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
}

namespace {

// Runs `sql`; on failure reports `messageUtf8` (when given) and returns false.
bool query(db::DbConnection& db, const std::string& sql, const char* messageUtf8, platform::MessageSink& sink) {
  const auto error = db.execute(sql);
  if (!error) return true;
  if (messageUtf8) reportDbError(sink, messageUtf8, *error);
  return false;
}

void readMainRow(db::DbConnection& db, LoadedRecord& out) {
  Record& r = out.record;
  r.title = db.cellByName(1, "title");
  r.kana = db.cellByName(1, "kana");
  r.maker = db.cellByName(1, "maker");
  r.developer = db.cellByName(1, "developer");
  r.version = db.cellByName(1, "version");
  r.machine = db.cellByName(1, "machine_name");
  r.genre = db.cellByName(1, "genre_name");
  r.media = db.cellByName(1, "media_name");
  r.adult = db.cellByName(1, "adult") == "1";
  r.country = db.cellByName(1, "country");
  r.tag = db.cellByName(1, "tag");
  out.storedSaleYear = db.cellByName(1, "sale_year");
  r.saleYear = releaseDateShown(out.storedSaleYear);
}

}  // namespace

LoadedRecord loadRecord(db::DbConnection& db, const std::string& file, platform::MessageSink& sink) {
  LoadedRecord out;
  Record& r = out.record;
  r.file = file;
  const std::string key = db::sqlText(file);
  if (query(db, "SELECT * FROM main_table WHERE file_name=" + key, "メインテーブルを参照できませんでした。\n", sink) &&
      db.rowCount() > 0) {
    out.found = true;
    readMainRow(db, out);
  }
  if (query(db, "SELECT creator FROM creator_table WHERE pfile_cr=" + key,
            "クリエイターテーブルを参照できませんでした。\n", sink) &&
      db.rowCount() > 0)
    r.creators = db.cell(1, 0);
  if (query(db, "SELECT file_name FROM main_table WHERE ply_file_name=" + key + " ORDER BY ply, file_name ;", nullptr,
            sink) &&
      db.rowCount() > 0) {
    r.set.push_back(file);
    for (int row = 1; row <= db.rowCount(); ++row) r.set.push_back(db.cell(row, 0));
  }
  if (query(db, "SELECT memo FROM memo_table WHERE pfile_mm=" + key, "メモテーブルを参照できませんでした。\n", sink) &&
      db.rowCount() > 0)
    r.memo = db.cell(1, 0);
  if (query(db, "SELECT as_file_name FROM associate_file_table WHERE pfile_as=" + key,
            "関連ファイルテーブルを参照できませんでした。\n", sink))
    for (int row = 1; row <= db.rowCount(); ++row) r.associates.push_back(db.cell(row, 0));
  if (query(db, "SELECT snap1,snap2,snap3,snap_dtt FROM snap_path_table WHERE pfile_sp=" + key,
            "スナップパステーブルを参照できませんでした。\n", sink) &&
      db.rowCount() > 0) {
    for (int slot = 0; slot < kSnapSlots; ++slot) r.snaps[slot] = db.cell(1, slot);
    r.snapDisplay = db.cell(1, 3);
  }
  if (query(db, "SELECT * FROM spec_table WHERE pfile_sc=" + key + " LIMIT 1;",
            "詳細情報テーブルを参照できませんでした。\n", sink) &&
      db.rowCount() > 0) {
    for (int i = 0; i < kDetailCount; ++i) r.details[i] = db.cellByName(1, kDetailColumns[i]);
    r.adultMark = db.cellByName(1, "adultex_name");
  }
  if (query(db, "SELECT * FROM use_emuset_table WHERE pfile_ue=" + key,
            "個別エミュレータ指定テーブルを参照できませんでした。\n", sink) &&
      db.rowCount() > 0)
    r.emulator = db.cellByName(1, "emuset_name");
  return out;
}

}  // namespace qm::records
