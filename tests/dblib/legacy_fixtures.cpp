#include "tests/dblib/legacy_fixtures.h"

#include <gtest/gtest.h>

#include "tests/dblib/expected_schema.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::legacy {
namespace {

using expected::statementFor;

// The favourite table before version 5 (dropped by that upgrade).
constexpr const char* kOldFavoriteTable =
    "CREATE TABLE favorite_table( pfile_fv TEXT NOT NULL, fave INTEGER DEFAULT 0, PRIMARY KEY(pfile_fv) );";
constexpr const char* kOldMachineTable =
    "CREATE TABLE machine_info_table( machine TEXT UNIQUE NOT NULL, machine_icon TEXT DEFAULT '', machine_num "
    "INTEGER DEFAULT 0, search_ext TEXT DEFAULT '', snap_path TEXT DEFAULT '', default_media TEXT DEFAULT '', "
    "crc_start_byte INTEGER DEFAULT 0, crc_byte_len INTEGER DEFAULT 0, PRIMARY KEY(machine) );";
constexpr const char* kSnapTableV3 =
    "CREATE TABLE snap_path_table( pfile_sp TEXT UNIQUE NOT NULL, snap1 TEXT DEFAULT '', snap2 TEXT DEFAULT '', "
    "snap3 TEXT DEFAULT '', PRIMARY KEY(pfile_sp) ) ;";
constexpr const char* kAlterEgoTableV5 =
    "CREATE TABLE alter_ego_table( pfile_ae TEXT UNIQUE NOT NULL, ae_file TEXT DEFAULT '', alter_ego INTEGER DEFAULT "
    "'', PRIMARY KEY(pfile_ae) ) ;";
// The program creates this with every search; upgrades drop it.
constexpr const char* kListView = "CREATE VIEW list_view AS SELECT file_name, title FROM main_table WHERE ply<2 ;";

std::vector<std::string> version0Schema() {
  return {expected::mainTableUpTo("associate"),
          statementFor("associate_file_table"),
          statementFor("memo_table"),
          statementFor("creator_table"),
          kOldFavoriteTable,
          statementFor("qlm_table"),
          statementFor("maker_machine_idx"),
          kOldMachineTable,
          statementFor("media_info_table"),
          statementFor("genre_info_table"),
          statementFor("update_main_machine"),
          statementFor("update_main_and_machineinfo_media"),
          statementFor("update_main_genre")};
}

std::vector<std::string> version6Schema() {
  std::vector<std::string> statements;
  for (const auto& statement : expected::creationStatements()) {
    if (statement.object == "tmp_maxdisk" || statement.object == "use_emuset_table") continue;
    if (statement.object == "alter_ego_table")
      statements.push_back(kAlterEgoTableV5);
    else if (statement.object == "delete_subtable_main")
      statements.push_back(expected::deleteTrigger(7));
    else
      statements.push_back(statement.sql);
  }
  statements.push_back(kListView);
  return statements;
}

struct MainRow {
  std::string fileName, title, saleYear;
  int ply;
  std::string parent, arcTitle;
  int associate;
};

const std::vector<MainRow>& mainRows() {
  static const std::vector<MainRow> rows = {
      {kAlpha, "Alpha", "1986", 0, "", "", 2},
      {kHero, "Hero's Quest", "0", 0, "", "", 0},
      {kJapanese, "ゲーム表示", "1990-05-00", 0, "", "", 0},
      {kSaga, "Saga", "1987", 1, "", "", 0},
      {"C:\\disks\\saga2.d88", "Saga", "1987", 2, kSaga, "", 0},
      {"C:\\disks\\saga3.d88", "Saga", "1987", 4, kSaga, "", 0},
      {"C:\\disks\\saga4.d88", "Saga", "1987", 7, kSaga, "", 0},
      {kQuest, "Quest", "1988-01-02", 1, "", "", 0},
      {"C:\\disks\\quest2.d88", "Quest", "1988-01-02", 3, kQuest, "", 0},
      {"C:\\disks\\quest3.d88", "Quest", "1988-01-02", 5, kQuest, "", 0},
  };
  return rows;
}

std::string mainInsert(const MainRow& row, int version) {
  std::string columns =
      "file_name, file_title, file_ext, machine_name, title, sale_year, ply, ply_file_name, associate";
  std::string values = literal(row.fileName) + ", " + literal(row.title) + ", '.nes', " + literal("ファミコン") + ", " +
                       literal(row.title) + ", " + literal(row.saleYear) + ", " + std::to_string(row.ply) + ", " +
                       literal(row.parent) + ", " + std::to_string(row.associate);
  if (version >= 6) {
    columns += ", smart_title";
    values += ", " + literal(row.title);
  }
  return "INSERT INTO main_table(" + columns + ") VALUES(" + values + ");";
}

std::string insert(const std::string& table, const std::vector<std::string>& values) {
  std::string sql = "INSERT INTO " + table + " VALUES(";
  for (std::size_t i = 0; i < values.size(); ++i) sql += (i ? ", " : "") + literal(values[i]);
  return sql + ");";
}

}  // namespace

