#include "app/maintenance/missing_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

using qm::maintenance::MachineChoice;
using qm::maintenance::RemovalRun;
using qm::maintenance::RunStatus;
using Strings = std::vector<std::string>;

// The real file system, except for the volumes named unreachable.
class UnpluggedProbe : public qm::maintenance::SystemFileProbe {
public:
  explicit UnpluggedProbe(std::set<std::string> gone) : gone_(std::move(gone)) {}
  bool reachable(const std::string& root) override { return !gone_.count(root) && SystemFileProbe::reachable(root); }

private:
  std::set<std::string> gone_;
};

class MissingImagesTest : public qm::test::MaintenanceTest {
protected:
  qm::maintenance::RunResult removeMissing(MachineChoice machine = MachineChoice::everyMachine()) {
    return qm::maintenance::removeImages(context(), {std::move(machine), true}, probe);
  }
  std::vector<std::string> keys() { return rows("SELECT file_name FROM main_table ORDER BY file_name;"); }

  qm::maintenance::SystemFileProbe probe;
};

TEST(TestedPath, ArchiveMembersTestTheirArchive) {
  EXPECT_EQ(qm::maintenance::testedPath("C:\\a.zip*x.d88"), "C:\\a.zip");
  EXPECT_EQ(qm::maintenance::testedPath("C:\\a.zip*dir\\x*y.d88"), "C:\\a.zip");
  EXPECT_EQ(qm::maintenance::testedPath("C:\\a.d88"), "C:\\a.d88");
}

TEST_F(MissingImagesTest, NothingMissingDeletesNothing) {
  addImage(touch("a.d88"), "PC98", "A");
  addImage(touch("b.zip") + "*b.d88", "PC98", "B");
  const auto result = removeMissing();
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.removed, 0);
  EXPECT_EQ(observer.lines, (Strings{"処理を開始します", "処理を終了しました"}));
  EXPECT_EQ(keys().size(), 2u);
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST_F(MissingImagesTest, MissingFilesAndArchivesGoWithTheirSideRows) {
  const std::string kept = touch("kept.d88");
  const std::string zip = touch("set.zip");
  addImage(kept, "PC98", "kept");
  addImage(pathOf("gone.d88"), "PC98", "gone");
  addImage(zip + "*member-no-longer-there.d88", "PC98", "in archive");
  addImage(pathOf("gone.zip") + "*x.d88", "PC98", "archive gone");
  execute("INSERT INTO memo_table VALUES ('" + pathOf("gone.d88") + "', 'memo');");
  const auto result = removeMissing();
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(keys(), (Strings{kept, zip + "*member-no-longer-there.d88"}));
  EXPECT_EQ(observer.lines, (Strings{"処理を開始します", "削除：" + pathOf("gone.d88"), "削除：" + pathOf("gone.zip"),
                                     "処理を終了しました"}));
  EXPECT_TRUE(rows("SELECT * FROM memo_table;").empty());
  EXPECT_EQ(itemList.emptiedCount, 1);
  EXPECT_EQ(itemList.refreshCount, 1);
}

// An unplugged disk must not wipe its rows, ratings and memos.
TEST_F(MissingImagesTest, RowsOnAVolumeThatIsNotThereAreKept) {
  addImage("Q:\\roms\\a.d88", "PC98", "on a drive this machine lacks");
  addImage("\\\\nowhere\\share\\b.d88", "PC98", "on a share that is not there");
  addImage(pathOf("gone.d88"), "PC98", "gone");
  const auto result = removeMissing();
  EXPECT_EQ(result.skipped, 2);
  EXPECT_EQ(result.removed, 1);
  EXPECT_EQ(keys(), (Strings{"Q:\\roms\\a.d88", "\\\\nowhere\\share\\b.d88"}));
  EXPECT_NE(std::find(observer.lines.begin(), observer.lines.end(),
                      "スキップ：Q:\\roms\\a.d88 （ドライブ又は共有フォルダが見つかりません）"),
            observer.lines.end());
}

TEST_F(MissingImagesTest, AnUnreachableVolumeKeepsEveryRowOnIt) {
  addImage(pathOf("gone1.d88"), "PC98", "1");
  addImage(pathOf("gone2.d88"), "PC98", "2");
  UnpluggedProbe unplugged({qm::maintenance::volumeRoot(pathOf("x"))});
  const auto result = qm::maintenance::removeImages(context(), {MachineChoice::everyMachine(), true}, unplugged);
  EXPECT_EQ(result.skipped, 2);
  EXPECT_EQ(keys().size(), 2u);
}

