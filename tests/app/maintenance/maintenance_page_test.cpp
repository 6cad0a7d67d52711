// The maintenance dialog's texts by mode and its machine list over a real
// library file.
#include "app/maintenance/maintenance_page.h"

#include <gtest/gtest.h>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace qm::maintenance {
namespace {

using text::sjisToUtf8;

std::vector<std::string> utf8(const std::vector<std::string>& sjisTexts) {
  std::vector<std::string> out;
  for (const auto& t : sjisTexts) out.push_back(sjisToUtf8(t));
  return out;
}

TEST(MaintenancePage, RemovalModeTexts) {
  const MaintenancePage page = maintenancePage(MaintenanceMode::RemoveMissing);
  EXPECT_EQ(sjisToUtf8(page.caption), "不在イメージをライブラリから削除");
  EXPECT_EQ(sjisToUtf8(page.frameLabel), "ライブラリから削除");
  EXPECT_EQ(sjisToUtf8(page.checkLabel), "ファイルの存在しないアイテムのみライブラリから削除");
  EXPECT_TRUE(page.checkedAtOpen) << "cleared, a run would delete every row of the machine";
  EXPECT_TRUE(page.extraButton.empty());
}

TEST(MaintenancePage, ReadingAndSmartTitleModes) {
  const MaintenancePage reading = maintenancePage(MaintenanceMode::KanaReading);
  EXPECT_EQ(sjisToUtf8(reading.caption), "なんちゃって清音ソート用「読み仮名」超適当生成");
  EXPECT_EQ(sjisToUtf8(reading.checkLabel), "読み仮名が未入力のアイテムのみ実行");
  EXPECT_FALSE(reading.extraButton.empty());
  const MaintenancePage rebuild = maintenancePage(MaintenanceMode::SmartTitleRebuild);
  EXPECT_EQ(sjisToUtf8(rebuild.caption), "スマートタイトル再構築");
  EXPECT_TRUE(rebuild.checkLabel.empty()) << "the rebuild has no check box";
  EXPECT_EQ(sjisToUtf8(rebuild.extraButton), "スマートタイトルの確認");
  EXPECT_EQ(startText(), "\x8E\xC0\x8D\x73");  // 実行
  EXPECT_EQ(stopText(), "\x92\x86\x8E\x7E");   // 中止
}

using MachineListTest = test::MaintenanceTest;

TEST_F(MachineListTest, EveryMachineFirstThenTheTableByName) {
  execute("DELETE FROM machine_info_table;");
  execute("INSERT INTO machine_info_table(machine) VALUES('X1'),('FM-7'),('ＭＳＸ');");
  EXPECT_EQ(utf8(machineListEntries(dbPath)), (std::vector<std::string>{"全ての機種", "FM-7", "X1", "ＭＳＸ"}));
}

TEST_F(MachineListTest, AnUnreadableTableLeavesEntryZero) {
  execute("DROP TABLE machine_info_table;");
  EXPECT_EQ(utf8(machineListEntries(dbPath)), std::vector<std::string>{"全ての機種"});
}

TEST(MachineList, AMissingFileIsNotCreated) {
  test::TempFolder folder;
  const std::string path = folder.file("none.db");
  EXPECT_EQ(machineListEntries(path).size(), 1u);
  EXPECT_FALSE(platform::fileExists(path));
}

TEST(MachineChoice, EntryZeroIsEveryMachineAndNoSelectionIsNone) {
  EXPECT_TRUE(machineChoiceAt(0, "ignored").all);
  const MachineChoice one = machineChoiceAt(2, "X1");
  EXPECT_FALSE(one.all);
  EXPECT_EQ(one.name, "X1");
  EXPECT_TRUE(machineChoiceAt(-1, "X1").none());
  EXPECT_TRUE(machineChoiceAt(1, "").none());
}

}  // namespace
}  // namespace qm::maintenance
