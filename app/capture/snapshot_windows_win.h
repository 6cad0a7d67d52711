// The windows of snapshot capture: the choice of automatic snapshots after a
// run ("ChooseAutoSnapDlg") and the notice that tells how the run's pictures
// were kept.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/capture/snapshot_steps.h"
#include "app/ui/win_handles_win.h"

namespace qm::capture {

// A picture file made ready for the choice's preview: scaled to fit an
// area with its shape kept.
struct PreviewPicture {
  ui::OwnedBitmap bitmap;
  RECT box{};      // where the bitmap goes in the area
  SIZE original{};  // the picture's own size
};
// Reads the file at `path` for an area of `area` pixels; nothing when it holds
// no picture that can be read. Empty: the choice shows no preview.
using PreviewMaker = std::function<std::optional<PreviewPicture>(const std::string& path, SIZE area)>;

// The chosen picture per slot ("" for none); nothing when the user cancelled.
// Slot 1 starts on the last picture taken, which the preview shows first;
// the preview follows the picture selected in the list or in a slot.
std::optional<std::array<std::string, kSnapshotSlots>> chooseAutoSnapshots(HWND owner,
                                                                           const std::vector<std::string>& pictures,
                                                                           const PreviewMaker& preview = {});

// A launch's worker asks the interface thread for the choice: it sends this
// message to the main window with a ChoiceRequest, and the window answers it
// with answerChoiceRequest.
inline constexpr UINT kChooseSnapshotsMessage = WM_APP + 41;
struct ChoiceRequest {
  std::vector<std::string> pictures;
  std::optional<std::array<std::string, kSnapshotSlots>> chosen;
};
LRESULT answerChoiceRequest(HWND owner, LPARAM request, const PreviewMaker& preview = {});

// The notice of a snapshot result on monitor `monitor` (1 the first) at
// `position` (0 top left, 1 top right, 2 bottom left, 3 bottom right, 4 the
// centre); it closes itself after five seconds. Nothing for result 0 or
// monitor 0.
void showSnapshotNotice(int result, int monitor, int position);

}  // namespace qm::capture
