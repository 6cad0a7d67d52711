#include "app/maintenance/database_properties.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/support/file_bytes.h"

namespace {

using qm::maintenance::groupDigits;
using qm::text::sjis;

TEST(GroupDigits, Cases) {
  const std::pair<std::string, std::string> cases[] = {
      {"1234567", "1,234,567"}, {"123456", "123,456"}, {"1234", "1,234"},   {"123", "123"},
      {"0", "0"},               {"", ""},              {"-1234", "-1,234"}, {"-123", "-123"},
      {sjis("▲1234567"), sjis("▲1,234,567")},         {"18446744073709551615", "18,446,744,073,709,551,615"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(groupDigits(in), out) << in;
}

class DatabasePropertiesTest : public qm::test::MaintenanceTest {};

TEST_F(DatabasePropertiesTest, OneSetOfThreeDisksAndTwoSingles) {
  addImage("set1", "PC98", "set", 1);
  addImage("set2", "PC98", "set", 2, "set1");
  addImage("set3", "PC98", "set", 3, "set1");
  addImage("single1", "PC98", "a");
  addImage("single2", "MSX", "b");
  execute("UPDATE main_table SET maker='M1' WHERE file_name LIKE 'set%';");
  execute("UPDATE main_table SET maker='M2' WHERE file_name='single1';");
  const auto figures = qm::maintenance::readDatabaseFigures(dbPath);
  EXPECT_EQ(figures.titles, "3");
  EXPECT_EQ(figures.images, "5");
  EXPECT_EQ(figures.makers, "3") << "'' counts as a maker of its own";
  EXPECT_EQ(figures.fileSize, groupDigits(std::to_string(*qm::platform::fileSize(dbPath))) + " byte");
  EXPECT_EQ(figures.path, dbPath);
  EXPECT_EQ(figures.sqliteVersion, sqlite3_libversion());
}

TEST_F(DatabasePropertiesTest, AFileThatIsNoDatabaseShowsItsSizeOnly) {
  const std::string path = pathOf("one-mebibyte.db");
  ASSERT_TRUE(qm::test::writeFile(path, std::string(1048576, 'x')));
  const auto figures = qm::maintenance::readDatabaseFigures(path);
  EXPECT_FALSE(figures.titles.has_value());
  EXPECT_FALSE(figures.images.has_value());
  EXPECT_EQ(figures.fileSize, "1,048,576 byte");
  const auto error = qm::maintenance::vacuumDatabase(path);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(qm::text::sjisToUtf8(qm::maintenance::vacuumFailureMessage(*error)),
            "バキュームに失敗しました\nfile is not a database");
  EXPECT_EQ(qm::text::sjisToUtf8(qm::maintenance::vacuumFailureCaption()), "DBエラー");
}

TEST_F(DatabasePropertiesTest, AMissingDatabaseIsNotCreatedByLooking) {
  const std::string path = pathOf("absent.db");
  const auto figures = qm::maintenance::readDatabaseFigures(path);
  EXPECT_FALSE(figures.titles.has_value());
  EXPECT_EQ(qm::text::sjisToUtf8(figures.fileSize), "DBが作成されていません");
  EXPECT_TRUE(qm::maintenance::vacuumDatabase(path).has_value());
  EXPECT_FALSE(qm::platform::fileExists(path));
}

TEST_F(DatabasePropertiesTest, OptimisingTwiceGivesTheSameSize) {
  for (int i = 0; i < 200; ++i) addImage("img" + std::to_string(i), "PC98", std::string(200, 'x'));
  execute("DELETE FROM main_table;");
  EXPECT_FALSE(qm::maintenance::vacuumDatabase(dbPath).has_value());
  const auto first = qm::platform::fileSize(dbPath);
  EXPECT_FALSE(qm::maintenance::vacuumDatabase(dbPath).has_value());
  EXPECT_EQ(qm::platform::fileSize(dbPath), first);
}

}  // namespace
