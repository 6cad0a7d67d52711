// quillmoor-cli search and queries, as a script runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/cli/library_cli.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;

// A run of quillmoor-cli, its exit code and output (nullptr: not looked at).
struct SearchCase {
  const char* arguments;
  int exitCode;
  const char* output;
};

class SearchCliTest : public qm::test::LibraryCliTest {
protected:
  SearchCliTest() {
    std::string rows;
    for (const char* title : {"ドラゴン伝説", "ドラゴンの塔", "海の伝説", "100%", "1000"}) {
      rows += std::string(rows.empty() ? "" : ",") + "('k" + title + "','t','.x','m','" + title + "',0)";
    }
    EXPECT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,ply) VALUES " + rows + ";"), 0);
  }
  std::string storedView() { return query("SELECT sql FROM sqlite_master WHERE name='list_view';"); }
};

TEST_F(SearchCliTest, PrintsTheTitlesInTheListsOrder) {
  const SearchCase cases[] = {
      {"search --mode 2 伝説", 0, "ドラゴン伝説\n海の伝説\n"},
      {"search --mode 2 --match 1 海の伝説", 0, "海の伝説\n"},
      {"search --mode 2 100%", 0, "100%\n"},
      {"search --mode 0 'ドラゴン 塔'", 0, "ドラゴンの塔\n"},
      {"search --mode 2 zzz", 0, ""},
      {"search --mode 2 --migemo doragon", 0, "ドラゴンの塔\nドラゴン伝説\n"},
      {"search --mode 0 --migemo densetsu", 0, "ドラゴン伝説\n海の伝説\n"},
      {"search --mode 2 doragon", 0, ""},
      {"search --mode 9 'SELECT * FROM list_view WHERE title LIKE \"%伝説\" ORDER BY title DESC'", 0,
       "海の伝説\nドラゴン伝説\n"},
      {"search --mode 9 'DELETE FROM main_table'", 1, nullptr},
      {"search --mode 11 x", 2, nullptr},
      {"search --mode 2 --match 3 x", 2, nullptr},
      {"search --mode 2", 2, nullptr},
  };
  for (const auto& c : cases) {
    const std::string view = storedView();
    const CliRun run = cli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
    if (c.output) {
      EXPECT_EQ(run.output, c.output) << c.arguments;
    }
    EXPECT_EQ(storedView(), view) << c.arguments;
  }
}

// The library keeps the view the program left, whatever the settings file
// says, and a fresh one stays without; an SQL search must list titles.
TEST_F(SearchCliTest, LeavesTheProgramsViewAndListsOnlyTitles) {
  ASSERT_EQ(sql("DROP VIEW IF EXISTS list_view;"), 0);
  EXPECT_EQ(cli("search --mode 2 伝説").exitCode, 0);
  EXPECT_EQ(storedView(), "") << "a library without the view stays so";
  const std::string left = "CREATE VIEW list_view AS SELECT * FROM main_table WHERE title='1000'";
  ASSERT_EQ(sql(left + ";"), 0);
  std::ofstream(folder + "/Quillmoor2.ini")
      << "[LastQuery]\r\nSQL1=CREATE VIEW list_view AS SELECT * FROM main_table\r\n";
  const SearchCase cases[] = {
      {"search --mode 2 伝説", 0, "ドラゴン伝説\n海の伝説\n"},
      {"search --mode 9 'SELECT title FROM list_view WHERE title LIKE \"%伝説\" ORDER BY title'", 0,
       "ドラゴン伝説\n海の伝説\n"},
      {"search --mode 9 'SELECT file_name, title FROM list_view WHERE title LIKE \"%伝説\"'", 1,
       "error: an SQL search lists titles: its first column must be title, or its columns those of list_view "
       "(SELECT * FROM list_view ...)\n"},
      {"search --mode 9 'SELECT file_name FROM list_view WHERE title=\"none\"'", 0, ""},
  };
  for (const auto& c : cases) {
    const CliRun run = cli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
    EXPECT_EQ(run.output, c.output) << c.arguments;
    EXPECT_EQ(storedView(), left + "\n") << c.arguments;
  }
}

TEST_F(SearchCliTest, ListsSavedQueriesWithTheirStatements) {
  const std::string queries = folder + "/query";
  ASSERT_EQ(std::system(("mkdir -p '" + queries + "/sub'").c_str()), 0);
  std::ofstream(queries + "/sub/a.txt") << "[query]\r\nsql=SELECT * FROM list_view\r\n";
  std::ofstream(queries + "/sub/notes.txt.bak") << "[query]\r\nsql=x\r\n";
  const CliRun run = qm::test::runQuillmoorCli("queries --folder '" + queries + "'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "sub/\nsub/a\tSELECT * FROM list_view\n");
  EXPECT_EQ(qm::test::runQuillmoorCli("queries --folder '" + folder + "/none'").exitCode, 1);
}

}  // namespace
