#include "app/maintenance/title_walk.h"

#include "common/run/run_steps.h"

namespace qm::maintenance {
namespace {

std::string updateStatement(const char* column, const std::string& value, const std::string& fileName) {
  return std::string("UPDATE main_table SET ") + column + "='" + db::DbConnection::quoteSql(value) +
         "' WHERE file_name='" + db::DbConnection::quoteSql(fileName) + "';";
}

}  // namespace

RunResult walkTitles(const RunContext& run, db::DbConnection& rows, const TitleWalk& walk) {
  RunResult result;
  result.rows = rows.rowCount();
  run.observer.log(startedLine());
  run.observer.progressRange(result.rows);
  db::DbConnection writes;
  writes.open(run.dbPath);
  db::WriteTransaction transaction(writes);
  if (!beginRun(transaction, run)) {
    result.status = RunStatus::BeginFailed;
    return result;
  }
  bool stopped = false;
  std::string value;
  for (int row = 1; row <= result.rows && !stopped; ++row) {
    run.observer.progressStep();
    const std::string title = rows.cell(row, 1);
    walk.convert(title, value);
    const auto error = writes.execute(updateStatement(walk.column, value, rows.cell(row, 0)));
    if (error) ++result.failed;
    run.observer.log(walk.logLine(title, value, error));
    ++result.done;
    stopped = stopRequested(run.stop);
  }
  if (!commitRun(transaction, run)) {
    result.status = RunStatus::CommitFailed;
    return result;
  }
  run.observer.log(stopped ? walk.stoppedLine : finishedLine());
  result.status = stopped ? RunStatus::Stopped : RunStatus::Completed;
  return result;
}

}  // namespace qm::maintenance