TEST_F(MissingImagesTest, ChildrenOfARemovedParentBecomeSingles) {
  const std::string parent = pathOf("gone-disk1.d88");
  addImage(parent, "PC98", "set", 1);
  addImage(touch("disk2.d88"), "PC98", "set 2", 2, parent);
  addImage(touch("disk3.d88"), "PC98", "set 3", 3, parent);
  const std::string other = touch("other1.d88");
  addImage(other, "PC98", "other", 1);
  addImage(touch("other2.d88"), "PC98", "other 2", 2, other);
  addImage(pathOf("gone-other3.d88"), "PC98", "other 3", 3, other);
  execute("INSERT INTO tmp_maxdisk SELECT ply_file_name, max(ply) FROM main_table WHERE ply>1 GROUP BY ply_file_name;");
  EXPECT_EQ(removeMissing().removed, 2);
  EXPECT_EQ(rows("SELECT file_name, ply, ply_file_name FROM main_table ORDER BY file_name;"),
            (Strings{pathOf("disk2.d88") + "|0|", pathOf("disk3.d88") + "|0|", other + "|1|",
                     pathOf("other2.d88") + "|2|" + other}));
  EXPECT_EQ(rows("SELECT * FROM tmp_maxdisk;"), Strings{other + "|2"});
}

TEST_F(MissingImagesTest, StopInTheMiddleKeepsTheDeletionsSoFar) {
  for (int i = 1; i <= 4; ++i) addImage(pathOf("gone" + std::to_string(i) + ".d88"), "PC98", "t");
  observer.stopAtRow(2);
  const auto result = removeMissing();
  EXPECT_EQ(result.status, RunStatus::Stopped);
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(keys(), (Strings{pathOf("gone3.d88"), pathOf("gone4.d88")}));
  EXPECT_EQ(observer.lines.back(), "ユーザーからの要求で処理を中止しました");
}

TEST_F(MissingImagesTest, OnlyTheChosenMachine) {
  addImage(pathOf("a.d88"), "PC98", "a");
  addImage(pathOf("b.d88"), "MSX", "b");
  removeMissing(MachineChoice::only("MSX"));
  EXPECT_EQ(keys(), Strings{pathOf("a.d88")});
  sink.clear();
  EXPECT_EQ(removeMissing(MachineChoice::only("FM-7")).status, RunStatus::NoRows);
  EXPECT_EQ(qm::test::boxes(sink), Strings{"|指定された機種のデータはありません。"});
}

TEST_F(MissingImagesTest, EveryRowOfAMachineAfterAYes) {
  addImage(touch("a.d88"), "PC98", "a");
  addImage(touch("b.d88"), "MSX", "b");
  execute("INSERT INTO memo_table VALUES ('" + pathOf("b.d88") + "', 'memo');");
  sink.setAnswer(qm::platform::MessageAnswer::No);
  EXPECT_EQ(qm::maintenance::removeImages(context(), {MachineChoice::only("MSX"), false}, probe).status,
            RunStatus::Declined);
  EXPECT_EQ(keys().size(), 2u);
  EXPECT_EQ(qm::test::boxes(sink),
            Strings{"確認|MSX の 全アイテム をライブラリから削除します。\nよろしいですか？"});
  EXPECT_EQ(sink.messages()[0].buttons, qm::platform::MessageButtons::YesNo);

  sink.setAnswer(qm::platform::MessageAnswer::Yes);
  EXPECT_EQ(qm::maintenance::removeImages(context(), {MachineChoice::only("MSX"), false}, probe).status,
            RunStatus::Completed);
  EXPECT_EQ(keys(), Strings{pathOf("a.d88")});
  EXPECT_TRUE(rows("SELECT * FROM memo_table;").empty());
  EXPECT_EQ(observer.lines, Strings{"MSX の 全アイテム をライブラリから削除しました"});

  qm::maintenance::removeImages(context(), {MachineChoice::everyMachine(), false}, probe);
  EXPECT_TRUE(keys().empty());
  EXPECT_EQ(observer.lines.back(), "全ての機種 の 全アイテム をライブラリから削除しました");
}

}  // namespace
