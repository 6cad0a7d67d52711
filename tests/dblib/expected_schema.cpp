#include "tests/dblib/expected_schema.h"

#include <stdexcept>

namespace qm::dblib::expected {
namespace {

const std::string kMainTable =
    "CREATE TABLE main_table( file_name TEXT UNIQUE NOT NULL, file_arc_title TEXT DEFAULT '', file_arc_ext TEXT "
    "DEFAULT '', file_title TEXT NOT NULL, file_ext TEXT NOT NULL, machine_name TEXT NOT NULL, title TEXT NOT NULL, "
    "version TEXT DEFAULT '', maker TEXT DEFAULT '', genre_name TEXT DEFAULT '', adult INTEGER DEFAULT 0, media_name "
    "TEXT DEFAULT '', country TEXT DEFAULT '', sale_year TEXT DEFAULT '0', rating INTEGER DEFAULT 0, boot_count "
    "INTEGER DEFAULT 0, last_boot DATETIME DEFAULT '', modify DATETIME DEFAULT '', crc32 TEXT DEFAULT '', crc TEXT "
    "DEFAULT '', ply INTEGER DEFAULT 0, ply_file_name TEXT DEFAULT '', associate INTEGER DEFAULT 0, rom_num INTEGER "
    "DEFAULT '', play_time TEXT DEFAULT '', kana TEXT DEFAULT '', tag TEXT DEFAULT '', developer TEXT DEFAULT '', "
    "smart_title TEXT DEFAULT '', PRIMARY KEY(file_name) );";

const char* const kDeletions[] = {
    "DELETE FROM associate_file_table WHERE pfile_as = old.file_name ;",
    "DELETE FROM creator_table WHERE pfile_cr = old.file_name ;",
    "DELETE FROM favorite_table WHERE pfile_fv = old.file_name ;",
    "DELETE FROM memo_table WHERE pfile_mm = old.file_name ;",
    "DELETE FROM snap_path_table WHERE pfile_sp = old.file_name ;",
    "DELETE FROM spec_table WHERE pfile_sc = old.file_name ;",
    "DELETE FROM alter_ego_table WHERE pfile_ae = old.file_name ;",
    "DELETE FROM use_emuset_table WHERE pfile_ue = old.file_name ;",
};

}  // namespace

std::string deleteTrigger(int deletions) {
  std::string sql = "CREATE TRIGGER delete_subtable_main AFTER DELETE ON main_table BEGIN ";
  for (int i = 0; i < deletions; ++i) sql += kDeletions[i];
  return sql + "END ;";
}

std::string mainTableUpTo(const std::string& lastColumn) {
  auto at = kMainTable.find(", " + lastColumn + " ");
  if (at == std::string::npos) throw std::invalid_argument("no column " + lastColumn);
  auto end = kMainTable.find(", ", at + 2);
  return kMainTable.substr(0, end + 2) + "PRIMARY KEY(file_name) );";
}

std::string storedForm(const std::string& sql) {
  auto end = sql.find_last_not_of("; ");
  return sql.substr(0, end + 1);
}

const std::vector<Statement>& creationStatements() {
  static const std::vector<Statement> statements = {
      {kMainTable, "main_table"},
      {"CREATE TABLE snap_path_table( pfile_sp TEXT UNIQUE NOT NULL, snap1 TEXT DEFAULT '', snap2 TEXT DEFAULT '', "
       "snap3 TEXT DEFAULT '', snap_dtt TEXT DEFAULT '', PRIMARY KEY(pfile_sp) ) ;",
       "snap_path_table"},
      {"CREATE TABLE associate_file_table( pfile_as TEXT NOT NULL, as_file_name TEXT NOT NULL );",
       "associate_file_table"},
      {"CREATE TABLE memo_table( pfile_mm TEXT NOT NULL, memo TEXT NOT NULL, PRIMARY KEY(pfile_mm) );", "memo_table"},
      {"CREATE TABLE creator_table( pfile_cr TEXT NOT NULL, creator TEXT NOT NULL, PRIMARY KEY(pfile_cr) );",
       "creator_table"},
      {"CREATE TABLE favorite_table( pfile_fv TEXT NOT NULL, fave TEXT DEFAULT '', PRIMARY KEY(pfile_fv) );",
       "favorite_table"},
      {"CREATE TABLE spec_table( pfile_sc TEXT UNIQUE NOT NULL, breed TEXT DEFAULT '', price TEXT DEFAULT '', "
       "media_detail TEXT DEFAULT '', device TEXT DEFAULT '', players TEXT DEFAULT '', adultex_name TEXT DEFAULT '', "
       "savedat_detail TEXT DEFAULT '', sound_detail TEXT DEFAULT '', PRIMARY KEY(pfile_sc) ) ;",
       "spec_table"},
      {"CREATE TABLE alter_ego_table( pfile_ae TEXT UNIQUE NOT NULL, ae_file TEXT DEFAULT '', alter_ego INTEGER "
       "DEFAULT '', ren_file_name TEXT DEFAULT '', ply_pfile_ae TEXT DEFAULT '', PRIMARY KEY(pfile_ae) ) ;",
       "alter_ego_table"},
      {"CREATE TABLE 'tmp_maxdisk' ( 'pfile_md_tmp' TEXT PRIMARY KEY NOT NULL, 'maxdisk' INTEGER DEFAULT '' );",
       "tmp_maxdisk"},
      {"CREATE TABLE 'use_emuset_table' ( 'pfile_ue' TEXT PRIMARY KEY NOT NULL, 'emuset_name' TEXT DEFAULT '' );",
       "use_emuset_table"},
      {"CREATE TABLE qlm_table( ver INTEGER );", "qlm_table"},
      {"CREATE INDEX maker_machine_idx ON main_table( maker, machine_name );", "maker_machine_idx"},
      {"CREATE TABLE machine_info_table( machine TEXT UNIQUE NOT NULL, machine_icon TEXT DEFAULT '', machine_num "
       "INTEGER DEFAULT 0, search_ext TEXT DEFAULT '', snap_path TEXT DEFAULT '', default_media TEXT DEFAULT '', "
       "crc_start_byte INTEGER DEFAULT 0, crc_byte_len INTEGER DEFAULT 0, snap_path2 TEXT DEFAULT '', snap_path3 TEXT "
       "DEFAULT '', snap_dtm TEXT DEFAULT '', PRIMARY KEY(machine) );",
       "machine_info_table"},
      {"CREATE TABLE media_info_table( media TEXT UNIQUE NOT NULL, media_icon TEXT DEFAULT '', media_num INTEGER "
       "DEFAULT 0, PRIMARY KEY(media) );",
       "media_info_table"},
      {"CREATE TABLE genre_info_table( genre TEXT UNIQUE NOT NULL, genre_icon TEXT DEFAULT '', genre_num INTEGER "
       "DEFAULT 0, PRIMARY KEY(genre) );",
       "genre_info_table"},
      {"CREATE TABLE adultex_info_table( adultex TEXT UNIQUE NOT NULL, adultex_icon TEXT DEFAULT '', adultex_num "
       "INTEGER DEFAULT 0, PRIMARY KEY(adultex) ) ;",
       "adultex_info_table"},
      {deleteTrigger(8), "delete_subtable_main"},
      {"CREATE TRIGGER update_main_machine UPDATE OF machine ON machine_info_table BEGIN UPDATE main_table SET "
       "machine_name = new.machine WHERE machine_name = old.machine ;END ;",
       "update_main_machine"},
      {"CREATE TRIGGER update_main_and_machineinfo_media UPDATE OF media ON media_info_table BEGIN UPDATE main_table "
       "SET media_name = new.media WHERE media_name = old.media ;UPDATE machine_info_table SET default_media = "
       "new.media WHERE default_media = old.media ;END ;",
       "update_main_and_machineinfo_media"},
      {"CREATE TRIGGER update_main_genre UPDATE OF genre ON genre_info_table BEGIN UPDATE main_table SET genre_name = "
       "new.genre WHERE genre_name = old.genre ;END ;",
       "update_main_genre"},
      {"CREATE TRIGGER update_spec_adultex UPDATE OF adultex ON adultex_info_table BEGIN UPDATE spec_table SET "
       "adultex_name = new.adultex WHERE adultex_name = old.adultex ;END ;",
       "update_spec_adultex"},
  };
  return statements;
}

const std::string& statementFor(const std::string& object) {
  for (const auto& statement : creationStatements())
    if (statement.object == object) return statement.sql;
  throw std::invalid_argument("no statement for " + object);
}

const std::vector<MasterRow>& media() {
  static const std::vector<MasterRow> rows = {
      {"3.5インチ フロッピー", "3.5FD.bmp", 1, "", ""},
      {"5.25インチ フロッピー", "5.25FD.bmp", 2, "", ""},
      {"MSX カートリッジ", "MSX_cartridge.bmp", 3, "", ""},
      {"PCエンジン Huカード", "HuCard.bmp", 4, "", ""},
      {"ゲームボーイ カセット", "GB_cartridge.bmp", 5, "", ""},
      {"ゲームボーイアドバンス カセット", "GBA_cartridge.bmp", 6, "", ""},
      {"スーパーファミコン カセット", "SNES_cartridge.bmp", 7, "", ""},
      {"ニンテンドー64 カセット", "64_cartridge.bmp", 8, "", ""},
      {"ネオジオポケット カセット", "NGP_cartridge.bmp", 9, "", ""},
      {"ファミコン カセット", "NES_cartridge.bmp", 10, "", ""},
      {"ファミコン ディスク", "FDS_disk.bmp", 11, "", ""},
      {"メガドライブ カセット", "MD_cartridge.bmp", 12, "", ""},
      {"ワンダースワン カセット", "WS_cartridge.bmp", 13, "", ""},
  };
  return rows;
}

const std::vector<MasterRow>& genres() {
  static const std::vector<MasterRow> rows = {
      {"アクション", "action.bmp", 1, "", ""},
      {"アドベンチャー", "adventure.bmp", 2, "", ""},
      {"デモ・音楽", "demo_music.bmp", 9, "", ""},
      {"ドライブ・レース", "drive_race.bmp", 10, "", ""},
      {"格闘", "fight.bmp", 15, "", ""},
      {"パズル", "puzzle.bmp", 12, "", ""},
      {"クイズ", "quiz.bmp", 3, "", ""},
      {"ロールプレイング", "roleplaying.bmp", 14, "", ""},
      {"シューティング", "shooting.bmp", 6, "", ""},
      {"シミュレーション", "simulation.bmp", 5, "", ""},
      {"スポーツ", "sport.bmp", 7, "", ""},
      {"システム・OS", "sys_os.bmp", 4, "", ""},
      {"テーブル・ボード", "table_board.bmp", 8, "", ""},
      {"ユーティリティ", "utility.bmp", 13, "", ""},
      {"バラエティー", "variety.bmp", 11, "", ""},
  };
  return rows;
}

const std::vector<MasterRow>& machines() {
  static const std::vector<MasterRow> rows = {
      {"FM77シリーズ", "FM77.bmp", 1, ".D77", "3.5インチ フロッピー"},
      {"MSX2シリーズ", "MSX.bmp", 2, ".ROM", "MSX カートリッジ"},
      {"MSXシリーズ", "MSX.bmp", 3, ".ROM", "MSX カートリッジ"},
      {"PC88シリーズ", "PC88.bmp", 4, ".D88", "5.25インチ フロッピー"},
      {"PC98シリーズ", "PC98.bmp", 5, ".D88;.HDM;.HDB;.FDI;.DCU;.TFD", "3.5インチ フロッピー"},
      {"X1シリーズ", "X1.bmp", 6, ".D88;.2D", "5.25インチ フロッピー"},
      {"X68000シリーズ", "X68000.bmp", 7, ".XDF;.2HD;.HDM;.DIM;.DUP", "5.25インチ フロッピー"},
      {"PCエンジン", "PCE.bmp", 8, ".PCE", "PCエンジン Huカード"},
      {"ゲームボーイ", "GB.bmp", 9, ".GB", "ゲームボーイ カセット"},
      {"ゲームボーイアドバンス", "GBASP.bmp", 10, ".GBA", "ゲームボーイアドバンス カセット"},
      {"ゲームボーイカラー", "GBC.bmp", 11, ".GBC", "ゲームボーイ カセット"},
      {"スーパーファミコン", "SNES.bmp", 12, ".SFC;.SMC;.FIG;.058;.078", "スーパーファミコン カセット"},
      {"ニンテンドー64", "N64.bmp", 13, ".N64;.V64", "ニンテンドー64 カセット"},
      {"ネオジオポケット", "NGP.bmp", 14, ".NGP", "ネオジオポケット カセット"},
      {"ネオジオポケットカラー", "NGC.bmp", 15, ".NGC", "ネオジオポケット カセット"},
      {"ファミコン", "NES.bmp", 16, ".NES", "ファミコン カセット"},
      {"ファミコンディスクシステム", "FDS.bmp", 17, ".FDS", "ファミコン ディスク"},
      {"メガドライブ", "MD.bmp", 18, ".SMD;.BIN", "メガドライブ カセット"},
      {"ワンダースワン", "WS.bmp", 19, ".WS", "ワンダースワン カセット"},
      {"ワンダースワンカラー", "WSC.bmp", 20, ".WSC", "ワンダースワン カセット"},
  };
  return rows;
}

const std::vector<MasterRow>& ratingMarks() {
  static const std::vector<MasterRow> rows = {
      {"全年齢", "a.bmp", 1, "", ""},
      {"12才以上", "b.bmp", 2, "", ""},
      {"15才以上", "c.bmp", 3, "", ""},
      {"17才以上", "d.bmp", 4, "", ""},
      {"18才以上", "z.bmp", 5, "", ""},
      {"教育・データベース", "eddb.bmp", 6, "", ""},
      {"CERO規定適合", "conform.bmp", 7, "", ""},
      {"審査予定", "be.bmp", 8, "", ""},
  };
  return rows;
}

}  // namespace qm::dblib::expected
