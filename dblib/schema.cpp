#include "dblib/schema.h"

#include <array>
#include <string_view>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::dblib {
namespace {

struct Column {
  const char* name;
  const char* definition;  // type, then default and constraints
};

// main_table in declared order. Columns were only ever appended, so an older
// database holds a prefix of this list.
constexpr std::array<Column, 29> kMainColumns{{
    {"file_name", "TEXT UNIQUE NOT NULL"},
    {"file_arc_title", "TEXT DEFAULT ''"},
    {"file_arc_ext", "TEXT DEFAULT ''"},
    {"file_title", "TEXT NOT NULL"},
    {"file_ext", "TEXT NOT NULL"},
    {"machine_name", "TEXT NOT NULL"},
    {"title", "TEXT NOT NULL"},
    {"version", "TEXT DEFAULT ''"},
    {"maker", "TEXT DEFAULT ''"},
    {"genre_name", "TEXT DEFAULT ''"},
    {"adult", "INTEGER DEFAULT 0"},
    {"media_name", "TEXT DEFAULT ''"},
    {"country", "TEXT DEFAULT ''"},
    {"sale_year", "TEXT DEFAULT '0'"},
    {"rating", "INTEGER DEFAULT 0"},
    {"boot_count", "INTEGER DEFAULT 0"},
    {"last_boot", "DATETIME DEFAULT ''"},
    {"modify", "DATETIME DEFAULT ''"},
    {"crc32", "TEXT DEFAULT ''"},
    {"crc", "TEXT DEFAULT ''"},
    {"ply", "INTEGER DEFAULT 0"},
    {"ply_file_name", "TEXT DEFAULT ''"},
    {"associate", "INTEGER DEFAULT 0"},
    {"rom_num", "INTEGER DEFAULT ''"},
    {"play_time", "TEXT DEFAULT ''"},
    {"kana", "TEXT DEFAULT ''"},
    {"tag", "TEXT DEFAULT ''"},
    {"developer", "TEXT DEFAULT ''"},
    {"smart_title", "TEXT DEFAULT ''"},
}};

constexpr std::array<const char*, 8> kSubtableDeletions{{
    "DELETE FROM associate_file_table WHERE pfile_as = old.file_name ;",
    "DELETE FROM creator_table WHERE pfile_cr = old.file_name ;",
    "DELETE FROM favorite_table WHERE pfile_fv = old.file_name ;",
    "DELETE FROM memo_table WHERE pfile_mm = old.file_name ;",
    "DELETE FROM snap_path_table WHERE pfile_sp = old.file_name ;",
    "DELETE FROM spec_table WHERE pfile_sc = old.file_name ;",
    "DELETE FROM alter_ego_table WHERE pfile_ae = old.file_name ;",
    "DELETE FROM use_emuset_table WHERE pfile_ue = old.file_name ;",
}};

struct MasterRow {
  const char* name;  // UTF-8
  int number;
  const char* icon;
};

constexpr std::array<MasterRow, 13> kMedia{{
    {"3.5インチ フロッピー", 1, "3.5FD.bmp"},
    {"5.25インチ フロッピー", 2, "5.25FD.bmp"},
    {"MSX カートリッジ", 3, "MSX_cartridge.bmp"},
    {"PCエンジン Huカード", 4, "HuCard.bmp"},
    {"ゲームボーイ カセット", 5, "GB_cartridge.bmp"},
    {"ゲームボーイアドバンス カセット", 6, "GBA_cartridge.bmp"},
    {"スーパーファミコン カセット", 7, "SNES_cartridge.bmp"},
    {"ニンテンドー64 カセット", 8, "64_cartridge.bmp"},
    {"ネオジオポケット カセット", 9, "NGP_cartridge.bmp"},
    {"ファミコン カセット", 10, "NES_cartridge.bmp"},
    {"ファミコン ディスク", 11, "FDS_disk.bmp"},
    {"メガドライブ カセット", 12, "MD_cartridge.bmp"},
    {"ワンダースワン カセット", 13, "WS_cartridge.bmp"},
}};

constexpr std::array<MasterRow, 15> kGenres{{
    {"アクション", 1, "action.bmp"},
    {"アドベンチャー", 2, "adventure.bmp"},
    {"デモ・音楽", 9, "demo_music.bmp"},
    {"ドライブ・レース", 10, "drive_race.bmp"},
    {"格闘", 15, "fight.bmp"},
    {"パズル", 12, "puzzle.bmp"},
    {"クイズ", 3, "quiz.bmp"},
    {"ロールプレイング", 14, "roleplaying.bmp"},
    {"シューティング", 6, "shooting.bmp"},
    {"シミュレーション", 5, "simulation.bmp"},
    {"スポーツ", 7, "sport.bmp"},
    {"システム・OS", 4, "sys_os.bmp"},
    {"テーブル・ボード", 8, "table_board.bmp"},
    {"ユーティリティ", 13, "utility.bmp"},
    {"バラエティー", 11, "variety.bmp"},
}};

struct MachineRow {
  const char* name;
  const char* icon;
  const char* extensions;
  const char* defaultMedia;
};

// Order numbers are the positions, from 1.
constexpr std::array<MachineRow, 20> kMachines{{
    {"FM77シリーズ", "FM77.bmp", ".D77", "3.5インチ フロッピー"},
    {"MSX2シリーズ", "MSX.bmp", ".ROM", "MSX カートリッジ"},
    {"MSXシリーズ", "MSX.bmp", ".ROM", "MSX カートリッジ"},
    {"PC88シリーズ", "PC88.bmp", ".D88", "5.25インチ フロッピー"},
    {"PC98シリーズ", "PC98.bmp", ".D88;.HDM;.HDB;.FDI;.DCU;.TFD", "3.5インチ フロッピー"},
    {"X1シリーズ", "X1.bmp", ".D88;.2D", "5.25インチ フロッピー"},
    {"X68000シリーズ", "X68000.bmp", ".XDF;.2HD;.HDM;.DIM;.DUP", "5.25インチ フロッピー"},
    {"PCエンジン", "PCE.bmp", ".PCE", "PCエンジン Huカード"},
    {"ゲームボーイ", "GB.bmp", ".GB", "ゲームボーイ カセット"},
    {"ゲームボーイアドバンス", "GBASP.bmp", ".GBA", "ゲームボーイアドバンス カセット"},
    {"ゲームボーイカラー", "GBC.bmp", ".GBC", "ゲームボーイ カセット"},
    {"スーパーファミコン", "SNES.bmp", ".SFC;.SMC;.FIG;.058;.078", "スーパーファミコン カセット"},
    {"ニンテンドー64", "N64.bmp", ".N64;.V64", "ニンテンドー64 カセット"},
    {"ネオジオポケット", "NGP.bmp", ".NGP", "ネオジオポケット カセット"},
    {"ネオジオポケットカラー", "NGC.bmp", ".NGC", "ネオジオポケット カセット"},
    {"ファミコン", "NES.bmp", ".NES", "ファミコン カセット"},
    {"ファミコンディスクシステム", "FDS.bmp", ".FDS", "ファミコン ディスク"},
    {"メガドライブ", "MD.bmp", ".SMD;.BIN", "メガドライブ カセット"},
    {"ワンダースワン", "WS.bmp", ".WS", "ワンダースワン カセット"},
    {"ワンダースワンカラー", "WSC.bmp", ".WSC", "ワンダースワン カセット"},
}};

constexpr std::array<MasterRow, 8> kAdultex{{
    {"全年齢", 1, "a.bmp"},
    {"12才以上", 2, "b.bmp"},
    {"15才以上", 3, "c.bmp"},
    {"17才以上", 4, "d.bmp"},
    {"18才以上", 5, "z.bmp"},
    {"教育・データベース", 6, "eddb.bmp"},
    {"CERO規定適合", 7, "conform.bmp"},
    {"審査予定", 8, "be.bmp"},
}};

// folder\default_icon\<kind>\<file>, quoted for a SQL literal.
std::string iconPath(const std::string& folder, const char* kind, const char* file) {
  std::string path = platform::joinPath(platform::joinPath(platform::joinPath(folder, "default_icon"), kind), file);
  return db::DbConnection::quoteSql(path);
}

std::string quotedName(const char* utf8) { return db::DbConnection::quoteSql(text::sjis(utf8)); }

constexpr const char* kMediaInsert = "INSERT INTO media_info_table(media, media_icon, media_num) VALUES('";
constexpr const char* kGenreInsert = "INSERT INTO genre_info_table(genre, genre_icon, genre_num) VALUES('";
constexpr const char* kAdultexInsert =
    "INSERT INTO adultex_info_table(adultex, adultex_icon, adultex_num) VALUES('";

std::string masterInsert(const char* head, const char* kind, const MasterRow& row, const std::string& folder) {
  return head + quotedName(row.name) + "','" + iconPath(folder, kind, row.icon) + "'," +
         std::to_string(row.number) + ");";
}

std::string machineInsert(const MachineRow& row, int number, const std::string& folder) {
  return "INSERT INTO machine_info_table(machine, machine_icon, machine_num, search_ext, default_media) VALUES('" +
         quotedName(row.name) + "','" + iconPath(folder, "machine", row.icon) + "'," + std::to_string(number) +
         ",'" + quotedName(row.extensions) + "','" + quotedName(row.defaultMedia) + "');";
}

}  // namespace

