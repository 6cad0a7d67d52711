#include <utility>
#include <vector>

#include "common/db/max_disk.h"
#include "common/text/sjis.h"
#include "dblib/schema.h"
#include "dblib/setup_context.h"

namespace qm::dblib {
namespace {

using db::sqlText;

bool addRomNumber(SetupContext& ctx) {
  return ctx.run("ALTER TABLE main_table ADD COLUMN rom_num INTEGER DEFAULT '' ;",
                 "データベース構造Ver0→1へのアップデートに失敗しました");
}

// A bare year "1986" becomes "1986-00-00"; "0" and full dates stay.
bool widenSaleYears(SetupContext& ctx) {
  if (!ctx.run("SELECT DISTINCT sale_year FROM main_table ;", "発売年が参照できませんでした。")) return false;
  std::vector<std::string> years;
  for (int row = 1; row <= ctx.db.rowCount(); ++row) {
    std::string value = ctx.db.cell(row, 0);
    if (value.size() == 4) years.push_back(value);
  }
  for (const auto& year : years) {
    if (!ctx.run("UPDATE main_table SET sale_year=" + sqlText(year + "-00-00") + " WHERE sale_year=" + sqlText(year) +
                     " ;",
                 "発売年の形式を更新できませんでした。"))
      return false;
  }
  return true;
}

bool addSnapPathTable(SetupContext& ctx) {
  return ctx.run(
      "CREATE TABLE snap_path_table( pfile_sp TEXT UNIQUE NOT NULL, snap1 TEXT DEFAULT '', snap2 TEXT DEFAULT '', "
      "snap3 TEXT DEFAULT '', PRIMARY KEY(pfile_sp) ) ;",
      "スナップパステーブルが作成できませんでした。");
}

bool addDeleteTrigger(SetupContext& ctx) {
  return ctx.run(deleteSubtableTrigger(5), "delete_subtable_main トリガが作成できませんでした。");
}

bool addVersion5Tables(SetupContext& ctx) {
  clearLastQuery(ctx.paths.settingsPath);
  const std::pair<const char*, const char*> statements[] = {
      {"ALTER TABLE main_table ADD COLUMN play_time TEXT DEFAULT ''; ALTER TABLE main_table ADD COLUMN kana TEXT "
       "DEFAULT ''; ALTER TABLE main_table ADD COLUMN tag TEXT DEFAULT '';",
       "main_table へカラムを追加できませんでした。"},
      {"ALTER TABLE machine_info_table ADD COLUMN snap_path2 TEXT DEFAULT ''; ALTER TABLE machine_info_table ADD "
       "COLUMN snap_path3 TEXT DEFAULT ''; ALTER TABLE machine_info_table ADD COLUMN snap_dtm TEXT DEFAULT '';",
       "machine_info_table へカラムを追加できませんでした。"},
      {"ALTER TABLE snap_path_table ADD COLUMN snap_dtt TEXT DEFAULT '';",
       "snap_path_table へカラムを追加できませんでした。"},
  };
  for (const auto& [sql, message] : statements)
    if (!ctx.run(sql, message)) return false;
  ctx.db.execute("DROP TABLE favorite_table;");
  const std::pair<const char*, const char*> tables[] = {
      {"CREATE TABLE favorite_table( pfile_fv TEXT NOT NULL, fave TEXT DEFAULT '', PRIMARY KEY(pfile_fv) );",
       "favorite_table を作成できませんでした。"},
      {"CREATE TABLE adultex_info_table( adultex TEXT UNIQUE NOT NULL, adultex_icon TEXT DEFAULT '', adultex_num "
       "INTEGER DEFAULT 0, PRIMARY KEY(adultex) ) ;",
       "拡張R指定管理テーブルが作成できませんでした。"},
      {"CREATE TABLE spec_table( pfile_sc TEXT UNIQUE NOT NULL, breed TEXT DEFAULT '', price_notax INTEGER DEFAULT "
       "'', price_taxin INTEGER DEFAULT '', media_detail TEXT DEFAULT '', device TEXT DEFAULT '', min_player "
       "INTEGER DEFAULT '', max_player INTEGER DEFAULT '', adultex_name TEXT DEFAULT '', savedat_detail TEXT DEFAULT "
       "'', sound_detail TEXT DEFAULT '', PRIMARY KEY(pfile_sc) ) ;",
       "詳細情報テーブルが作成できませんでした。"},
      {"CREATE TABLE alter_ego_table( pfile_ae TEXT UNIQUE NOT NULL, ae_file TEXT DEFAULT '', alter_ego INTEGER "
       "DEFAULT '', PRIMARY KEY(pfile_ae) ) ;",
       "分身起動テーブルが作成できませんでした。"},
  };
  for (const auto& [sql, message] : tables)
    if (!ctx.run(sql, message)) return false;
  ctx.db.execute("DROP VIEW list_view ;");
  ctx.db.execute("DROP TRIGGER delete_subtable_main ;");
  if (!ctx.run(deleteSubtableTrigger(7), "delete_subtable_main トリガが作成できませんでした。")) return false;
  if (!ctx.run(updateSpecAdultexTrigger(), "update_spec_adultex トリガが作成できませんでした。\n処理を中止します\n",
               kDbErrorCaption))
    return false;
  for (const auto& row : adultexRowStatements(ctx.paths.programFolder)) ctx.db.execute(row);
  return true;
}

struct Child {
  std::string fileName;
  int ply;
  std::string parent;
};

// Children of every set numbered 2, 3, 4, ... in their present order, whatever
// the lowest one held. Every update is tried; any failure undoes the step.
bool renumberChildren(SetupContext& ctx) {
  if (!ctx.run("SELECT file_name, ply, ply_file_name FROM main_table WHERE ply>1 ORDER BY  ply_file_name, ply ;",
               "子イメージを選出できませんでした。"))
    return false;
  std::vector<Child> children;
  for (int row = 1; row <= ctx.db.rowCount(); ++row)
    children.push_back({ctx.db.cell(row, 0), std::atoi(ctx.db.cell(row, 1).c_str()), ctx.db.cell(row, 2)});
  bool ok = true;
  int counter = 2;
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (i == 0 || children[i].parent != children[i - 1].parent) counter = 2;
    const int wanted = counter++;
    if (children[i].ply == wanted) continue;
    ok = ctx.run("UPDATE main_table SET ply=" + std::to_string(wanted) +
                     " WHERE file_name=" + sqlText(children[i].fileName) + ";",
                 "子イメージ番号を更新できませんでした。") &&
         ok;
  }
  return ok;
}

bool addMaxDiskTable(SetupContext& ctx) {
  clearLastQuery(ctx.paths.settingsPath);
  if (!ctx.run(tmpMaxdiskStatement(),
               "\"tmp_maxdisk\"\nディスクの最大枚数テーブルが作成できませんでした。\n処理を中止します\n"))
    return false;
  return renumberChildren(ctx);
}

bool addEmulatorChoiceTable(SetupContext& ctx) {
  clearLastQuery(ctx.paths.settingsPath);
  if (!ctx.run(useEmusetStatement(),
               "\"use_emuset_table\"\n個別エミュレータ指定テーブルが作成できませんでした。\n処理を中止します\n"))
    return false;
  return ctx.run(
      "ALTER TABLE alter_ego_table ADD COLUMN ren_file_name TEXT DEFAULT ''; ALTER TABLE alter_ego_table ADD COLUMN "
      "ply_pfile_ae TEXT DEFAULT '';",
      "\"alter_ego_table\"\nren_file_name, ply_pfile_ae カラムが追加できませんでした。\n処理を中止します\n");
}

struct UpgradeStep {
  int reaches;  // runs for databases below this version, and records it
  bool (*apply)(SetupContext&);
  bool compactAfter;
};

constexpr UpgradeStep kSteps[] = {
    {1, addRomNumber, false},      {2, widenSaleYears, false},   {3, addSnapPathTable, false},
    {4, addDeleteTrigger, false},  {5, addVersion5Tables, false}, {7, addMaxDiskTable, true},
    {8, addEmulatorChoiceTable, true},
};

std::string versionStatements(int version) {
  return "DELETE FROM qlm_table;INSERT INTO qlm_table(ver) VALUES(" + std::to_string(version) + ");";
}

// One step in one transaction: a failure leaves the file at the last version
// reached, so the next start resumes from there.
bool runStep(SetupContext& ctx, const UpgradeStep& step) {
  db::WriteTransaction transaction(ctx.db);
  if (!ctx.beginUpdate(transaction)) return false;
  const bool ok = step.apply(ctx) &&
                  ctx.run(versionStatements(step.reaches), "バージョン番号を更新できませんでした。\n") &&
                  ctx.commitUpdate(transaction);
  if (!ok) return false;
  if (step.compactAfter) {
    ctx.db.execute("DROP VIEW list_view ;");
    ctx.db.execute("VACUUM;");
    db::rebuildMaxDisk(ctx.db);
  }
  return true;
}

}  // namespace

bool runUpgradeSteps(SetupContext& ctx, int version) {
  for (const auto& step : kSteps) {
    if (version >= step.reaches) continue;
    if (!runStep(ctx, step)) return false;
  }
  return true;
}

void writeSchemaVersion(int version, const std::string& dbPath) {
  db::DbConnection db;
  db.open(dbPath);
  db::inWriteTransaction(db, [&] { return db.execute(versionStatements(version)); });
}

}  // namespace qm::dblib
