#include "app/capture/auto_snapshot_win.h"

#include <windows.h>

#include "app/capture/screen_picture_win.h"
#include "app/capture/snapshot_files.h"
#include "app/capture/snapshot_result.h"
#include "app/ui/clipboard_win.h"

namespace qm::capture {

AutoSnapshotRun::AutoSnapshotRun(int mode, AutoSnapshotFiles& files, bool systemFolderOnly)
    : mode_(mode), files_(files), systemFolderOnly_(systemFolderOnly) {
  thread_ = std::thread([this] { run(); });
}

void AutoSnapshotRun::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool AutoSnapshotRun::waitOrStop() {
  std::unique_lock<std::mutex> lock(mutex_);
  return wake_.wait_for(lock, std::chrono::milliseconds(kIntervalMs), [this] { return stopping_; });
}

void AutoSnapshotRun::run() {
  const WindowFrames frames(systemFolderOnly_);
  const RECT desktop = desktopArea();
  if (mode_ == 3) ui::emptyClipboard();
  while (!waitOrStop()) {
    std::optional<Picture> picture;
    if (mode_ == 3) {
      picture = clipboardPicture();
    } else if (mode_ == 2) {
      if (const auto frame = frames.foregroundFrame()) picture = grabScreen(*frame);
    } else {
      picture = grabScreen(desktop);
    }
    // A name is taken only for a picture, so that the names of a run follow on.
    if (!picture || picture->empty()) continue;
    if (savePictureAsPng(files_.folder(), files_.takeName(), picture) != kClipboardSaved) continue;
    MessageBeep(MB_ICONASTERISK);
    ++taken_;
    if (mode_ == 3) ui::emptyClipboard();
  }
}

}  // namespace qm::capture