std::string literal(const std::string& value) {
  std::string quoted = "'";
  for (char c : value) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

std::vector<std::string> schemaStatements(int version) {
  std::vector<std::string> statements;
  if (version >= 6) {
    statements = version6Schema();
    if (version >= 7) statements.push_back(statementFor("tmp_maxdisk"));
    return statements;
  }
  statements = version0Schema();
  if (version >= 1) statements[0] = expected::mainTableUpTo("rom_num");
  if (version >= 3) statements.push_back(kSnapTableV3);
  if (version >= 4) {
    statements.push_back(expected::deleteTrigger(5));
    statements.push_back(kListView);
  }
  return statements;
}

std::vector<std::string> rowStatements(int version) {
  std::vector<std::string> rows;
  for (const auto& row : mainRows()) rows.push_back(mainInsert(row, version));
  const std::string icon = "C:\\Q\\default_icon\\machine\\NES.bmp";
  rows.push_back(
      "INSERT INTO machine_info_table(machine, machine_icon, machine_num, search_ext, default_media) VALUES(" +
      literal("ファミコン") + ", " + literal(icon) + ", 1, '.NES', " + literal("ファミコン カセット") + ");");
  rows.push_back("INSERT INTO media_info_table VALUES(" + literal("ファミコン カセット") + ", '', 1);");
  rows.push_back("INSERT INTO genre_info_table VALUES(" + literal("アクション") + ", '', 1);");

  rows.push_back(insert("memo_table", {kAlpha, "memo of alpha"}));
  rows.push_back(insert("memo_table", {kHero, "it's fine"}));
  rows.push_back(insert("memo_table", {kJapanese, ""}));
  rows.push_back(insert("memo_table", {kGone, "lost memo"}));
  rows.push_back(insert("creator_table", {kAlpha, "Team A\r\nTeam B"}));
  rows.push_back(insert("creator_table", {kSaga, ""}));
  rows.push_back(insert("creator_table", {kGone, "nobody"}));
  rows.push_back(insert("associate_file_table", {kAlpha, "C:\\docs\\manual.txt"}));
  rows.push_back(insert("associate_file_table", {kAlpha, "http://example.com/alpha"}));
  rows.push_back(insert("associate_file_table", {kSaga, ""}));
  rows.push_back(insert("associate_file_table", {kGone, "C:\\docs\\gone.txt"}));
  if (version < 5) {
    rows.push_back("INSERT INTO favorite_table VALUES(" + literal(kAlpha) + ", 1);");
  } else {
    rows.push_back(insert("favorite_table", {kAlpha, "135"}));
    rows.push_back(insert("favorite_table", {kGone, "2"}));
  }
  if (version >= 3) {
    rows.push_back("INSERT INTO snap_path_table(pfile_sp, snap1) VALUES(" + literal(kAlpha) + ", 'C:\\snap\\a1.png');");
    rows.push_back("INSERT INTO snap_path_table(pfile_sp, snap2) VALUES(" + literal(kHero) + ", 'C:\\snap\\h2.png');");
    rows.push_back("INSERT INTO snap_path_table(pfile_sp, snap1) VALUES(" + literal(kGone) + ", 'C:\\snap\\g.png');");
  }
  if (version >= 5) {
    rows.push_back("UPDATE snap_path_table SET snap_dtt='F150153' WHERE pfile_sp=" + literal(kHero) + ";");
    rows.push_back(insert("adultex_info_table", {"全年齢", "C:\\Q\\default_icon\\cero\\a.bmp", "1"}));
    rows.push_back(insert("adultex_info_table", {"18才以上", "C:\\Q\\default_icon\\cero\\z.bmp", "5"}));
    rows.push_back(insert("spec_table", {kAlpha, "HVC-AL", "4900", "", "", "2", "全年齢", "", ""}));
    rows.push_back(insert("spec_table", {kHero, "", "", "", "", "", "", "", ""}));
    rows.push_back(insert("spec_table", {kGone, "X", "", "", "", "", "", "", ""}));
    rows.push_back("INSERT INTO alter_ego_table VALUES(" + literal(kSaga) + ", 'C:\\disks\\saga_ae.d88', 1);");
    rows.push_back("INSERT INTO alter_ego_table VALUES(" + literal(kGone) + ", 'C:\\disks\\gone_ae.d88', 1);");
  }
  return rows;
}

void build(const std::string& dbPath, int version, std::optional<int> versionRow) {
  auto statements = schemaStatements(version);
  auto rows = rowStatements(version);
  statements.insert(statements.end(), rows.begin(), rows.end());
  if (versionRow) statements.push_back("INSERT INTO qlm_table(ver) VALUES(" + std::to_string(*versionRow) + ");");
  ASSERT_TRUE(test::executeAll(dbPath, statements));
}

}  // namespace qm::dblib::legacy
