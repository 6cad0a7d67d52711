// The maintenance dialog's texts by mode.
#include "app/maintenance/maintenance_page.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

using text::sjisToUtf8;

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

TEST(MaintenancePage, FolderSyncMode) {
  const MaintenancePage page = maintenancePage(MaintenanceMode::FolderSync);
  EXPECT_EQ(sjisToUtf8(page.caption), "フォルダの同期");
  EXPECT_EQ(sjisToUtf8(page.checkLabel), "不在イメージをライブラリから削除");
  EXPECT_FALSE(page.checkedAtOpen) << "a sync removes nothing unless asked";
  EXPECT_TRUE(page.folder && page.machineList && !page.csvFile);
}

}  // namespace
}  // namespace qm::maintenance
