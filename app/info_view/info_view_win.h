// The information view: the current item's record beside the item list, drawn
// with the fonts and colours of "InfoViewFont" and "InfoViewColor". The title
// heads the pane in its large face, the maker under it; below, the labelled
// lines flow down and on into further columns as the pane's width allows.
// The right part of the pane shows the item's first picture, found and
// decoded off the interface thread (app/snapshots/picture_pane_win.h).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "app/info_view/info_record.h"
#include "app/snapshots/picture_pane_win.h"
#include "app/ui/win_handles_win.h"

namespace qm {
class Settings;
}

namespace qm::shell {

class InformationView {
public:
  static bool registerClass(HINSTANCE instance);
  HWND create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }
  // Fonts and colours from the appearance settings.
  void prepare(const Settings& settings);
  // The rules the pictures are found by, and what a double click on the
  // picture does.
  void preparePictures(const snapshots::FindSettings& rules, std::function<void()> openPictures);
  // The record and the item's pictures (nothing: none).
  void show(InfoRecord record, const std::optional<snapshots::ItemSnapshots>& pictures = std::nullopt);

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void paint(HDC dc, const RECT& client) const;
  int headingBottom(const RECT& client) const;
  RECT pictureBox(const RECT& client) const;  // empty when the pane has no room for it
  void placePicture();

  struct Face {
    ui::OwnedFont font;
    COLORREF colour = 0;
    int height = 0;  // line height in pixels
  };
  HWND hwnd_ = nullptr;
  Face title_, maker_, normal_, mini_;
  COLORREF back_ = RGB(255, 255, 255);
  COLORREF frame1_ = RGB(150, 150, 150);
  COLORREF frame2_ = RGB(240, 240, 240);
  InfoRecord record_;
  snapshots::PicturePane picture_;
  snapshots::FindSettings rules_;
  snapshots::FitMode fit_ = snapshots::FitMode::KeepRatio;
  int pictureWidth_ = 320;  // "Width" of section "SnapShot"
  std::function<void()> openPictures_;
};

}  // namespace qm::shell
