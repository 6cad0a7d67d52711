#include "app/sync/folder_sync.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "app/library_moves/key_moves.h"
#include "app/maintenance/missing_images.h"
#include "app/sync/folder_walk.h"
#include "common/db/max_disk.h"
#include "common/db/prepared_statement.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "crclib/file_crc.h"
#include "crclib/known_keys.h"
#include "crclib/seen_files.h"

namespace qm::sync {
namespace {

using db::DbConnection;
using maintenance::RunContext;
using maintenance::RunStatus;

struct LibraryRow {
  std::string machine, crc32, crc16;
  bool walked = false;
};

// The registration's progress window, as the sync's run log.
class LogHost : public reg::SilentProgressHost {
public:
  explicit LogHost(const RunContext& run) : run_(run) {}
  void log(const std::string& line) override { run_.observer.log(line); }
  platform::MessageSink& messages() override { return run_.messages; }

private:
  const RunContext& run_;
};

bool under(const std::string& key, const std::string& prefix) {
  return key.size() > prefix.size() && key.compare(0, prefix.size(), prefix) == 0;
}

std::string joined(const std::vector<std::string>& keys) {
  std::string out;
  for (const std::string& key : keys) out += (out.empty() ? "" : " , ") + key;
  return out;
}

class Sync {
public:
  Sync(const RunContext& run, const SyncRequest& request, maintenance::FileProbe& files)
      : run_(run), request_(request), folder_(request.registration.path), gone_(files) {}

  SyncResult go();

private:
  bool load();
  bool inLibrary(const std::string& key);
  void findGone();
  void readNewCrcs();
  void logPlan();
  bool askRemoval();
  bool apply(bool remove);
  std::optional<std::string> writeChanges(std::vector<reg::SeenRow>& seen);
  std::optional<std::string> removeMissing();
  void registerAdded();
  void logSummary();
  void fail(RunStatus status) { result_.status = status; }

