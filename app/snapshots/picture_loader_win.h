// Finds and decodes one window's pictures on a thread of its own, so that
// moving through the item list never waits for a folder listing or a large
// picture. Only the newest request counts: one still waiting is replaced by
// a newer one, and a result that a newer request has overtaken is dropped.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/snapshots/folder_cache.h"
#include "app/snapshots/picture_decoder_win.h"
#include "app/snapshots/snapshot_finder.h"

namespace qm::snapshots {

struct PictureRequest {
  SlotSources sources;
  NameInputs names;
  FindSettings rules;
  Placement placement;
};

enum class PictureState {
  NoSource,    // neither a path of the item's own nor a machine folder: "NO SNAP"
  NotFound,    // looked for and not found: "File Not Found."
  Unreadable,  // found, but no picture GDI+ could read
  Shown,
};

struct PictureResult {
  std::uint64_t generation = 0;
  PictureState state = PictureState::NoSource;
  std::string path;   // the file found
  std::string label;  // "match>..." for a rule, "" for the item's own file
  std::optional<ScaledPicture> picture;
};

class PictureLoader {
public:
  // A result is announced by posting `message` to `window`; the window then
  // calls take() on its own thread.
  PictureLoader(HWND window, UINT message);
  ~PictureLoader();  // stops the thread and waits for it
  PictureLoader(const PictureLoader&) = delete;
  PictureLoader& operator=(const PictureLoader&) = delete;

  // Returns the request's generation.
  std::uint64_t request(PictureRequest request);
  // Makes every request so far stale: the window shows no item now.
  void cancel();
  // The newest result; nothing when it is stale or already taken.
  std::unique_ptr<PictureResult> take();

private:
  void run();
  PictureResult work(const PictureRequest& request);

  HWND window_;
  UINT message_;
  GdiplusSession gdiplus_;
  FolderCache cache_;  // used by the thread only
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<PictureRequest> pending_;
  std::uint64_t latest_ = 0;  // the newest request's generation
  std::unique_ptr<PictureResult> ready_;
  bool stopping_ = false;
  std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace qm::snapshots
