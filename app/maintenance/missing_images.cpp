#include "app/maintenance/missing_images.h"

#include "common/db/max_disk.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::maintenance {
namespace {

using db::DbConnection;

std::string selectStatement(const MachineChoice& machine) {
  if (machine.all) return "SELECT file_name FROM main_table ;";
  return "SELECT file_name FROM main_table WHERE machine_name=" + db::sqlText(machine.name) + " ;";
}

std::string deleteAllStatement(const MachineChoice& machine) {
  if (machine.all) return "DELETE FROM main_table ;";
  return "DELETE FROM main_table WHERE machine_name=" + db::sqlText(machine.name) + " ;";
}

// A child keeps its disk number only while its parent row is there.
constexpr const char* kFreeOrphans =
    "UPDATE main_table SET ply=0, ply_file_name='' WHERE ply>1 AND ply_file_name NOT IN "
    "(SELECT file_name FROM main_table);";

void logIfFailed(const RunContext& run, const char* what, const std::optional<std::string>& error) {
  if (error) run.observer.log(text::sjis(what) + *error);
}

enum class RowOutcome { Present, Skipped, Removed, Failed };

RowOutcome skip(const RunContext& run, const std::string& path, const std::string& reason) {
  run.observer.log(text::sjis("スキップ：") + path + text::sjis(" （") + reason + text::sjis("）"));
  return RowOutcome::Skipped;
}

RowOutcome checkRow(const RunContext& run, DbConnection& writes, const std::string& key, GoneCheck& gone) {
  std::string reason;
  const GoneCheck::Verdict verdict = gone.check(key, reason);
  const std::string path = testedPath(key);
  if (verdict == GoneCheck::Verdict::Present) return RowOutcome::Present;
  if (verdict == GoneCheck::Verdict::Kept) return skip(run, path, reason);
  const auto error = writes.execute("DELETE FROM main_table WHERE file_name=" + db::sqlText(key) + ";");
  run.observer.log(text::sjis(error ? "失敗：" : "削除：") + path);
  return error ? RowOutcome::Failed : RowOutcome::Removed;
}

void count(RunResult& result, RowOutcome outcome) {
  if (outcome == RowOutcome::Skipped) ++result.skipped;
  if (outcome == RowOutcome::Removed) ++result.removed;
  if (outcome == RowOutcome::Failed) ++result.failed;
}

void freeOrphans(const RunContext& run, DbConnection& db) {
  logIfFailed(run, "[ERROR] 親を失った子イメージを単独にできませんでした：", freeOrphanedChildren(db));
}

void rebuildDiskCounts(const RunContext& run, DbConnection& db) {
  logIfFailed(run, "[ERROR] ディスク枚数の一覧を更新できませんでした：", db::rebuildMaxDisk(db));
}

RunResult walkRows(const RunContext& run, DbConnection& rows, FileProbe& files) {
  RunResult result;
  result.rows = rows.rowCount();
  run.observer.progressRange(result.rows);
  DbConnection writes;
  writes.open(run.dbPath);
  db::WriteTransaction transaction(writes);
  if (!beginRun(transaction, run)) return {RunStatus::BeginFailed, result.rows};
  run.observer.log(startedLine());
  GoneCheck gone(files);
  bool stopped = false;
  for (int row = 1; row <= result.rows && !stopped; ++row) {
    run.observer.progressStep();
    count(result, checkRow(run, writes, rows.cell(row, 0), gone));
    ++result.done;
    stopped = stopRequested(run.stop);
  }
  if (result.removed > 0) freeOrphans(run, writes);
  if (!commitRun(transaction, run)) {
    result.status = RunStatus::CommitFailed;
    return result;
  }
  run.observer.log(stopped ? stoppedLine() : finishedLine());
  if (result.removed > 0) rebuildDiskCounts(run, writes);
  result.status = stopped ? RunStatus::Stopped : RunStatus::Completed;
  return result;
}

RunResult removeMissing(const RunContext& run, const MachineChoice& machine, FileProbe& files) {
  DbConnection rows;
  rows.open(run.dbPath);
  if (const auto error = rows.execute(selectStatement(machine))) {
    inform(run, text::sjis("メインテーブルを選択できませんでした。\n") + *error);
    return {RunStatus::SelectFailed};
  }
  if (rows.rowCount() == 0) {
    inform(run, text::sjis("指定された機種のデータはありません。"));
    return {RunStatus::NoRows};
  }
  RunResult result = walkRows(run, rows, files);
  if (result.removed > 0) dropListView(rows, run.itemList);
  run.itemList.refresh();
  return result;
}

RunResult removeAll(const RunContext& run, const MachineChoice& machine) {
  const auto answer = run.messages.show(
      machine.name + text::sjis(" の 全アイテム をライブラリから削除します。\nよろしいですか？"), text::sjis("確認"),
      platform::MessageIcon::Question, platform::MessageButtons::YesNo);
  if (answer != platform::MessageAnswer::Yes) return {RunStatus::Declined};
  DbConnection db;
  db.open(run.dbPath);
  if (const auto error = db.execute(deleteAllStatement(machine))) {
    inform(run, text::sjis("メインテーブルから削除できませんでした。\n") + *error);
    return {RunStatus::DeleteFailed};
  }
  run.observer.log(machine.name + text::sjis(" の 全アイテム をライブラリから削除しました"));
  freeOrphans(run, db);
  rebuildDiskCounts(run, db);
  dropListView(db, run.itemList);
  run.itemList.refresh();
  return {RunStatus::Completed};
}

}  // namespace

bool GoneCheck::reachable(const std::string& path) {
  const std::string root = volumeRoot(path);
  const auto now = files_.now();
  const auto it = lastGood_.find(root);
  if (it != lastGood_.end() && now - it->second < kGrace) return true;
  if (!files_.reachable(root)) {
    lastGood_.erase(root);
    return false;
  }
  lastGood_[root] = files_.now();
  return true;
}

GoneCheck::Verdict GoneCheck::check(const std::string& imageKey, std::string& reason) {
  const std::string path = testedPath(imageKey);
  const PathLook look = files_.look(path);
  if (look.state == PathState::Present) return Verdict::Present;
  reason = look.reason;
  if (look.state == PathState::Unreadable) return Verdict::Kept;
  if (reachable(path)) return Verdict::Gone;
  reason = text::sjis("ドライブ又は共有フォルダが見つかりません");
  return Verdict::Kept;
}

std::optional<std::string> freeOrphanedChildren(DbConnection& db) { return db.execute(kFreeOrphans); }

std::string testedPath(const std::string& imageKey) {
  const std::size_t star = sjis::find(imageKey, '*');
  return star == sjis::npos ? imageKey : imageKey.substr(0, star);
}

RunResult removeImages(const RunContext& run, const RemovalRun& what, FileProbe& files) {
  if (what.machine.none()) return {RunStatus::NoMachine};
  return what.onlyMissing ? removeMissing(run, what.machine, files) : removeAll(run, what.machine);
}

}  // namespace qm::maintenance
