#include "app/maintenance/smart_title_run.h"

#include "app/maintenance/title_walk.h"
#include "common/platform/files.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "common/text/smart_title.h"

namespace qm::maintenance {
namespace {

std::string logLine(const std::string& title, const std::string&, const std::optional<std::string>& error) {
  return error ? title + " -> [ERROR] " + *error : title + " -> OK";
}

RunResult selectAndWalk(const RunContext& run, SmartTitleMode mode, const MachineChoice& machine,
                        const text::SymbolTables& tables, db::DbConnection& rows) {
  if (const auto error = rows.execute(smartTitleSelectStatement(mode, machine))) {
    inform(run, text::sjis("メインテーブルを選択できませんでした。\n") + *error);
    return {RunStatus::SelectFailed};
  }
  if (rows.rowCount() == 0) return {RunStatus::NoRows};
  const text::TextNormalizer normalizer = text::smartTitleNormalizer(tables);
  TitleWalk walk{"smart_title",
                 [&](std::string_view title, std::string& smart) { normalizer.convert(title, smart); }, logLine,
                 text::sjis("ユーザーからの要求で処理を中断しました")};
  return walkTitles(run, rows, walk);
}

}  // namespace

std::string smartTitleSelectStatement(SmartTitleMode mode, const MachineChoice& machine) {
  if (mode == SmartTitleMode::Update) return "SELECT file_name,title FROM main_table WHERE smart_title='';";
  if (machine.all) return "SELECT file_name,title FROM main_table;";
  return "SELECT file_name,title FROM main_table WHERE machine_name=" + db::sqlText(machine.name) + ";";
}

std::string emptyTitleStatement(SmartTitleMode mode, const MachineChoice& machine) {
  std::string sql =
      "UPDATE main_table SET title=CASE WHEN file_title!='' THEN file_title ELSE file_name END WHERE title=''";
  if (mode == SmartTitleMode::Rebuild && !machine.all) sql += " AND machine_name=" + db::sqlText(machine.name);
  return sql + ";";
}

RunResult rebuildSmartTitles(const RunContext& run, SmartTitleMode mode, const MachineChoice& machine,
                             const text::SymbolTables& tables) {
  if (mode == SmartTitleMode::Rebuild && machine.none()) return {RunStatus::NoMachine};
  db::DbConnection rows;
  rows.open(run.dbPath);
  if (mode == SmartTitleMode::Rebuild) dropListView(rows, run.itemList);
  // An empty title folds to an empty smart title, which would stay "not
  // computed yet" for ever.
  if (const auto error = rows.execute(emptyTitleStatement(mode, machine)))
    run.observer.log(text::sjis("[ERROR] 空のタイトルを埋められませんでした：") + *error);
  RunResult result = selectAndWalk(run, mode, machine, tables, rows);
  run.itemList.refresh();
  return result;
}

bool smartTitlesMissing(const std::string& dbPath) {
  if (!platform::fileExists(dbPath)) return false;
  db::DbConnection db;
  db.open(dbPath);
  return !db.execute("SELECT 1 FROM main_table WHERE smart_title='' LIMIT 1;") && db.rowCount() > 0;
}

SmartTitleCheck checkSmartTitle(const std::string& dbPath, const std::string& fileName) {
  db::DbConnection db;
  db.open(dbPath);
  if (const auto error =
          db.execute("SELECT smart_title FROM main_table WHERE file_name=" + db::sqlText(fileName) + " ;"))
    return {false, text::sjis("スマートタイトルが取得できません。\n") + *error};
  return {true, db.cell(1, 0)};
}

const std::string& smartTitleCheckCaption() {
  static const std::string caption = text::sjis("スマートタイトルの確認");
  return caption;
}

}  // namespace qm::maintenance
