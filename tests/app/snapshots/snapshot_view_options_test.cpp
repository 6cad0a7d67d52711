#include "app/snapshots/snapshot_view_options.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "app/settings/settings.h"
#include "app/snapshots/item_snapshots.h"
#include "common/platform/files.h"

namespace qm::snapshots {
namespace {

TEST(SnapViewOptions, DefaultsAndValuesOutOfRange) {
  Settings settings;
  SnapViewOptions options = snapViewOptions(settings);
  EXPECT_EQ(options.slot, 0);
  EXPECT_EQ(options.fit, FitMode::KeepRatio);
  EXPECT_EQ(options.anchor, Anchor::TopLeft);
  EXPECT_TRUE(options.enlarge);  // "Maximize" 1
  EXPECT_FALSE(options.open);
  EXPECT_EQ(options.placement, (PixelBox{100, 100, 580, 460}));

  for (const auto& [loadNum, transMode, snapPoint] : {std::tuple{0, -1, 4}, {4, 5, -1}}) {
    settings.setNumber(Setting::SnapWindowLoadNum, loadNum);
    settings.setNumber(Setting::SnapWindowTransMode, transMode);
    settings.setNumber(Setting::SnapWindowSnapPoint, snapPoint);
    options = snapViewOptions(settings);
    EXPECT_EQ(options.slot, 0) << loadNum;
    EXPECT_EQ(options.fit, FitMode::KeepRatio) << transMode;
    EXPECT_EQ(options.anchor, Anchor::TopLeft) << snapPoint;
  }
  settings.setNumber(Setting::SnapWindowWidth, 0);
  settings.setNumber(Setting::SnapWindowHeight, -5);
  options = snapViewOptions(settings);
  EXPECT_GT(options.placement.width, 0);
  EXPECT_GT(options.placement.height, 0);
}

TEST(SnapViewOptions, StoredChoicesReadBackTheSame) {
  SnapViewOptions chosen;
  chosen.slot = 2;
  chosen.fit = FitMode::ActualSize;
  chosen.anchor = Anchor::BottomRight;
  chosen.enlarge = false;
  chosen.open = true;
  chosen.placement = {-20, 30, 400, 300};  // left of the first screen: a second monitor
  Settings settings;
  storeSnapViewOptions(settings, chosen);
  EXPECT_EQ(settings.number(Setting::SnapWindowLoadNum), 3);
  EXPECT_EQ(settings.number(Setting::SnapWindowTransMode), 4);
  EXPECT_EQ(settings.number(Setting::SnapWindowSnapPoint), 3);
  EXPECT_EQ(settings.number(Setting::SnapWindowMaximize), 0);
  EXPECT_EQ(settings.number(Setting::SnapWindowActive), 1);
  const SnapViewOptions read = snapViewOptions(settings);
  EXPECT_EQ(read.slot, 2);
  EXPECT_EQ(read.fit, FitMode::ActualSize);
  EXPECT_EQ(read.anchor, Anchor::BottomRight);
  EXPECT_FALSE(read.enlarge);
  EXPECT_TRUE(read.open);
  EXPECT_EQ(read.placement, chosen.placement);
}

TEST(SnapViewOptions, MenuCommandsChangeOneChoiceEach) {
  SnapViewOptions options;
  EXPECT_EQ(checkedViewCommands(options), (std::array<int, 3>{1179, 1182, 1187}));
  const struct {
    int command;
    ViewChange change;
    std::array<int, 3> checked;
  } steps[] = {
      {1181, ViewChange::Slot, {1181, 1182, 1187}},     {1180, ViewChange::Slot, {1180, 1182, 1187}},
      {1184, ViewChange::Fit, {1180, 1184, 1187}},      {1186, ViewChange::Fit, {1180, 1186, 1187}},
      {1190, ViewChange::Anchor, {1180, 1186, 1190}},   {1188, ViewChange::Anchor, {1180, 1186, 1188}},
      {1178, ViewChange::None, {1180, 1186, 1188}},     {1191, ViewChange::None, {1180, 1186, 1188}},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(applyViewCommand(options, step.command), step.change) << step.command;
    EXPECT_EQ(checkedViewCommands(options), step.checked) << step.command;
  }
}

TEST(ItemSnapshotsOfRow, TakesTheListRowsColumnsAndTheDisplayText) {
  std::map<std::string, std::string> row{{"file_name", "C:\\roms\\Game (J).zip*inner [a].rom"},
                                         {"crc32", "0012ABCD"},
                                         {"title", "T"},
                                         {"snap1", ""},
                                         {"snap2", "own\\b.png"},
                                         {"snap3", "D:\\pics\\c.jpg"},
                                         {"snap_path", "snap"},
                                         {"snap_path2", ""},
                                         {"snap_path3", "\\\\server\\snaps"},
                                         {"snap_dtt", ""},
                                         {"snap_dtm", "A150003"}};
  const auto cell = [&](std::string_view column) { return row.at(std::string(column)); };
  ItemSnapshots item = itemSnapshotsOfRow(cell, "C:\\qm");
  EXPECT_EQ(item.names, (NameInputs{"0012ABCD", "Game (J)", "inner [a]", "T"}));
  EXPECT_EQ(item.slots[0], (SlotSources{"", platform::joinPath("C:\\qm", "snap")}));
  EXPECT_EQ(item.slots[1], (SlotSources{platform::joinPath("C:\\qm", "own\\b.png"), ""}));
  EXPECT_EQ(item.slots[2], (SlotSources{"D:\\pics\\c.jpg", "\\\\server\\snaps"}));
  // The machine's text applies while the image has none of its own.
  EXPECT_EQ(item.displayText, "A150003");
  EXPECT_EQ(displayFit(item.displayText), FitMode::Full);
  row["snap_dtt"] = "F150153";
  item = itemSnapshotsOfRow(cell, "C:\\qm");
  EXPECT_EQ(item.displayText, "F150153");
  EXPECT_EQ(displayFit(item.displayText), FitMode::KeepRatio);
  EXPECT_EQ(displayFit(""), FitMode::KeepRatio);
}

}  // namespace
}  // namespace qm::snapshots