  const RunContext& run_;
  const SyncRequest& request_;
  std::string folder_;
  maintenance::GoneCheck gone_;
  DbConnection db_;
  std::string extensions_;
  std::optional<reg::KnownKeys> known_;  // read only when a key is not one of rows_
  std::unordered_map<std::string, LibraryRow> rows_;  // images under the folder
  reg::SeenStamps seen_;
  FolderWalk walk_;
  std::vector<GoneImage> goneImages_;
  SyncResult result_;
};

bool Sync::load() {
  db_.open(run_.dbPath);
  const std::string& machine = request_.registration.machine;
  std::optional<std::string> error =
      db_.execute("SELECT search_ext FROM machine_info_table WHERE machine=" + db::sqlText(machine) + " ;");
  // Without its row every file would count as an image of the machine.
  if (!error && db_.rowCount() == 0) {
    maintenance::inform(run_, text::sjis("指定された機種が登録されていません。\n") + machine);
    fail(RunStatus::NoMachine);
    return false;
  }
  if (!error && !db_.cell(1, 0).empty()) extensions_ = db_.cell(1, 0) + ";";
  std::string prefix = folder_;
  if (prefix.empty() || !platform::isSeparator(prefix.back())) prefix += platform::kPathSeparator;
  if (!error) error = db_.execute("SELECT count(*) FROM main_table;");
  if (!error) rows_.reserve(static_cast<std::size_t>(std::atoll(db_.cell(1, 0).c_str())));
  if (!error)
    error = db_.readRowsUtf8("SELECT file_name, machine_name, crc32, crc FROM main_table;", [&](const db::RowValues& row) {
      std::string key = DbConnection::fromUtf8(row.utf8(0));
      if (under(key, prefix))
        rows_[std::move(key)] = {DbConnection::fromUtf8(row.utf8(1)), std::string(row.utf8(2)),
                                 std::string(row.utf8(3))};
      return true;
    });
  if (!error) error = reg::loadSeen(db_, seen_);
  if (!error) return true;
  maintenance::inform(run_, text::sjis("メインテーブルを選択できませんでした。\n") + *error);
  fail(RunStatus::SelectFailed);
  return false;
}

// A key of the folder is found exactly as a rule; only one that is not is
// looked for as registration looks (ASCII case ignored, every machine).
bool Sync::inLibrary(const std::string& key) {
  const auto row = rows_.find(key);
  if (row != rows_.end()) {
    row->second.walked = true;
    return true;
  }
  if (!known_) {
    known_.emplace();
    if (auto error = known_->load(db_)) run_.observer.log(text::sjis("メインテーブルを参照できませんでした。\n") + *error);
  }
  return known_->exists(key);
}

// Images of the machine under the folder that the walk did not meet, decided
// one by one as the removal decides: only a file the system says is missing,
// on a volume that is there, is gone.
void Sync::findGone() {
  std::vector<std::string> keys;
  for (const auto& [key, row] : rows_)
    if (!row.walked && row.machine == request_.registration.machine) keys.push_back(key);
  std::sort(keys.begin(), keys.end());
  for (const std::string& key : keys) {
    std::string reason;
    const auto verdict = gone_.check(key, reason);
    if (verdict == maintenance::GoneCheck::Verdict::Gone) goneImages_.push_back({key, rows_[key].crc32});
    if (verdict != maintenance::GoneCheck::Verdict::Kept) continue;
    ++result_.kept;
    run_.observer.log(text::sjis("スキップ：") + maintenance::testedPath(key) + text::sjis(" （") + reason +
                      text::sjis("）"));
  }
}

// Only new files whose size a gone image had are read: an unchanged folder
// costs no reading at all.
void Sync::readNewCrcs() {
  const MatchSizes sizes(goneImages_, seen_);
  for (FoundImage& image : walk_.images) {
    if (image.inLibrary || image.member || !sizes.worthReading(image.stamp.size)) continue;
    const crc::CrcReport report = crc::fileCrc(image.key, request_.registration.window, crc::CrcSet::Crc32);
    if (report.outcome == crc::CrcOutcome::Computed) image.crc32 = crc::crc32Text(report.crc.crc32);
  }
}

void Sync::logPlan() {
  const SyncPlan& plan = result_.plan;
  auto& log = run_.observer;
  for (const std::string& path : walk_.unreadable) log.log(text::sjis("読めません：") + path);
  for (const Move& move : plan.moved) log.log(text::sjis("移動：") + move.from + text::sjis(" → ") + move.to);
  for (const std::string& key : plan.changed) log.log(text::sjis("変更：") + key);
  for (const std::string& key : plan.added) log.log(text::sjis("追加：") + key);
  for (const std::string& key : plan.missing) log.log(text::sjis("不在：") + key);
  for (const Ambiguity& a : plan.ambiguous)
    log.log(text::sjis("判別できません（そのままにします）：") + joined(a.gone) + text::sjis(" ／ ") + joined(a.found));
}

bool Sync::askRemoval() {
  if (!request_.removeMissing || result_.plan.missing.empty()) return false;
  const auto answer = run_.messages.show(std::to_string(result_.plan.missing.size()) +
                                             text::sjis(" 件の不在イメージをライブラリから削除します。\nよろしいですか？"),
                                         text::sjis("確認"), platform::MessageIcon::Question,
                                         platform::MessageButtons::YesNo);
  result_.declined = answer != platform::MessageAnswer::Yes;
  return !result_.declined;
}

// New CRCs of the changed files; a file that cannot be read keeps the values
// it has and its old stamp, so that the next sync tries again.
std::optional<std::string> Sync::writeChanges(std::vector<reg::SeenRow>& seen) {
  const SyncPlan& plan = result_.plan;
  if (plan.moved.empty() && plan.firstSeen.empty() && plan.changed.empty()) return std::nullopt;
  std::unordered_map<std::string, const FoundImage*> found;
  found.reserve(walk_.images.size());
  for (const FoundImage& image : walk_.images) found[image.key] = &image;
  for (const Move& move : result_.plan.moved) seen.push_back({move.to, found[move.to]->stamp});
  for (const std::string& key : result_.plan.firstSeen) seen.push_back({key, found[key]->stamp});
  db::PreparedStatement update;
  if (auto error = update.prepare(db_, "UPDATE main_table SET crc32=?, crc=? WHERE file_name=?;")) return error;
  const reg::RegistrationSettings& s = request_.registration.settings;
  for (const std::string& key : result_.plan.changed) {
    const FoundImage& image = *found[key];
    LibraryRow values = rows_[key];
    const bool want32 = s.crc32 || !values.crc32.empty(), want16 = s.crc16 || !values.crc16.empty();
    if (image.member) {
      // Only what the archive states: a member is not unpacked here.
      if (want32 && !image.crc32.empty()) values.crc32 = image.crc32;
    } else if (want32 || want16) {
      const auto set = want32 && want16 ? crc::CrcSet::Both : want32 ? crc::CrcSet::Crc32 : crc::CrcSet::Crc16;
      const crc::CrcReport report = crc::fileCrc(key, request_.registration.window, set);
      if (report.outcome == crc::CrcOutcome::Failed) {
        ++result_.unreadable;
        run_.observer.log(text::sjis("読めないファイル：") + key + text::sjis(" （") + report.error + text::sjis("）"));
        continue;
      }
      const bool computed = report.outcome == crc::CrcOutcome::Computed;
      values.crc32 = want32 && computed ? crc::crc32Text(report.crc.crc32) : want32 ? "" : values.crc32;
      values.crc16 = want16 && computed ? crc::crc16Text(report.crc.crc16) : want16 ? "" : values.crc16;
    }
    update.bindText(1, values.crc32);
    update.bindText(2, values.crc16);
    update.bindText(3, key);
    if (auto error = update.run()) return error;
    seen.push_back({key, image.stamp});
  }
  return std::nullopt;
}

std::optional<std::string> Sync::removeMissing() {
  db::PreparedStatement remove;
  if (auto error = remove.prepare(db_, "DELETE FROM main_table WHERE file_name=?;")) return error;
  for (const std::string& key : result_.plan.missing) {
    remove.bindText(1, key);
    if (auto error = remove.run()) return error;
    run_.observer.log(text::sjis("削除：") + maintenance::testedPath(key));
    ++result_.removed;
  }
  return maintenance::freeOrphanedChildren(db_);
}

// One transaction: the moves with all their rows, the new CRCs, the stamps
// and the removals stand or fall together.
bool Sync::apply(bool remove) {
  db::WriteTransaction transaction(db_);
  if (!maintenance::beginRun(transaction, run_)) {
    fail(RunStatus::BeginFailed);
    return false;
  }
  std::optional<std::string> error = reg::ensureSeenTable(db_);
  if (!error && !result_.plan.moved.empty()) {
    std::vector<moves::KeyMove> pairs;
    for (const Move& move : result_.plan.moved) pairs.push_back({move.from, move.to});
    if (auto failure = moves::moveKeyPairs(db_, pairs))
      error = failure->error.empty() ? text::sjis("キーが重複します：") + failure->collision : failure->error;
  }
  std::vector<reg::SeenRow> seen;
  if (!error) error = writeChanges(seen);
  if (!error) error = reg::writeSeen(db_, seen);
  if (!error && remove) error = removeMissing();
  if (!error && (remove || !result_.plan.moved.empty())) error = reg::forgetUnlisted(db_);
  if (error) {
    transaction.rollback();
    result_.removed = 0;
    maintenance::reportDbError(run_, text::sjis("ライブラリを同期できませんでした。\n"), *error);
    fail(RunStatus::CommitFailed);
    return false;
  }
  if (!maintenance::commitRun(transaction, run_)) {
    result_.removed = 0;
    fail(RunStatus::CommitFailed);
    return false;
  }
  return true;
}

void Sync::registerAdded() {
  reg::RegistrationRequest request = request_.registration;
  for (const Ambiguity& a : result_.plan.ambiguous)
    request.leaveAlone.insert(request.leaveAlone.end(), a.found.begin(), a.found.end());
  const reg::LibraryPaths paths{run_.dbPath, request_.settingsPath, platform::folderOf(run_.dbPath)};
  LogHost host(run_);
  StopFlag stop{stop::kRunning};
  const reg::RegistrationResult registered = reg::runRegistration(paths, request, host, stop);
  result_.added = static_cast<int>(registered.stored);
  result_.unreadable += static_cast<int>(registered.damaged + registered.unreadable);
  if (registered.end == reg::RegistrationEnd::Failed || registered.end == reg::RegistrationEnd::NoMachineRecord) {
    run_.observer.log(registered.finalStatus);
    fail(RunStatus::CommitFailed);
  }
}

void Sync::logSummary() {
  const SyncPlan& plan = result_.plan;
  const auto count = [](const char* name, std::size_t n) { return text::sjis(name) + std::to_string(n) + text::sjis(" 件"); };
  const std::size_t added = request_.testOnly ? plan.added.size() : static_cast<std::size_t>(result_.added);
  std::string line = count("移動 ", plan.moved.size()) + text::sjis("、") + count("変更 ", plan.changed.size()) +
                     text::sjis("、") + count("追加 ", added) + text::sjis("、") + count("不在 ", plan.missing.size()) +
                     text::sjis("、") + count("判別不能 ", plan.ambiguous.size());
  if (result_.removed > 0) line += text::sjis("、") + count("削除 ", static_cast<std::size_t>(result_.removed));
  run_.observer.log(line);
}

SyncResult Sync::go() {
  if (request_.registration.machine.empty()) return result_;
  if (!platform::folderExists(folder_)) {
    maintenance::inform(run_, text::sjis("フォルダが見つかりません。\n") + folder_);
    fail(RunStatus::NoRows);
    return result_;
  }
  if (request_.testOnly) run_.observer.log(text::sjis("---同期のシミュレーション---"));
  if (!load()) return result_;
  walk_ = walkFolder(folder_, request_.registration, extensions_,
                     [this](const std::string& key) { return inLibrary(key); });
  findGone();
  readNewCrcs();
  result_.plan = planSync(goneImages_, walk_.images, seen_);
  result_.unreadable += static_cast<int>(walk_.unreadable.size());
  logPlan();
  result_.status = RunStatus::Completed;
  if (!request_.testOnly) {
    const bool remove = askRemoval();
    if (!apply(remove)) return result_;
    if (!result_.plan.added.empty()) registerAdded();
    const bool changed = !result_.plan.moved.empty() || result_.removed > 0 || result_.added > 0;
    if (changed) {
      if (auto error = db::rebuildMaxDisk(db_))
        run_.observer.log(text::sjis("[ERROR] ディスク枚数の一覧を更新できませんでした：") + *error);
      maintenance::dropListView(db_, run_.itemList);
    }
  }
  logSummary();
  run_.observer.log(maintenance::finishedLine());
  run_.itemList.refresh();
  return result_;
}

}  // namespace

SyncResult syncFolder(const RunContext& run, const SyncRequest& request, maintenance::FileProbe& files) {
  Sync sync(run, request, files);
  return sync.go();
}

}  // namespace qm::sync
