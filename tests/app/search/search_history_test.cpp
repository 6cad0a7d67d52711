// The search bar's history in Quillmoor2.ini.
#include <gtest/gtest.h>

#include <string>

#include "app/search/search_history.h"
#include "app/search/search_sql.h"
#include "common/platform/ini.h"
#include "tests/support/temp_folder.h"

namespace qm::search::test {
namespace {

class SearchHistoryTest : public ::testing::Test {
protected:
  std::string joined(int mode) {
    std::string all;
    for (const std::string& entry : loadSearchHistory(ini, mode)) all += entry + "|";
    return all;
  }
  qm::test::TempFolder folder;
  platform::IniFile ini{folder.file("Quillmoor2.ini")};
};

TEST_F(SearchHistoryTest, NewestFirstTenAtMostWithoutRepeats) {
  for (int i = 1; i <= 11; ++i) ASSERT_TRUE(addSearchHistory(ini, std::string(1, 't').append(std::to_string(i)), kTitleMode));
  EXPECT_EQ(joined(kTitleMode), "t11|t10|t9|t8|t7|t6|t5|t4|t3|t2|");
  ASSERT_TRUE(addSearchHistory(ini, "t5", kFuzzyMode));
  EXPECT_EQ(joined(kMemoMode), "t5|t11|t10|t9|t8|t7|t6|t4|t3|t2|");
  EXPECT_EQ(ini.getString("SearchHistoryTXT", "9"), "t2");
}

TEST_F(SearchHistoryTest, SqlHasItsOwnSectionAndGenreNone) {
  ASSERT_TRUE(addSearchHistory(ini, "SELECT 1", kSqlMode));
  ASSERT_TRUE(addSearchHistory(ini, "rpg", kGenreMode));
  EXPECT_EQ(joined(kSqlMode), "SELECT 1|");
  EXPECT_EQ(joined(kTitleMode), "");
  EXPECT_EQ(joined(kGenreMode), "");
  EXPECT_FALSE(ini.find("SearchHistoryTXT", "0"));
}

TEST_F(SearchHistoryTest, EntriesMoveDownOnlyIntoTheFirstGap) {
  ini.writeString("SearchHistoryTXT", "0", "a");
  ini.writeString("SearchHistoryTXT", "2", "c");
  ASSERT_TRUE(addSearchHistory(ini, "x", kTitleMode));
  EXPECT_EQ(joined(kTitleMode), "x|a|c|");
  EXPECT_EQ(ini.getString("SearchHistoryTXT", "2"), "c");
  // A statement longer than 255 bytes is kept whole.
  const std::string sql = "SELECT * FROM list_view WHERE title='" + std::string(400, 'a') + "'";
  ASSERT_TRUE(addSearchHistory(ini, sql, kSqlMode));
  EXPECT_EQ(loadSearchHistory(ini, kSqlMode).at(0), sql);
}

}  // namespace
}  // namespace qm::search::test