int mainTableColumnCount() { return static_cast<int>(kMainColumns.size()); }

std::string mainTableStatement(int columnCount) {
  std::string sql = "CREATE TABLE main_table( ";
  for (int i = 0; i < columnCount && i < mainTableColumnCount(); ++i)
    sql += std::string(kMainColumns[i].name) + " " + kMainColumns[i].definition + ", ";
  return sql + "PRIMARY KEY(file_name) );";
}

std::string deleteSubtableTrigger(int deletions) {
  std::string sql = "CREATE TRIGGER delete_subtable_main AFTER DELETE ON main_table BEGIN ";
  for (int i = 0; i < deletions && i < static_cast<int>(kSubtableDeletions.size()); ++i) sql += kSubtableDeletions[i];
  return sql + "END ;";
}

const std::vector<SideTableKey>& sideTableKeys() {
  static const std::vector<SideTableKey> tables{
      {"spec_table", "pfile_sc"},     {"use_emuset_table", "pfile_ue"},     {"alter_ego_table", "pfile_ae"},
      {"snap_path_table", "pfile_sp"}, {"associate_file_table", "pfile_as"}, {"memo_table", "pfile_mm"},
      {"creator_table", "pfile_cr"},  {"favorite_table", "pfile_fv"}};
  return tables;
}

