#include "app/launch/launch_run.h"

#include "app/launch/alter_ego_renames.h"
#include "app/launch/extract_cleanup.h"
#include "app/launch/image_preparation.h"
#include "app/launch/play_time.h"
#include "app/rewrite/launch_rewrite.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::launch {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

constexpr const char* kNotStarted = "エミュレータが起動できませんでした";

void notStarted(const LaunchEnvironment& env, const char* utf8) {
  env.sink->show(sjis(utf8), sjis(kNotStarted), MessageIcon::Warning, MessageButtons::Ok);
}

// Counts a launch as preparing its images for as long as it lives, so that
// no ending launch empties the extract folder under it.
class PreparingMark {
public:
  explicit PreparingMark(LaunchCounters& counters) : counters_(counters) { ++counters_.preparing; }
  ~PreparingMark() { end(); }
  void end() {
    if (active_) --counters_.preparing;
    active_ = false;
  }

private:
  LaunchCounters& counters_;
  bool active_ = true;
};

bool needsExtractFolder(const LaunchPlan& plan) { return plan.images.handOver == 1 || plan.images.handOver == 2; }

// The folder checks before anything is touched; false after telling the user.
bool foldersReady(const LaunchEnvironment& env, const LaunchPlan& plan) {
  platform::MessageSink& sink = *env.sink;
  bool ready = true;
  if (needsExtractFolder(plan)) {
    const std::string& folder = plan.images.extractFolder;
    if (folder.empty()) {
      sink.show(sjis("イメージファイルの解凍先フォルダが見つかりませんでした\n処理を中止します"), "",
                MessageIcon::Error, MessageButtons::Ok);
      ready = false;
    } else if (!platform::folderExists(folder)) {
      if (sink.show(sjis("イメージファイルの解凍先フォルダが見つかりませんでした\nフォルダを作成しますか？\n→") + folder,
                    "", MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        sink.show(sjis("イメージファイルの解凍先フォルダが見つかりませんでした\n処理を中止します"), "",
                  MessageIcon::Error, MessageButtons::Ok);
        ready = false;
      } else if (!platform::createFolder(folder)) {
        sink.show(sjis("解凍先フォルダを作成できませんでした\n処理を中止します"), "", MessageIcon::Error,
                  MessageButtons::Ok);
        ready = false;
      }
    }
  }
  if (ready && (plan.exec.empty() || !platform::fileExists(plan.exec) || platform::folderExists(plan.exec))) {
    sink.show(sjis("エミュレータ実行ファイルが見つかりませんでした\n処理を中止します"), "", MessageIcon::Error,
              MessageButtons::Ok);
    ready = false;
  }
  if (!ready) notStarted(env, "エミュレータのパス又は、解凍・コピー先のフォルダが存在するかを確認して下さい。");
  return ready;
}

// The programs of "StartCommand" (phase 0) or "TerminateCommand" (phase 1).
void runCompanions(const LaunchEnvironment& env, const LaunchPlan& plan, const LaunchItem& item, int phase) {
  const auto& programs = phase == 0 ? plan.setting.startPrograms : plan.setting.endPrograms;
  for (const CompanionProgram& program : programs) {
    if (program.command.empty()) continue;
    if (phase == 1) env.host->sleep(1000);
    ProcessRequest request;
    request.program = program.command;
    request.arguments = expandCompanionArguments(env.place, plan, item, program.arguments);
    request.throughShell = true;
    request.normalShow = true;
    env.host->start(request);
    env.host->sleep(program.waitSeconds * 1000 + 1000);
  }
}

void runEndProgramsIfLast(const LaunchEnvironment& env, const LaunchPlan& plan, const LaunchItem& item) {
  if (env.counters->running.load() == 0) runCompanions(env, plan, item, 1);
}

ProcessRequest emulatorRequest(const LaunchPlan& plan) {
  ProcessRequest request;
  request.program = plan.exec;
  request.arguments = plan.arguments;
  request.folder = plan.folder;
  request.throughShell = plan.setting.checkType != static_cast<int>(EndDetection::ProcessHandle);
  return request;
}

void waitForEnd(const LaunchEnvironment& env, const LaunchPlan& plan, EmulatorProcess& process) {
  const bool byTitle = plan.setting.checkType == static_cast<int>(EndDetection::WindowTitle);
  // Without a text to look for every title would match and the wait never end.
  if (byTitle && !plan.titleSearch.empty()) {
    env.host->waitWhileTitleShown(plan.titleSearch, plan.setting.titleIntervalSeconds * 1000);
    return;
  }
  process.waitForEnd();
}

bool countBoot(const LaunchEnvironment& env, const LaunchItem& item, long long runMs) {
  db::DbConnection db;
  db.open(env.place.dbPath);
  const std::string playTime = addPlayTime(item.playTime, static_cast<long>(runMs / 1000));
  if (db.execute(bootCountStatement(item.fileName, playTime))) {
    env.sink->show(sjis("起動回数と最終起動日の格納に失敗しました"), sjis("DBエラー"), MessageIcon::Error,
                   MessageButtons::Ok);
    return false;
  }
  return true;
}

void dbError(const LaunchEnvironment& env, const char* utf8, const std::string& error) {
  env.sink->show(sjis(utf8) + error, sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
}

// An alter-ego launch renames files of the user's alter-ego folder: the new
// names are recorded so that a launch cut short is put right by the next.
void recordRenames(const LaunchEnvironment& env, const LaunchPlan& plan, const RenameJournal& renames) {
  if (!plan.alterEgo || renames.renames().empty()) return;
  db::DbConnection db;
  db.open(env.place.dbPath);
  if (auto error = recordAlterEgoRenames(db, renames.renames()))
    dbError(env, "親イメージのリネーム結果格納エラー\n", *error);
}

void restoreRecordedRenames(const LaunchEnvironment& env, const LaunchPlan& plan, const LaunchItem& item) {
  if (!plan.alterEgo) return;
  db::DbConnection db;
  db.open(env.place.dbPath);
  if (auto error = restoreAlterEgoRenames(db, item.fileName))
    dbError(env, "backReNameAlterName:リネーム情報消去エラー\n", *error);
}

// Files the user keeps are never emptied with the scratch ones: a refusal is told.
int cleanExtractFolder(const LaunchEnvironment& env, const LaunchPlan& plan) {
  const std::string& folder = plan.images.extractFolder;
  const CleanupResult cleaned = emptyExtractFolder(folder, {env.place.root, env.place.dbPath, plan.exec});
  const std::string refusal = cleanupRefusalText(cleaned.refusal, folder);
  if (!refusal.empty()) env.sink->show(refusal, "", MessageIcon::Warning, MessageButtons::Ok);
  return cleaned.deleted;
}

}  // namespace

LaunchReport runLaunch(const LaunchEnvironment& env, const LaunchRequest& request) {
  LaunchReport report;
  const LaunchItem& item = request.item;
  env.host->preparing();
  PreparingMark preparing(*env.counters);
  PlanRefusal refusal = PlanRefusal::NoSetting;
  const auto planned = planLaunch(env.place, request, *env.sink, &refusal);
  if (!planned) {
    if (refusal != PlanRefusal::NoSetting) report.outcome = LaunchOutcome::SettingRefused;
    env.host->ended();
    return report;
  }
  const LaunchPlan& plan = *planned;
  report.commandLine = commandLineOf(plan);
  report.folder = plan.folder;
  if (!foldersReady(env, plan)) {
    report.outcome = LaunchOutcome::FolderOrProgram;
    env.host->ended();
    return report;
  }
  // Held until the end's restores are done, so that no other launch of the
  // process moves this one's renamed files back under its emulator.
  const std::optional<AlterEgoClaims::Claim> alterEgoClaim =
      plan.alterEgo ? env.counters->alterEgos.claim(item.fileName, plan.images.renameMode != 0) : std::nullopt;
  if (plan.alterEgo && !alterEgoClaim) {
    notStarted(env, "この分身アイテムは起動中です。\nエミュレータを終了してから起動し直して下さい。");
    report.outcome = LaunchOutcome::AlterEgoInUse;
    env.host->ended();
    return report;
  }
  restoreRecordedRenames(env, plan, item);
  // Whatever way the launch ends from here, the journal puts the settings back.
  rewrite::RewriteJournal rewrites(env.registry ? env.registry : rewrite::systemRegistry());
  rewrite::rewriteForLaunch(env.place, plan, item, rewrites, *env.sink);
  const PreparationResult prepared = prepareImages(plan.rows, plan.images);
  RenameJournal renames;
  std::string leftover;
  const bool renamed = prepared.ok && renamePreparedImages(plan.rows, plan.images, renames, &leftover);
  recordRenames(env, plan, renames);
  if (!renamed) {
    renames.restore();
    restoreRecordedRenames(env, plan, item);
    if (!leftover.empty())
      env.sink->show(sjis("名前を変えたイメージファイルが残っています。\n→") + leftover +
                         sjis("\n前回の起動が途中で終わったときのものです。元の名前に戻すか削除して下さい。"),
                     sjis(kNotStarted), MessageIcon::Warning, MessageButtons::Ok);
    else
      notStarted(env, "イメージファイルを解凍出来ません。\n解凍に必要なDLL又はイメージファイル自体が存在しない可能性があります。");
    report.outcome = LaunchOutcome::PreparationFailed;
    env.host->ended();
    return report;
  }
  // The snapshot steps take a picture on the clipboard after the run as the emulator's.
  env.host->emptyClipboard();
  if (env.observer) env.observer->beforeStart(plan, item);
  env.host->starting();
  runCompanions(env, plan, item, 0);
  const long long startMs = env.host->nowMilliseconds();
  std::unique_ptr<EmulatorProcess> process = env.host->start(emulatorRequest(plan));
  const bool byProcess = plan.setting.checkType == static_cast<int>(EndDetection::ProcessHandle);
  if (!process) {
    runEndProgramsIfLast(env, plan, item);
    notStarted(env, "プロセスの作成に失敗しました。");
    report.outcome = LaunchOutcome::StartFailed;
    env.host->ended();
    return report;
  }
  const bool idle = process->waitUntilIdle(byProcess);
  env.host->sleep(100);
  if (!idle && byProcess) {
    runEndProgramsIfLast(env, plan, item);
    notStarted(env, "タイムアウトされました。\nプロセスハンドルの取得に失敗しました。");
    report.outcome = LaunchOutcome::TimedOut;
    env.host->ended();
    return report;
  }
  // Raised before the preparing mark goes, so that no launch ending meanwhile
  // finds neither and empties the extract folder under this one.
  ++env.counters->running;
  preparing.end();
  env.host->emulatorRunning();
  if (env.observer) env.observer->running(plan, item, *process);
  waitForEnd(env, plan, *process);
  // The emulator's own run is what is played: not the pause, the end programs
  // or the snapshot choice after it.
  const long long endMs = env.host->nowMilliseconds();
  if (env.observer) env.observer->stopped();
  --env.counters->running;
  env.host->sleep(1500);
  renames.restore();
  restoreRecordedRenames(env, plan, item);
  rewrites.restore();
  // Read after the pause: an emulator started meanwhile is still running.
  if (env.counters->running.load() == 0) runCompanions(env, plan, item, 1);
  if (env.observer) env.observer->afterRun(plan, item);
  env.host->emulatorEnded();
  env.host->finishing();
  report.outcome = LaunchOutcome::Ran;
  report.runMilliseconds = endMs - startMs;
  if (report.runMilliseconds > kCountedRunMilliseconds) report.counted = countBoot(env, item, report.runMilliseconds);
  const bool noneRunning = env.counters->running.load() == 0;
  if (noneRunning && plan.setting.extractAllDelete == 1 && env.counters->preparing.load() == 0)
    report.extractFilesDeleted = cleanExtractFolder(env, plan);
  if (report.counted && noneRunning) env.host->itemChanged(item.fileName);
  env.host->ended();
  return report;
}

}  // namespace qm::launch
