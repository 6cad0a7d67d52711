// What the item list keeps from one run to the next.
#include <gtest/gtest.h>

#include "app/search/last_query.h"
#include "app/settings/settings.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::search {
namespace {

class LastQueryTest : public ::testing::Test {
protected:
  std::string path() const { return folder_.file("Quillmoor2.ini"); }
  platform::IniFile ini() const { return platform::IniFile(path()); }
  std::string bytes() const { return qm::test::readFile(path()).value_or("<no file>"); }

  qm::test::TempFolder folder_;
};

TEST_F(LastQueryTest, AFlaggedFileHasItsQueryReset) {
  ASSERT_TRUE(qm::test::writeFile(path(), "[LastQuery]\r\nSQL1=CREATE VIEW x\r\nSQL3=SELECT 1\r\nPrimaryKey=a\r\n"
                                      "SortColumn=3\r\nSortOrder=0\r\n[ItemListColor]\r\nDispEmuSetName=-1\r\n"));
  Settings settings;
  settings.setText(Setting::LastQuerySql1, "stale");
  EXPECT_TRUE(resetLastQueryWhenFlagged(settings, ini()));
  EXPECT_EQ(bytes(), "[LastQuery]\r\nSQL1=\r\nSQL3=\r\nPrimaryKey=\r\nSortColumn=0\r\nSortOrder=1\r\nSQL2=\r\n"
                     "[ItemListColor]\r\nDispEmuSetName=0\r\n");
  Settings loaded;
  loadSettings(loaded, ini(), ReadAt::FirstPaint);
  EXPECT_EQ(loaded.text(Setting::LastQuerySql1), "");
  EXPECT_EQ(readNumber(ini(), Setting::LastQuerySortOrder), 1);
  EXPECT_EQ(readNumber(ini(), Setting::ListDispEmuSetName), 0);
  EXPECT_EQ(settings.text(Setting::LastQuerySql1), "");
  EXPECT_EQ(settings.number(Setting::ListDispEmuSetName), 0);

  const std::string after = bytes();
  EXPECT_FALSE(resetLastQueryWhenFlagged(settings, ini()));
  EXPECT_EQ(bytes(), after);
}

TEST_F(LastQueryTest, RememberedAtExitAndRestoredAtTheFirstPaint) {
  Settings settings;
  SortState sort;
  sort.apply(3, SortMode::Descending, false);
  rememberQuery(settings, {"CREATE VIEW list_view AS SELECT 1;", "SELECT * FROM list_view WHERE adult=1 ;",
                           "SELECT * FROM list_view"},
                "C:\\a.nes", sort, true);
  ASSERT_EQ(saveAtShutdown(settings, ini(), false), SaveResult::Saved);
  EXPECT_NE(bytes().find("[LastQuery]\r\nSQL1=CREATE VIEW list_view AS SELECT 1;\r\nSQL3=SELECT * FROM list_view\r\n"
                         "PrimaryKey=C:\\a.nes\r\nSortColumn=3\r\nSortOrder=1\r\n"),
            std::string::npos);
  EXPECT_NE(bytes().find("yomiSort=1\r\n"), std::string::npos);

  Settings loaded;
  loadSettings(loaded, ini(), ReadAt::FirstPaint);
  const RestoredQuery restored = restoredQuery(loaded);
  EXPECT_EQ(restored.statements.view, "CREATE VIEW list_view AS SELECT 1;");
  EXPECT_EQ(restored.statements.group, "");  // always starts empty
  EXPECT_EQ(restored.statements.search, "SELECT * FROM list_view");
  EXPECT_EQ(restored.primaryKey, "C:\\a.nes");
}

}  // namespace
}  // namespace qm::search
