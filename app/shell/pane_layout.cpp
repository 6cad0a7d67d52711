#include "app/shell/pane_layout.h"

#include <algorithm>

#include "app/settings/settings.h"

namespace qm::shell {
namespace {

// `low` wins over `high` in a window too small for both panes.
int within(int value, int low, int high) { return std::max(low, std::min(value, high)); }

int columnWidth(const PaneRect& area, int x) {
  return within(x, kMinPaneSize, area.width() - kSplitterSize - kMinPaneSize);
}

int lowerRowHeight(const PaneRect& area, const PaneSplits& splits) {
  if (splits.closed) return 0;
  return within(splits.y, kMinPaneSize, area.height() - kSplitterSize - kMinPaneSize);
}

}  // namespace

PaneRects layoutPanes(const PaneRect& area, const PaneSplits& splits) {
  const int splitX = area.left + columnWidth(area, splits.x);
  const int splitY = std::max(area.top, area.bottom - lowerRowHeight(area, splits) - kSplitterSize);
  const int lowerTop = std::min(area.bottom, splitY + kSplitterSize);
  PaneRects rects;
  rects.groups = {area.left, area.top, splitX, splitY};
  rects.list = {splitX + kSplitterSize, area.top, area.right, splitY};
  rects.query = {area.left, lowerTop, splitX, area.bottom};
  rects.info = {splitX + kSplitterSize, lowerTop, area.right, area.bottom};
  rects.vertical = {splitX, area.top, splitX + kSplitterSize, area.bottom};
  rects.horizontal = {area.left, splitY, area.right, lowerTop};
  return rects;
}

Splitter splitterAt(const PaneRects& rects, int x, int y) {
  if (rects.vertical.contains(x, y)) return Splitter::Vertical;
  if (rects.horizontal.contains(x, y)) return Splitter::Horizontal;
  return Splitter::None;
}

PaneSplits dragSplitter(PaneSplits splits, Splitter which, int x, int y, const PaneRect& area) {
  // The mouse holds the middle of the splitter.
  if (which == Splitter::Vertical) splits.x = columnWidth(area, x - area.left - kSplitterSize / 2);
  if (which == Splitter::Horizontal) {
    splits.closed = false;
    splits.y = within(area.bottom - y - kSplitterSize / 2, kMinPaneSize, area.height() - kSplitterSize - kMinPaneSize);
  }
  return splits;
}

PaneSplits toggleLowerRow(PaneSplits splits) {
  if (splits.closed) {
    splits.closed = false;
    splits.y = std::max(splits.yTmp, kMinPaneSize);
  } else {
    splits.closed = true;
    splits.yTmp = splits.y;
    splits.y = 0;
  }
  return splits;
}

PaneSplits loadSplits(const Settings& settings) {
  return {settings.number(Setting::WindowSeparateX), settings.number(Setting::WindowSeparateY),
          settings.number(Setting::WindowSeparateClose) == 1, settings.number(Setting::WindowSeparateYtmp)};
}

void storeSplits(Settings& settings, const PaneSplits& splits) {
  settings.setNumber(Setting::WindowSeparateX, splits.x);
  settings.setNumber(Setting::WindowSeparateY, splits.y);
  settings.setNumber(Setting::WindowSeparateClose, splits.closed ? 1 : 0);
  settings.setNumber(Setting::WindowSeparateYtmp, splits.yTmp);
}

}  // namespace qm::shell
