// The smart-title update (the maintenance dialog's mode 2) must clear what the
// start-up notice counts: rows whose title is empty take their file title
// first (their file name when that is empty too), so no row keeps an empty
// smart title; and the page the dialog shows for it.
#include <gtest/gtest.h>

#include "app/maintenance/maintenance_page.h"
#include "app/maintenance/smart_title_run.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

namespace mt = ::qm::maintenance;
using Strings = std::vector<std::string>;

class SmartTitleUpdateTest : public qm::test::MaintenanceTest {
protected:
  mt::RunResult update() {
    return mt::rebuildSmartTitles(context(), mt::SmartTitleMode::Update, mt::MachineChoice::only(""),
                                  qm::text::SymbolTables::defaults());
  }
};

TEST_F(SmartTitleUpdateTest, EmptyTitlesTakeTheFileTitleAndNothingStaysEmpty) {
  const std::pair<const char*, const char*> titles[] = {
      {"a.d88", ""}, {"b.d88", "ゲーム"}, {"c.d88", ""}, {"d.d88", "!!!"}};
  for (const auto& [key, title] : titles) addImage(key, "PC98", title);
  execute("UPDATE main_table SET file_title='1942 (J)' WHERE file_name='a.d88';");
  execute("UPDATE main_table SET file_title='' WHERE file_name='c.d88';");
  EXPECT_TRUE(mt::smartTitlesMissing(dbPath));
  EXPECT_EQ(update().status, mt::RunStatus::Completed);
  EXPECT_FALSE(mt::smartTitlesMissing(dbPath));
  EXPECT_EQ(rows("SELECT file_name, title, smart_title FROM main_table ORDER BY file_name;"),
            (Strings{"a.d88|1942 (J)|1942J", "b.d88|ゲーム|ゲーム", "c.d88|c.d88|CD88", "d.d88|!!!|!!!"}));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table WHERE smart_title='';"), Strings{"0"});
  // A second run finds nothing to do.
  EXPECT_EQ(update().status, mt::RunStatus::NoRows);
}

TEST(SmartTitleUpdatePage, ModeTwoHasItsOwnTexts) {
  const mt::MaintenancePage page = mt::maintenancePage(mt::MaintenanceMode::SmartTitleUpdate);
  EXPECT_EQ(static_cast<int>(mt::MaintenanceMode::SmartTitleUpdate), 2);
  EXPECT_EQ(qm::text::sjisToUtf8(page.caption), "スマートタイトル再構築");
  EXPECT_EQ(qm::text::sjisToUtf8(page.notice), "アップデートが必要なアイテムが見つかりました。\n実行をクリックして下さい。");
  EXPECT_EQ(qm::text::sjisToUtf8(mt::updateFinishedNotice()),
            "処理が終了しました。\n閉じるボタンをクリックして下さい。");
  EXPECT_TRUE(page.checkLabel.empty());
  EXPECT_FALSE(page.machineList);
  EXPECT_TRUE(mt::maintenancePage(mt::MaintenanceMode::SmartTitleRebuild).machineList);
  EXPECT_TRUE(mt::maintenancePage(mt::MaintenanceMode::SmartTitleRebuild).notice.empty());
}

}  // namespace