// Each table name is padded with blanks to the width of the longest one.
std::string updateMainPkeyTrigger() {
  std::string sql = "CREATE TRIGGER update_main_pkey AFTER UPDATE OF file_name ON main_table BEGIN ";
  const std::string widest = "associate_file_table";
  for (const SideTableKey& side : sideTableKeys()) {
    std::string table = side.table;
    table.resize(widest.size(), ' ');
    sql += std::string("UPDATE ") + table + " SET " + side.key + " = new.file_name WHERE " + side.key +
           " = old.file_name ;";
  }
  return sql + "END ;";
}

std::string updateSpecAdultexTrigger() {
  return "CREATE TRIGGER update_spec_adultex UPDATE OF adultex ON adultex_info_table "
         "BEGIN "
         "UPDATE spec_table SET adultex_name = new.adultex WHERE adultex_name = old.adultex ;"
         "END ;";
}

const std::string& tmpMaxdiskStatement() {
  static const std::string sql =
      "CREATE TABLE 'tmp_maxdisk' ( 'pfile_md_tmp' TEXT PRIMARY KEY NOT NULL, 'maxdisk' INTEGER DEFAULT '' );";
  return sql;
}

const std::string& useEmusetStatement() {
  static const std::string sql =
      "CREATE TABLE 'use_emuset_table' ( 'pfile_ue' TEXT PRIMARY KEY NOT NULL, 'emuset_name' TEXT DEFAULT '' );";
  return sql;
}

