#include "app/maintenance/saved_search_view.h"

#include <gtest/gtest.h>

#include "app/item_list/list_view_sql.h"
#include "common/platform/ini.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

class SavedSearchViewTest : public qm::test::MaintenanceTest {
protected:
  std::string settings() const { return pathOf("Quillmoor2.ini"); }
  bool viewExists() const { return !rows("SELECT name FROM sqlite_master WHERE name='list_view';").empty(); }
};

TEST_F(SavedSearchViewTest, TheSavedSearchMakesTheViewAgain) {
  execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply) VALUES('a.d88', 'a', 'd88', 'M', 'A', 0), ('b.d88', 'b', 'd88', 'M', 'B', 0);");
  qm::platform::IniFile(settings()).writeString("LastQuery", "SQL1",
                                                 qm::search::viewHead() + "WHERE title='B' ;");
  execute("CREATE VIEW list_view AS SELECT title FROM main_table;");
  qm::maintenance::SavedSearchView view(dbPath, settings());
  view.refresh();
  EXPECT_FALSE(view.error().has_value());
  EXPECT_EQ(rows("SELECT file_name FROM list_view;"), std::vector<std::string>{"b.d88"});
}

// An edited file cannot make the tool run what it holds: whatever is not our
// own view with a read-only WHERE shows the whole library instead.
TEST_F(SavedSearchViewTest, AnUntrustedSearchShowsTheWholeLibrary) {
  execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply) VALUES('a.d88', 'a', 'd88', 'M', 'A', 0);");
  for (const std::string& saved : {std::string("CREATE VIEW list_view AS SELECT file_name FROM main_table;"),
                                   qm::search::viewHead() + "WHERE 1 ; DROP TABLE main_table;",
                                   std::string("DROP TABLE main_table;")}) {
    qm::platform::IniFile(settings()).writeString("LastQuery", "SQL1", saved);
    qm::maintenance::SavedSearchView view(dbPath, settings());
    view.refresh();
    EXPECT_FALSE(view.error().has_value()) << saved;
    EXPECT_EQ(rows("SELECT file_name FROM list_view;"), std::vector<std::string>{"a.d88"}) << saved;
  }
}

TEST_F(SavedSearchViewTest, WithoutASavedSearchTheViewStaysAbsent) {
  qm::maintenance::SavedSearchView view(dbPath, settings());
  view.refresh();
  EXPECT_FALSE(viewExists());
}

}  // namespace
