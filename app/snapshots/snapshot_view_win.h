// The snapshot view ("SnapView"): a window of its own beside the main window
// that shows one picture of the current item, following the item list. Its
// context menu chooses the picture (1 to 3), how it fits the window, or the
// window's taking the picture's actual size with one corner kept in place.
// Its place and choices are kept in section "SnapWindow".
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/snapshots/item_snapshots.h"
#include "app/snapshots/picture_pane_win.h"
#include "app/snapshots/snapshot_view_options.h"

namespace qm::snapshots {

// The command that opens and closes the window (the tool bar's button).
inline constexpr int kSnapshotViewCommand = 1430;

class SnapshotView {
public:
  static bool registerClass(HINSTANCE instance);

  // The stored choices and the rules pictures are found by.
  void prepare(const SnapViewOptions& options, const FindSettings& rules);
  // Opens the window owned by `owner`, with `menu` as its context menu (the
  // menu stays the caller's), or brings it forward when open.
  bool open(HWND owner, HMENU menu);
  void close();
  bool isOpen() const { return hwnd_ != nullptr; }
  void toggle(HWND owner, HMENU menu);
  HWND hwnd() const { return hwnd_; }

  // The current item of the list, or nothing.
  void follow(const std::optional<ItemSnapshots>& item);
  // A command of the context menu; false for any other.
  bool command(int id);
  // The choices and the place to store; "open" says whether the window was
  // open when the owner went (a window the user closed is not reopened).
  const SnapViewOptions& options() const { return options_; }

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  void placePicture();
  void fitWindowToPicture();
  void showTitle();
  void showMenu(LPARAM at);
  void rememberPlace();

  HWND hwnd_ = nullptr;
  HMENU menu_ = nullptr;
  SnapViewOptions options_;
  FindSettings rules_;
  std::optional<ItemSnapshots> item_;
  PicturePane pane_;
  ui::OwnedFont font_;
};

}  // namespace qm::snapshots
