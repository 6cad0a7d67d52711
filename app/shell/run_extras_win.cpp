#include "app/shell/run_extras_win.h"

#include <atomic>

#include "app/capture/auto_snap_mode.h"
#include "app/capture/auto_snapshot_files.h"
#include "app/capture/auto_snapshot_win.h"
#include "app/capture/file_time.h"
#include "app/capture/screen_picture_win.h"
#include "app/capture/snapshot_files.h"
#include "app/capture/snapshot_steps.h"
#include "app/capture/snapshot_windows_win.h"
#include "app/keys/key_sender_win.h"
#include "app/launch/launch_key_script.h"
#include "app/settings/settings.h"
#include "app/snapshots/item_snapshots.h"
#include "app/ui/clipboard_win.h"
#include "common/db/db_connection.h"
#include "common/platform/ini.h"

namespace qm::shell {
namespace {

std::atomic<int> lastSnapshotResult{0};
// Kept until the window shows them: a launch ending meanwhile adds its own.
std::atomic<int> skippedKeys{0};

// File times may run a little behind the clock that took the start.
constexpr std::int64_t kClockSlackMs = 2000;

class RunExtras : public launch::RunObserver {
public:
  explicit RunExtras(RunExtrasPlace place) : place_(std::move(place)) {}

  void beforeStart(const launch::LaunchPlan&, const launch::LaunchItem&) override {
    ui::emptyClipboard();
    runStart_ = capture::wallClockNow() - kClockSlackMs;
  }

  void running(const launch::LaunchPlan& plan, const launch::LaunchItem& item,
               launch::EmulatorProcess& process) override {
    if (const auto typed = launch::launchKeyScript({place_.programFolder, place_.dbPath}, plan, item))
      skippedKeys += keys::typeIntoEmulator(typed->script, typed->run, static_cast<DWORD>(process.processId()));
    const int mode = capture::autoSnapMode().mode();
    if (mode <= 0) return;
    capture::autoSnapMode().runStarted();
    autoFiles_ = std::make_unique<capture::AutoSnapshotFiles>(capture::autoSnapshotRuns(), plan.images.extractFolder);
    autoSnapshots_ = std::make_unique<capture::AutoSnapshotRun>(mode, *autoFiles_, safeLoading());
  }

  void stopped() override {
    if (!autoSnapshots_) return;
    autoSnapshots_->stop();
    capture::autoSnapMode().runEnded();
  }

  void afterRun(const launch::LaunchPlan& plan, const launch::LaunchItem& item) override {
    lastSnapshotResult = 0;
    const capture::SnapshotPlan snapshots = snapshotPlan(plan, item);
    if (autoSnapshots_) {
      lastSnapshotResult = keepAutoSnapshots(snapshots);
      return;
    }
    const capture::ClipSettings clip = capture::clipSettingsFrom(
        plan.setting.clip, platform::IniFile(plan.settingPath).getInt("ClipToPNG", "StrechMode", 3));
    lastSnapshotResult = capture::saveRunPictures(snapshots, [&] { return capture::clipboardPicture(clip); });
  }

private:
  bool safeLoading() const {
    return readNumber(platform::IniFile(place_.settingsPath), Setting::EtcDllSafeLoad) == 1;
  }

  capture::SnapshotPlan snapshotPlan(const launch::LaunchPlan& plan, const launch::LaunchItem& item) const {
    const platform::IniFile ini(place_.settingsPath);
    capture::SnapshotPlan s;
    s.source = readNumber(ini, Setting::SnapShotExtPicToSnap);
    s.naming = readNumber(ini, Setting::SnapShotCrc32Name);
    s.names = {item.fileTitle, item.crc32, item.title};
    s.extractFolder = plan.images.extractFolder;
    s.runStart = runStart_;
    db::DbConnection db;
    db.open(place_.dbPath);
    if (const auto load = snapshots::loadItemSnapshots(db, item.fileName, place_.programFolder); load.item)
      for (int slot = 0; slot < capture::kSnapshotSlots; ++slot) s.folders[slot] = load.item->slots[slot].machineFolder;
    return s;
  }

  // The window's thread asks which of this run's pictures to keep; they all go afterwards.
  int keepAutoSnapshots(const capture::SnapshotPlan& snapshots) {
    // Without an extract folder nothing was saved, and nothing may be listed or deleted.
    if (snapshots.extractFolder.empty()) return 0;
    int result = 0;
    capture::ChoiceRequest request{autoFiles_->pictures(), std::nullopt};
    if (!request.pictures.empty()) {
      SendMessageA(place_.owner, capture::kChooseSnapshotsMessage, 0, reinterpret_cast<LPARAM>(&request));
      if (request.chosen) result = capture::keepChosenSnapshots(snapshots, *request.chosen);
    }
    autoFiles_->cleanUp();
    Sleep(50);
    return result;
  }

  RunExtrasPlace place_;
  std::int64_t runStart_ = 0;
  std::unique_ptr<capture::AutoSnapshotFiles> autoFiles_;  // outlives the run, which names its pictures
  std::unique_ptr<capture::AutoSnapshotRun> autoSnapshots_;
};

}  // namespace

std::unique_ptr<launch::RunObserver> makeRunExtras(const RunExtrasPlace& place) {
  return std::make_unique<RunExtras>(place);
}

int takeSnapshotResult() { return lastSnapshotResult.exchange(0); }

int takeSkippedKeys() { return skippedKeys.exchange(0); }

}  // namespace qm::shell
