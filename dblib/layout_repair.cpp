// Databases upgraded from version 4 or below by the steps alone lack the
// developer and smart_title columns and keep the old spec_table columns
// (price_notax, price_taxin, min_player, max_player), while everything that
// reads the library expects the current layout. This brings such a file to
// it, once, after a backup.
#include <algorithm>
#include <vector>

#include "common/text/encoding.h"
#include "dblib/schema.h"
#include "dblib/setup_context.h"

namespace qm::dblib {
namespace {

std::vector<std::string> columnsOf(db::DbConnection& db, const std::string& table) {
  std::vector<std::string> names;
  if (db.execute("PRAGMA table_info(" + table + ");")) return names;
  for (int row = 1; row <= db.rowCount(); ++row) names.push_back(db.cellByName(row, "name"));
  return names;
}

bool has(const std::vector<std::string>& names, const char* name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

const std::string& currentSpecTable() {
  for (const auto& statement : creationStatements())
    if (statement.object == "spec_table") return statement.sql;
  static const std::string none;
  return none;
}

// The old price pair and player range carried into the single text columns:
// the price with tax, the one without tax in brackets when it differs; the
// player range as "min-max", or one number when they agree.
std::string specCopyStatement() {
  const std::string priceNote = text::sjis("（税抜");
  const std::string priceEnd = text::sjis("）");
  return "INSERT INTO spec_table(pfile_sc, breed, price, media_detail, device, players, adultex_name, "
         "savedat_detail, sound_detail) SELECT pfile_sc, breed, "
         "CASE WHEN IFNULL(price_taxin,'')='' THEN IFNULL(price_notax,'') "
         "WHEN IFNULL(price_notax,'')='' OR price_notax=price_taxin THEN price_taxin "
         "ELSE price_taxin || '" + priceNote + "' || price_notax || '" + priceEnd + "' END, "
         "media_detail, device, "
         "CASE WHEN IFNULL(min_player,'')='' THEN IFNULL(max_player,'') "
         "WHEN IFNULL(max_player,'')='' OR max_player=min_player THEN min_player "
         "ELSE min_player || '-' || max_player END, "
         "adultex_name, savedat_detail, sound_detail FROM spec_table_old;";
}

bool rebuildSpecTable(SetupContext& ctx) {
  constexpr std::string_view kMessage = "\"spec_table\"\n詳細情報テーブルを新しい形式に移せませんでした。\n";
  // The view and the triggers name spec_table; they are made again below (the
  // view by the program's next search).
  ctx.db.execute("DROP VIEW list_view ;");
  ctx.db.execute("DROP TRIGGER update_spec_adultex;");
  ctx.db.execute("DROP TRIGGER delete_subtable_main;");
  return ctx.run("ALTER TABLE spec_table RENAME TO spec_table_old;", kMessage) &&
         ctx.run(currentSpecTable(), kMessage) && ctx.run(specCopyStatement(), kMessage) &&
         ctx.run("DROP TABLE spec_table_old;", kMessage) &&
         ctx.run(updateSpecAdultexTrigger(), "update_spec_adultex トリガが作成できませんでした。\n") &&
         ctx.run(deleteSubtableTrigger(8), "delete_subtable_main トリガが作成できませんでした。\n");
}

bool applyRepair(SetupContext& ctx, bool addDeveloper, bool addSmartTitle, bool convertSpec) {
  constexpr std::string_view kColumnMessage = "main_table へカラムを追加できませんでした。";
  if (addDeveloper && !ctx.run("ALTER TABLE main_table ADD COLUMN developer TEXT DEFAULT '';", kColumnMessage))
    return false;
  if (addSmartTitle && !ctx.run("ALTER TABLE main_table ADD COLUMN smart_title TEXT DEFAULT '';", kColumnMessage))
    return false;
  return !convertSpec || rebuildSpecTable(ctx);
}

}  // namespace

bool repairLayout(SetupContext& ctx) {
  const auto mainColumns = columnsOf(ctx.db, "main_table");
  const auto specColumns = columnsOf(ctx.db, "spec_table");
  const bool addDeveloper = !mainColumns.empty() && !has(mainColumns, "developer");
  const bool addSmartTitle = !mainColumns.empty() && !has(mainColumns, "smart_title");
  const bool convertSpec = has(specColumns, "price_notax") && !has(specColumns, "price");
  if (!addDeveloper && !addSmartTitle && !convertSpec) return true;
  if (!ctx.ensureBackup()) return false;
  db::WriteTransaction transaction(ctx.db);
  if (!ctx.beginUpdate(transaction)) return false;
  return applyRepair(ctx, addDeveloper, addSmartTitle, convertSpec) && ctx.commitUpdate(transaction);
}

}  // namespace qm::dblib