const std::vector<CreationStatement>& creationStatements() {
  static const std::vector<CreationStatement> statements = {
      {mainTableStatement(mainTableColumnCount()), "main_table", "メインテーブルが作成できませんでした。"},
      {"CREATE TABLE snap_path_table( pfile_sp TEXT UNIQUE NOT NULL, snap1 TEXT DEFAULT '', snap2 TEXT DEFAULT '', "
       "snap3 TEXT DEFAULT '', snap_dtt TEXT DEFAULT '', PRIMARY KEY(pfile_sp) ) ;",
       "snap_path_table", "スナップパステーブルが作成できませんでした。"},
      {"CREATE TABLE associate_file_table( pfile_as TEXT NOT NULL, as_file_name TEXT NOT NULL );",
       "associate_file_table", "関連ファイルテーブルが作成できませんでした。"},
      {"CREATE TABLE memo_table( pfile_mm TEXT NOT NULL, memo TEXT NOT NULL, PRIMARY KEY(pfile_mm) );", "memo_table",
       "メモテーブルが作成できませんでした。"},
      {"CREATE TABLE creator_table( pfile_cr TEXT NOT NULL, creator TEXT NOT NULL, PRIMARY KEY(pfile_cr) );",
       "creator_table", "クリエイターテーブルが作成できませんでした。"},
      {"CREATE TABLE favorite_table( pfile_fv TEXT NOT NULL, fave TEXT DEFAULT '', PRIMARY KEY(pfile_fv) );",
       "favorite_table", "お気に入りテーブルが作成できませんでした。"},
      {"CREATE TABLE spec_table( pfile_sc TEXT UNIQUE NOT NULL, breed TEXT DEFAULT '', price TEXT DEFAULT '', "
       "media_detail TEXT DEFAULT '', device TEXT DEFAULT '', players TEXT DEFAULT '', adultex_name TEXT DEFAULT '', "
       "savedat_detail TEXT DEFAULT '', sound_detail TEXT DEFAULT '', PRIMARY KEY(pfile_sc) ) ;",
       "spec_table", "詳細情報テーブルが作成できませんでした。"},
      {"CREATE TABLE alter_ego_table( pfile_ae TEXT UNIQUE NOT NULL, ae_file TEXT DEFAULT '', alter_ego INTEGER "
       "DEFAULT '', ren_file_name TEXT DEFAULT '', ply_pfile_ae TEXT DEFAULT '', PRIMARY KEY(pfile_ae) ) ;",
       "alter_ego_table", "分身起動用テーブルが作成できませんでした。"},
      {tmpMaxdiskStatement(), "tmp_maxdisk", "ディスクの最大枚数テーブルが作成できませんでした。"},
      {useEmusetStatement(), "use_emuset_table", "個別エミュレータ設定テーブルが作成できませんでした。"},
      {"CREATE TABLE qlm_table( ver INTEGER );", "qlm_table", "バージョンテーブルが作成できませんでした。"},
      {"CREATE INDEX maker_machine_idx ON main_table( maker, machine_name );", "maker_machine_idx",
       "メーカー＆機種インデックスが作成できませんでした。"},
      {"CREATE TABLE machine_info_table( machine TEXT UNIQUE NOT NULL, machine_icon TEXT DEFAULT '', machine_num "
       "INTEGER DEFAULT 0, search_ext TEXT DEFAULT '', snap_path TEXT DEFAULT '', default_media TEXT DEFAULT '', "
       "crc_start_byte INTEGER DEFAULT 0, crc_byte_len INTEGER DEFAULT 0, snap_path2 TEXT DEFAULT '', snap_path3 "
       "TEXT DEFAULT '', snap_dtm TEXT DEFAULT '', PRIMARY KEY(machine) );",
       "machine_info_table", "機種管理テーブルが作成できませんでした。"},
      {"CREATE TABLE media_info_table( media TEXT UNIQUE NOT NULL, media_icon TEXT DEFAULT '', media_num INTEGER "
       "DEFAULT 0, PRIMARY KEY(media) );",
       "media_info_table", "メディア管理テーブルが作成できませんでした。"},
      {"CREATE TABLE genre_info_table( genre TEXT UNIQUE NOT NULL, genre_icon TEXT DEFAULT '', genre_num INTEGER "
       "DEFAULT 0, PRIMARY KEY(genre) );",
       "genre_info_table", "ジャンル管理テーブルが作成できませんでした。"},
      {"CREATE TABLE adultex_info_table( adultex TEXT UNIQUE NOT NULL, adultex_icon TEXT DEFAULT '', adultex_num "
       "INTEGER DEFAULT 0, PRIMARY KEY(adultex) ) ;",
       "adultex_info_table", "拡張R指定管理テーブルが作成できませんでした。"},
      {deleteSubtableTrigger(8), "delete_subtable_main", ""},
      {"CREATE TRIGGER update_main_machine UPDATE OF machine ON machine_info_table BEGIN "
       "UPDATE main_table SET machine_name = new.machine WHERE machine_name = old.machine ;END ;",
       "update_main_machine", ""},
      {"CREATE TRIGGER update_main_and_machineinfo_media UPDATE OF media ON media_info_table BEGIN "
       "UPDATE main_table SET media_name = new.media WHERE media_name = old.media ;"
       "UPDATE machine_info_table SET default_media = new.media WHERE default_media = old.media ;END ;",
       "update_main_and_machineinfo_media", ""},
      {"CREATE TRIGGER update_main_genre UPDATE OF genre ON genre_info_table BEGIN "
       "UPDATE main_table SET genre_name = new.genre WHERE genre_name = old.genre ;END ;",
       "update_main_genre", ""},
      {updateSpecAdultexTrigger(), "update_spec_adultex", ""},
  };
  return statements;
}

std::vector<std::string> masterRowStatements(const std::string& programFolder) {
  std::vector<std::string> rows;
  for (const auto& row : kMedia) rows.push_back(masterInsert(kMediaInsert, "media", row, programFolder));
  for (const auto& row : kGenres) rows.push_back(masterInsert(kGenreInsert, "genre", row, programFolder));
  int number = 1;
  for (const auto& row : kMachines) rows.push_back(machineInsert(row, number++, programFolder));
  for (const auto& row : adultexRowStatements(programFolder)) rows.push_back(row);
  return rows;
}

std::vector<std::string> adultexRowStatements(const std::string& programFolder) {
  std::vector<std::string> rows;
  for (const auto& row : kAdultex) rows.push_back(masterInsert(kAdultexInsert, "cero", row, programFolder));
  return rows;
}

}  // namespace qm::dblib
