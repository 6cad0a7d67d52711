// Where the main window's panes go: two rows and two columns inside the area
// the window leaves for them (its client area without the bands above and the
// status bar below). Above: the group pane with its tabs and the item list;
// below: the query view and the information view. A vertical splitter divides
// the columns, a horizontal one the rows; both are dragged with the mouse, and
// a double click on the horizontal one closes the lower row and opens it again.
//
// The splitters are kept in section "Window": "SeparateX" is the width of the
// left column, "SeparateY" the height of the lower row (so a larger window
// gives its room to the group pane and the item list), "SeparateClose" is 1
// while the lower row is closed and "SeparateYtmp" the height it had then.
#pragma once

namespace qm {
class Settings;
}

namespace qm::shell {

struct PaneRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const PaneRect&) const = default;
};

struct PaneSplits {
  int x = 170;          // left column width
  int y = 260;          // lower row height
  bool closed = false;  // the lower row is closed
  int yTmp = 20;        // the lower row's height before it was closed
  bool operator==(const PaneSplits&) const = default;
};

inline constexpr int kSplitterSize = 4;
// No pane is made smaller than this by a splitter or a small window.
inline constexpr int kMinPaneSize = 40;

struct PaneRects {
  PaneRect groups;  // the group pane with its tabs
  PaneRect list;
  PaneRect query;
  PaneRect info;
  PaneRect vertical;    // splitter between the columns
  PaneRect horizontal;  // splitter between the rows
};

PaneRects layoutPanes(const PaneRect& area, const PaneSplits& splits);

enum class Splitter { None, Vertical, Horizontal };
Splitter splitterAt(const PaneRects& rects, int x, int y);

// The splitter `which` follows the mouse at (x, y), in the area's
// coordinates; dragging the closed row's splitter opens the row.
PaneSplits dragSplitter(PaneSplits splits, Splitter which, int x, int y, const PaneRect& area);
// Closes the lower row, keeping its height, or opens it again at that height.
PaneSplits toggleLowerRow(PaneSplits splits);

PaneSplits loadSplits(const Settings& settings);
void storeSplits(Settings& settings, const PaneSplits& splits);

}  // namespace qm::shell
