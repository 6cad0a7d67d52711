#include "app/maintenance/reading_run.h"

#include "app/maintenance/title_walk.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "common/text/text_normalizer.h"

namespace qm::maintenance {
namespace {

std::string logLine(const std::string& title, const std::string& reading, const std::optional<std::string>& error) {
  std::string line = title + " -> " + reading;
  if (error) line += " -> [ERROR] " + *error;
  return line;
}

RunResult reportNoRows(const RunContext& run, bool onlyEmpty) {
  inform(run, text::sjis(onlyEmpty ? "指定された機種で読み仮名が未入力のデータはありません。"
                                   : "指定された機種のデータはありません。"));
  return {RunStatus::NoRows};
}

RunResult selectAndWalk(const RunContext& run, const ReadingRun& what, db::DbConnection& rows) {
  if (const auto error = rows.execute(readingSelectStatement(what.machine, what.onlyEmpty))) {
    inform(run, text::sjis("メインテーブルを選択できませんでした。\n") + *error);
    return {RunStatus::SelectFailed};
  }
  if (rows.rowCount() == 0) return reportNoRows(run, what.onlyEmpty);
  const text::TextNormalizer normalizer(text::readingNormalizeOptions(what.options), what.tables);
  TitleWalk walk{"kana", [&](std::string_view title, std::string& reading) { normalizer.convert(title, reading); },
                 logLine, stoppedLine()};
  return walkTitles(run, rows, walk);
}

}  // namespace

std::string readingSelectStatement(const MachineChoice& machine, bool onlyEmpty) {
  if (machine.all) return std::string("SELECT file_name,title FROM main_table") + (onlyEmpty ? " WHERE kana='';" : ";");
  return "SELECT file_name,title FROM main_table WHERE machine_name='" + db::DbConnection::quoteSql(machine.name) +
         (onlyEmpty ? "' AND kana='';" : "';");
}

RunResult generateReadings(const RunContext& run, const ReadingRun& what) {
  if (what.machine.none()) return {RunStatus::NoMachine};
  db::DbConnection rows;
  rows.open(run.dbPath);
  dropListView(rows, run.itemList);
  RunResult result = selectAndWalk(run, what, rows);
  run.itemList.refresh();
  return result;
}

}  // namespace qm::maintenance
