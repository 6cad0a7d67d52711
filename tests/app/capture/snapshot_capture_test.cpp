#include <gtest/gtest.h>

#include <thread>

#include "app/capture/auto_snap_mode.h"
#include "app/capture/cut_out.h"
#include "app/capture/file_time.h"
#include "app/capture/png_writer.h"
#include "app/capture/snapshot_files.h"
#include "app/capture/snapshot_result.h"
#include "app/capture/snapshot_steps.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::capture {
namespace {

using text::sjis;

ClipSettings clip(std::array<int, 11> values) { return clipSettingsFrom(values); }

TEST(CutOut, ThresholdPicksTheCutOutAndZeroMeansWhole) {
  // 320 wide under a threshold of 640: the first cut-out, all zero: the whole picture unscaled.
  CutOut whole = chooseCutOut(320, 240, clip({640, 0, 0, 0, 0, 10, 20, 30, 40, 0, 0}));
  EXPECT_EQ((std::array<int, 6>{whole.x, whole.y, whole.width, whole.height, whole.saveWidth, whole.saveHeight}),
            (std::array<int, 6>{0, 0, 320, 240, 320, 240}));
  // A threshold of 320: not narrower, the second cut-out.
  CutOut second = chooseCutOut(320, 240, clip({320, 0, 0, 0, 0, 10, 20, 30, 40, 0, 0}));
  EXPECT_EQ((std::array<int, 4>{second.x, second.y, second.width, second.height}), (std::array<int, 4>{10, 20, 30, 40}));
  CutOut scaled = chooseCutOut(320, 240, clip({0, 0, 0, 0, 0, 0, 0, 0, 0, 640, 0}));
  EXPECT_EQ(scaled.saveWidth, 640);
  EXPECT_EQ(scaled.saveHeight, 240);
}

TEST(CutOut, StaysInsideThePicture) {
  CutOut cut = chooseCutOut(100, 50, clip({0, 0, 0, 0, 0, 90, 40, 30, 30, 0, 0}));
  EXPECT_EQ((std::array<int, 4>{cut.x, cut.y, cut.width, cut.height}), (std::array<int, 4>{90, 40, 10, 10}));
  EXPECT_TRUE(chooseCutOut(100, 50, clip({0, 0, 0, 0, 0, 500, 0, 0, 0, 0, 0})).empty());
}

TEST(SnapshotNames, NamingModesAndSanitisedTitles) {
  const NameSource source{"Game (J)", "0A1B2C3D", sjis("表/裏: \"完全版\"? ")};
  EXPECT_EQ(snapshotNames(0, source), std::vector<std::string>{"Game (J)"});
  EXPECT_EQ(snapshotNames(1, source), std::vector<std::string>{"0A1B2C3D"});
  EXPECT_EQ(snapshotNames(2, source), (std::vector<std::string>{"Game (J)", "0A1B2C3D"}));
  // "表" ends in the byte of "\": it stays a character, not a separator.
  EXPECT_EQ(snapshotNames(3, source), std::vector<std::string>{sjis("表_裏_ _完全版__")});
  EXPECT_EQ(fileNameFromTitle("con"), "con_");
  EXPECT_EQ(fileNameFromTitle("a<b>|c\t."), "a_b__c_");
  EXPECT_EQ(fileNameFromTitle(" . "), "");
  EXPECT_EQ(autoSnapName(0), "AutoSnap0000");
  EXPECT_EQ(autoSnapName(12345), "AutoSnap12345");
}

TEST(SnapshotResult, TextsAndColours) {
  EXPECT_EQ(snapshotResultText(0), "");
  EXPECT_EQ(snapshotResultText(11), sjis("スナップフォルダが見つかりません。\n画像は保存されませんでした。"));
  EXPECT_EQ(snapshotResultText(7), sjis("不明なエラー\n画像は保存されませんでした。"));
  EXPECT_TRUE(isSuccess(2));
  EXPECT_FALSE(isSuccess(10));
}

Picture pixel(int w = 4, int h = 2) { return Picture(w, h); }

TEST(SnapshotFiles, SaveReportsEachCodeAndReplaces) {
  test::TempFolder folder;
  EXPECT_EQ(savePictureAsPng(folder.path(), "x", std::nullopt), kNoPicture);
  EXPECT_EQ(savePictureAsPng("", "x", pixel()), kNoSnapshotFolder);
  EXPECT_EQ(savePictureAsPng(folder.file("gone"), "x", pixel()), kSnapshotFolderMissing);
  EXPECT_EQ(savePictureAsPng(folder.path(), "", pixel()), kNoFileName);
  // The folder exists but holds nothing yet: the first picture still goes in.
  EXPECT_EQ(savePictureAsPng(folder.path(), "x", pixel()), kClipboardSaved);
  EXPECT_EQ(savePictureAsPng(folder.path(), "x", pixel(8, 8)), kClipboardSaved);
  EXPECT_EQ(test::listFolder(folder.path()), std::vector<std::string>{"x.PNG"});
  EXPECT_EQ(platform::fileSize(folder.file("x.PNG")), encodePng(pixel(8, 8)).size());
}

TEST(SnapshotFiles, NewestPictureCopiesOnceAndCountsOnlyThisRun) {
  test::TempFolder extract, snaps;
  ASSERT_TRUE(test::writeFile(extract.file("old.bmp"), "old"));
  ASSERT_TRUE(test::writeFile(extract.file("note.txt"), "not a picture"));
  EXPECT_EQ(copyNewestPicture(extract.path(), snaps.path(), "t", wallClockNow() + 60000), kNoPicture);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(test::writeFile(extract.file("new.jpg"), "new"));
  EXPECT_EQ(copyNewestPicture(extract.path(), snaps.path(), "t"), kNewestCopied);
  EXPECT_EQ(test::readFile(snaps.file("t.jpg")), "new");
  EXPECT_EQ(copyNewestPicture(extract.path(), snaps.path(), "t"), kCopyFailed);
  EXPECT_EQ(copyNewestPicture(extract.path(), snaps.path(), ""), kNoFileName);
  EXPECT_EQ(copyNewestPicture(extract.path(), "", "t"), kNoSnapshotFolder);
  // A chosen picture replaces what is there.
  EXPECT_EQ(copySnapshotFile(extract.file("old.bmp"), snaps.path(), "t"), 0);
  EXPECT_EQ(copySnapshotFile(extract.file("new.jpg"), snaps.path(), "t"), 0);
  EXPECT_EQ(test::readFile(snaps.file("t.jpg")), "new");
  EXPECT_EQ(copySnapshotFile(extract.file("none.png"), snaps.path(), "u"), kCopyFailed);
}

TEST(SnapshotFiles, AutoSnapshotsOfThisRunAndTheirSafeCleanup) {
  test::TempFolder extract;
  ASSERT_TRUE(test::writeFile(extract.file("AutoSnap0000.png"), "a"));
  ASSERT_TRUE(test::writeFile(extract.file("AutoSnap0001.png"), "b"));
  ASSERT_TRUE(test::writeFile(extract.file("keep.png"), "c"));
  EXPECT_EQ(autoSnapshots(extract.path(), 0),
            (std::vector<std::string>{extract.file("AutoSnap0000.png"), extract.file("AutoSnap0001.png")}));
  EXPECT_TRUE(autoSnapshots(extract.path(), wallClockNow() + 60000).empty());
  // The first folder of the temporary path and "..": the root, however spelled.
  const std::string& path = extract.path();
  const std::string rootByDots = path.substr(0, path.find(platform::kPathSeparator, 1)) + platform::kPathSeparator + "..";
  for (const std::string& refused : {std::string(), std::string("C:"), std::string("C:\\"), std::string("C:snaps"),
                                     std::string("\\\\server\\share"), std::string("\\"), std::string("/"),
                                     std::string("relative\\folder"), rootByDots})
    EXPECT_EQ(deleteAutoSnapshots(refused), -1) << refused;
  EXPECT_EQ(deleteAutoSnapshots(extract.path()), 2);
  EXPECT_EQ(test::listFolder(extract.path()), std::vector<std::string>{"keep.png"});
}

TEST(SnapshotSteps, ClipboardUnderBothNamesAndTheLastFailure) {
  test::TempFolder snaps, extract;
  SnapshotPlan plan;
  plan.source = 2;
  plan.naming = 2;
  plan.names = {"Game", "0A1B2C3D", "title"};
  plan.folders = {snaps.path(), "", ""};
  plan.extractFolder = extract.path();
  int asked = 0;
  auto clipboard = [&]() -> std::optional<Picture> {
    ++asked;
    return pixel();
  };
  EXPECT_EQ(saveRunPictures(plan, clipboard), kClipboardSaved);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(test::listFolder(snaps.path()), (std::vector<std::string>{"0A1B2C3D.PNG", "Game.PNG"}));
  plan.folders[0] = snaps.file("gone");
  EXPECT_EQ(saveRunPictures(plan, clipboard), kSnapshotFolderMissing);
  plan.folders[0] = snaps.path();
  EXPECT_EQ(saveRunPictures(plan, [] { return std::optional<Picture>(); }), kNoPicture);
  // Both sources: the clipboard saved, no newest picture: still 1.
  plan.source = 3;
  plan.runStart = wallClockNow() + 60000;
  EXPECT_EQ(saveRunPictures(plan, clipboard), kClipboardSaved);
}

TEST(SnapshotSteps, ChosenAutoSnapshotsGoToTheirSlots) {
  test::TempFolder extract, one, three;
  ASSERT_TRUE(test::writeFile(extract.file("AutoSnap0000.png"), "first"));
  ASSERT_TRUE(test::writeFile(extract.file("AutoSnap0001.png"), "second"));
  SnapshotPlan plan;
  plan.naming = 0;
  plan.names = {"Game", "", ""};
  plan.folders = {one.path(), "", three.path()};
  EXPECT_EQ(keepChosenSnapshots(plan, {extract.file("AutoSnap0001.png"), "", extract.file("AutoSnap0000.png")}), 0);
  EXPECT_EQ(test::readFile(one.file("Game.png")), "second");
  EXPECT_EQ(test::readFile(three.file("Game.png")), "first");
  EXPECT_EQ(keepChosenSnapshots(plan, {"", extract.file("AutoSnap0000.png"), ""}), kNoSnapshotFolder);
}

TEST(AutoSnapModeState, StepsRoundAndShowsNegatedWhileActive) {
  AutoSnapMode mode;
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) seen.push_back(mode.step());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1}));
  mode.set(2);
  mode.runStarted();
  EXPECT_EQ(mode.shownValue(), -2);
  mode.runEnded();
  EXPECT_EQ(mode.shownValue(), 2);
  mode.set(9);
  EXPECT_EQ(mode.mode(), 0);
}

}  // namespace
}  // namespace qm::capture
