// The windows of snapshot capture: the choice of automatic snapshots after a
// run ("ChooseAutoSnapDlg") and the notice that tells how the run's pictures
// were kept.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/capture/snapshot_steps.h"

namespace qm::capture {

// The chosen picture per slot ("" for none); nothing when the user cancelled.
// Slot 1 starts on the last picture taken.
std::optional<std::array<std::string, kSnapshotSlots>> chooseAutoSnapshots(HWND owner,
                                                                           const std::vector<std::string>& pictures);

// A launch's worker asks the interface thread for the choice: it sends this
// message to the main window with a ChoiceRequest, and the window answers it
// with answerChoiceRequest.
inline constexpr UINT kChooseSnapshotsMessage = WM_APP + 41;
struct ChoiceRequest {
  std::vector<std::string> pictures;
  std::optional<std::array<std::string, kSnapshotSlots>> chosen;
};
LRESULT answerChoiceRequest(HWND owner, LPARAM request);

// The notice of a snapshot result on monitor `monitor` (1 the first) at
// `position` (0 top left, 1 top right, 2 bottom left, 3 bottom right, 4 the
// centre); it closes itself after five seconds. Nothing for result 0 or
// monitor 0.
void showSnapshotNotice(int result, int monitor, int position);

}  // namespace qm::capture
