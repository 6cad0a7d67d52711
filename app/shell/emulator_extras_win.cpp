#include "app/shell/emulator_extras_win.h"

#include <commctrl.h>

#include "app/capture/auto_snap_mode.h"
#include "app/capture/snapshot_windows_win.h"
#include "app/keys/joystick_dialog_win.h"
#include "app/menus/menu_table.h"
#include "app/shell/run_extras_win.h"
#include "app/shell/status_bar.h"
#include "app/snapshots/picture_decoder_win.h"

namespace qm::shell {
namespace {

// The choice's preview, drawn as the snapshot pane draws: fitted, shape kept.
std::optional<capture::PreviewPicture> previewPicture(const std::string& path, SIZE area) {
  snapshots::Placement placement;
  placement.area = {static_cast<int>(area.cx), static_cast<int>(area.cy)};
  placement.fit = snapshots::FitMode::KeepRatio;
  placement.enlarge = true;
  std::optional<snapshots::ScaledPicture> scaled = snapshots::decodeScaled(path, placement);
  if (!scaled) return std::nullopt;
  capture::PreviewPicture preview;
  preview.bitmap = std::move(scaled->bitmap);
  preview.box = {scaled->placed.left, scaled->placed.top, scaled->placed.left + scaled->placed.width,
                 scaled->placed.top + scaled->placed.height};
  preview.original = {scaled->original.width, scaled->original.height};
  return preview;
}

}  // namespace

EmulatorExtras::EmulatorExtras(Place place) : place_(std::move(place)) {
  const RunExtrasPlace run{place_.owner, place_.programFolder, place_.dbPath, place_.settingsPath};
  if (place_.launcher) place_.launcher->setRunObservers([run] { return makeRunExtras(run); });
  joystick_ = std::make_unique<JoystickControl>(place_.owner, place_.programFolder, place_.panes,
                                                [this] { openEmulatorMenu(); });
  if (place_.showAutoSnapMode) place_.showAutoSnapMode(capture::autoSnapMode().mode());
}

bool EmulatorExtras::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case capture::kChooseSnapshotsMessage: {
      const snapshots::GdiplusSession gdiplus;
      result = capture::answerChoiceRequest(place_.owner, lParam,
                                            gdiplus.ready() ? capture::PreviewMaker(previewPicture)
                                                            : capture::PreviewMaker());
      return true;
    }
    case WM_TIMER:
      if (wParam != JoystickControl::kTimer) return false;
      joystick_->tick(place_.launcher && place_.launcher->busy());
      return true;
    case WM_CTLCOLORLISTBOX:
      // The group pane's space below its rows flashes too.
      if (HBRUSH brush = joystick_->flashBrush(reinterpret_cast<HWND>(lParam))) {
        result = reinterpret_cast<LRESULT>(brush);
        return true;
      }
      return false;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      joystick_->menuLoop(message == WM_ENTERMENULOOP);
      return false;
    case WM_INITMENUPOPUP:
      if (place_.launcher && place_.launcher->ownsMenu(reinterpret_cast<HMENU>(wParam))) joystick_->launchMenuOpened();
      return false;
    case WM_ACTIVATE:
      // Back from a launch: the list takes the focus and the snapshot notice shows.
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (const int skipped = takeSkippedKeys(); skipped && place_.showNote) place_.showNote(skippedKeysText(skipped));
        if (const int snapshot = takeSnapshotResult()) {
          SetFocus(place_.panes.items);
          if (place_.settings)
            capture::showSnapshotNotice(snapshot, place_.settings->number(Setting::SnapShotCaptureResultMonitor),
                                        place_.settings->number(Setting::SnapShotCaptureResultPositon));
        }
      }
      return false;
    case WM_COMMAND:
      if (LOWORD(wParam) == menu::kJoystick) {
        if (qm::keys::runJoystickDialog(place_.owner, place_.programFolder)) joystick_->reload();
        return true;
      }
      if (LOWORD(wParam) == menu::kAutoSnapshotStep) {
        const int mode = capture::autoSnapMode().step();
        if (place_.showAutoSnapMode) place_.showAutoSnapMode(mode);
        return true;
      }
      return false;
  }
  return false;
}

// At the selected item of the list, as the menu key would open it.
void EmulatorExtras::openEmulatorMenu() {
  HMENU menu = place_.launcher ? place_.launcher->settingsMenu() : nullptr;
  HWND list = place_.panes.items;
  if (!menu || !list) return;
  const int selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected < 0) return;
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&row));
  POINT at{row.left + 16, row.bottom};
  ClientToScreen(list, &at);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, place_.owner, nullptr);
}

}  // namespace qm::shell
