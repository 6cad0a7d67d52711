// The main window's panes and splitters: rectangles for an area, dragging,
// closing the lower row, and the "Window" keys they are kept in.
#include "app/shell/pane_layout.h"

#include <gtest/gtest.h>

#include "app/settings/settings.h"
#include "tests/support/temp_folder.h"

namespace qm::shell {
namespace {

// Every pane and splitter inside the area, none overlapping another, and
// together they cover it.
void expectTiled(const PaneRect& area, const PaneRects& r) {
  const PaneRect* all[] = {&r.groups, &r.list, &r.query, &r.info, &r.vertical, &r.horizontal};
  long covered = 0;
  for (const PaneRect* a : all) {
    EXPECT_GE(a->width(), 0);
    EXPECT_GE(a->height(), 0);
    EXPECT_GE(a->left, area.left);
    EXPECT_LE(a->right, area.right);
    EXPECT_GE(a->top, area.top);
    EXPECT_LE(a->bottom, area.bottom);
    covered += static_cast<long>(a->width()) * a->height();
  }
  // The splitters cross in one square, counted twice.
  EXPECT_EQ(covered - kSplitterSize * kSplitterSize, static_cast<long>(area.width()) * area.height());
}

TEST(PaneLayout, DefaultsInTheDefaultWindow) {
  const PaneRect area{0, 0, 834, 520};
  const PaneRects r = layoutPanes(area, PaneSplits{});
  EXPECT_EQ(r.groups, (PaneRect{0, 0, 170, 256}));
  EXPECT_EQ(r.list, (PaneRect{174, 0, 834, 256}));
  EXPECT_EQ(r.query, (PaneRect{0, 260, 170, 520}));
  EXPECT_EQ(r.info, (PaneRect{174, 260, 834, 520}));
  expectTiled(area, r);
}

TEST(PaneLayout, AreaBelowABandAndExtremeSizes) {
  struct Case {
    const char* name;
    PaneRect area;
    PaneSplits splits;
    int listWidth;
    int lowerHeight;
  };
  const Case cases[] = {
      {"a band above takes the top", {0, 60, 834, 580}, {}, 660, 260},
      {"larger window: the upper row grows", {0, 0, 1600, 1000}, {}, 1426, 260},
      {"column too wide for the window", {0, 0, 300, 400}, {900, 100, false, 20}, kMinPaneSize, 100},
      {"column too narrow", {0, 0, 800, 400}, {0, 100, false, 20}, 800 - kMinPaneSize - kSplitterSize, 100},
      {"lower row too tall", {0, 0, 800, 300}, {170, 900, false, 20}, 626, 300 - kSplitterSize - kMinPaneSize},
      {"lower row closed", {0, 0, 800, 300}, {170, 0, true, 120}, 626, 0},
      {"tiny window keeps the minimum", {0, 0, 50, 50}, {170, 260, false, 20}, 6, kMinPaneSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PaneRects r = layoutPanes(c.area, c.splits);
    EXPECT_EQ(std::max(0, r.list.width()), c.listWidth);
    EXPECT_EQ(r.info.height(), c.lowerHeight);
    EXPECT_EQ(r.list.top, c.area.top);
    if (c.area.width() >= 2 * kMinPaneSize + kSplitterSize && c.area.height() >= 2 * kMinPaneSize + kSplitterSize) {
      expectTiled(c.area, r);
    }
  }
}

TEST(PaneLayout, DraggingAndClosing) {
  const PaneRect area{0, 30, 834, 550};
  PaneSplits s;
  const PaneRects r = layoutPanes(area, s);
  EXPECT_EQ(splitterAt(r, 171, 100), Splitter::Vertical);
  EXPECT_EQ(splitterAt(r, 500, r.horizontal.top + 1), Splitter::Horizontal);
  EXPECT_EQ(splitterAt(r, 169, 100), Splitter::None);
  EXPECT_EQ(splitterAt(r, 500, r.horizontal.bottom), Splitter::None);

  // The mouse holds the splitter's middle.
  s = dragSplitter(s, Splitter::Vertical, 302, 0, area);
  EXPECT_EQ(s.x, 300);
  EXPECT_EQ(layoutPanes(area, s).groups.right, 300);
  s = dragSplitter(s, Splitter::Vertical, 5000, 0, area);
  EXPECT_EQ(s.x, 834 - kSplitterSize - kMinPaneSize);
  s = dragSplitter(s, Splitter::Horizontal, 0, 348, area);
  EXPECT_EQ(s.y, 200);
  EXPECT_EQ(layoutPanes(area, s).horizontal.top, 346);
  s = dragSplitter(s, Splitter::Horizontal, 0, 0, area);
  EXPECT_EQ(s.y, 520 - kSplitterSize - kMinPaneSize);

  // A double click closes the lower row and opens it at its height again.
  s.y = 180;
  const PaneSplits closed = toggleLowerRow(s);
  EXPECT_EQ(closed, (PaneSplits{s.x, 0, true, 180}));
  EXPECT_EQ(layoutPanes(area, closed).query.height(), 0);
  EXPECT_EQ(layoutPanes(area, closed).horizontal.bottom, area.bottom);
  EXPECT_EQ(toggleLowerRow(closed), (PaneSplits{s.x, 180, false, 180}));
  // Opened from the stored default, the row is not smaller than a pane may be.
  EXPECT_EQ(toggleLowerRow(PaneSplits{170, 0, true, 20}).y, kMinPaneSize);
  // Dragging the closed row's splitter opens the row there.
  const PaneSplits dragged = dragSplitter(closed, Splitter::Horizontal, 0, 400, area);
  EXPECT_FALSE(dragged.closed);
  EXPECT_EQ(dragged.y, 148);
}

TEST(PaneLayout, SplitsKeptInTheWindowSection) {
  qm::test::TempFolder folder;
  const platform::IniFile ini(folder.file("Quillmoor2.ini"));
  Settings settings;
  EXPECT_EQ(loadSplits(settings), (PaneSplits{170, 260, false, 20}));
  storeSplits(settings, {300, 0, true, 210});
  EXPECT_EQ(saveAtShutdown(settings, ini, false), SaveResult::Saved);
  EXPECT_EQ(ini.getString("Window", "SeparateX", ""), "300");
  EXPECT_EQ(ini.getString("Window", "SeparateY", ""), "0");
  EXPECT_EQ(ini.getString("Window", "SeparateClose", ""), "1");
  EXPECT_EQ(ini.getString("Window", "SeparateYtmp", ""), "210");
  Settings read;
  loadSettings(read, ini, ReadAt::Startup);
  EXPECT_EQ(loadSplits(read), (PaneSplits{300, 0, true, 210}));
}

}  // namespace
}  // namespace qm::shell
