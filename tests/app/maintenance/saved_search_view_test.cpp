#include "app/maintenance/saved_search_view.h"

#include <gtest/gtest.h>

#include "common/platform/ini.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

class SavedSearchViewTest : public qm::test::MaintenanceTest {
protected:
  std::string settings() const { return pathOf("Quillmoor2.ini"); }
  bool viewExists() const { return !rows("SELECT name FROM sqlite_master WHERE name='list_view';").empty(); }
};

TEST_F(SavedSearchViewTest, TheSavedSearchMakesTheViewAgain) {
  qm::platform::IniFile(settings()).writeString("LastQuery", "SQL1",
                                                 "CREATE VIEW list_view AS SELECT file_name FROM main_table WHERE ply<2 ;");
  execute("CREATE VIEW list_view AS SELECT title FROM main_table;");
  qm::maintenance::SavedSearchView view(dbPath, settings());
  view.refresh();
  EXPECT_FALSE(view.error().has_value());
  EXPECT_EQ(rows("SELECT name FROM pragma_table_info('list_view');"), std::vector<std::string>{"file_name"});
}

TEST_F(SavedSearchViewTest, WithoutASavedSearchTheViewStaysAbsent) {
  qm::maintenance::SavedSearchView view(dbPath, settings());
  view.refresh();
  EXPECT_FALSE(viewExists());
  qm::platform::IniFile(settings()).writeString("LastQuery", "SQL1", "CREATE VIEW list_view AS SELECT nothing;");
  view.refresh();
  EXPECT_TRUE(view.error().has_value());
  EXPECT_FALSE(viewExists());
}

}  // namespace
