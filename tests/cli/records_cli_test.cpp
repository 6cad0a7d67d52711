// Snapshot lookup, record edits and bulk changes as a script runs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/library_cli.h"

namespace {

using qm::test::CliRun;

class RecordsCliTest : public qm::test::LibraryCliTest {
protected:
  RecordsCliTest() {
    EXPECT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,crc32,sale_year) VALUES "
                  "('C:\\a.nes','a','.nes','MSX','a','0001ABCD','0'),('C:\\b.nes','b','.nes','MSX','b','','0');"
                  "INSERT OR REPLACE INTO machine_info_table(machine,snap_path) VALUES ('MSX','snap');"),
              0);
  }
};

TEST_F(RecordsCliTest, SnapshotNamesThePictureAndTheRule) {
  std::system(("mkdir -p '" + folder + "/snap'").c_str());
  std::ofstream(folder + "/snap/1ABCD.png") << "x";
  std::ofstream(folder + "/Quillmoor2.ini") << "[SnapShot]\r\nFindMode0=1\r\n";
  const CliRun run = cli("snapshot 'C:\\a.nes'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "slot 1\t" + folder + "/snap/1ABCD.png\tmatch>CRC32と同名の画像\nslot 2\tFile Not Found.\n"
                        "slot 3\tFile Not Found.\n");
  EXPECT_EQ(cli("snapshot 'C:\\b.nes'").output, "slot 1\tFile Not Found.\nslot 2\tFile Not Found.\nslot 3\tFile Not Found.\n");
  EXPECT_EQ(cli("snapshot 'C:\\z.nes'").exitCode, 1);
  // A new title takes the pictures named after the old one along, when allowed.
  std::ofstream(folder + "/snap/a.jpg") << "x";
  EXPECT_EQ(cli("edit 'C:\\a.nes' title=Neu").exitCode, 0);
  EXPECT_TRUE(std::ifstream(folder + "/snap/a.jpg").good());
  EXPECT_EQ(cli("edit --yes 'C:\\a.nes' title=Zwei").exitCode, 0);
  EXPECT_TRUE(std::ifstream(folder + "/snap/a.jpg").good());  // the old title was Neu
  EXPECT_EQ(cli("edit --yes 'C:\\a.nes' title=a").exitCode, 0);
  const CliRun renamed = cli("edit --yes 'C:\\a.nes' title=Drei");
  EXPECT_NE(renamed.output.find("a → Drei\npictures renamed: 1, refused: 0\n"), std::string::npos) << renamed.output;
  EXPECT_TRUE(std::ifstream(folder + "/snap/Drei.jpg").good());
}

TEST_F(RecordsCliTest, EditSavesThroughTheEditorsChecks) {
  const struct {
    const char* arguments;
    int exitCode;
    const char* stored;  // title|sale_year|maker of a.nes afterwards
  } steps[] = {
      {"edit 'C:\\a.nes' title=Neu sale_year=1980-5 maker=M", 0, "Neu|1980-05-00|M\n"},
      {"edit 'C:\\a.nes' sale_year=1980-13", 1, "Neu|1980-05-00|M\n"},
      {"edit 'C:\\a.nes' title=", 1, "Neu|1980-05-00|M\n"},
      {"edit 'C:\\a.nes' colour=red", 2, "Neu|1980-05-00|M\n"},
      {"edit 'C:\\a.nes' adult=2", 2, "Neu|1980-05-00|M\n"},
      {"edit 'C:\\z.nes' title=x", 1, "Neu|1980-05-00|M\n"},
      {"edit 'C:\\a.nes' maker=N", 0, "Neu|1980-05-00|N\n"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.arguments);
    EXPECT_EQ(cli(step.arguments).exitCode, step.exitCode);
    EXPECT_EQ(query("SELECT title, sale_year, maker FROM main_table WHERE file_name='C:\\a.nes';"), step.stored);
  }
}

TEST_F(RecordsCliTest, BulkChangesEveryKeyOrNone) {
  EXPECT_EQ(cli("bulk --field maker --value M 'C:\\a.nes' 'C:\\b.nes'").output, "changed 2\n");
  EXPECT_EQ(cli("bulk --field maker --value X 'C:\\a.nes' 'C:\\z.nes'").exitCode, 1);
  EXPECT_EQ(cli("bulk --field colour --value X 'C:\\a.nes'").exitCode, 2);
  EXPECT_EQ(cli("bulk --field adult 'C:\\b.nes' 'C:\\a.nes'").output, "adult=1\n");
  EXPECT_EQ(cli("bulk --field rating --value 40 'C:\\a.nes'").exitCode, 0);
  EXPECT_EQ(cli("bulk --field rating --value 45 'C:\\a.nes'").exitCode, 2);
  EXPECT_EQ(cli("bulk --field title --value T --kana K 'C:\\b.nes'").exitCode, 0);
  EXPECT_EQ(query("SELECT maker, adult, rating, title, kana FROM main_table ORDER BY file_name;"),
            "M|1|40|a|\nM|1|0|T|K\n");
  std::system(("mkdir -p '" + folder + "/snap'").c_str());
  std::ofstream(folder + "/snap/a.bmp") << "x";
  std::ofstream(folder + "/snap/T.png") << "x";
  const CliRun titled = cli("bulk --yes --field title --value U 'C:\\a.nes' 'C:\\b.nes'");
  EXPECT_NE(titled.output.find("changed 2\n"), std::string::npos) << titled.output;
  EXPECT_NE(titled.output.find("pictures renamed: 2, refused: 0\n"), std::string::npos) << titled.output;
  EXPECT_TRUE(std::ifstream(folder + "/snap/U.bmp").good());
  EXPECT_TRUE(std::ifstream(folder + "/snap/U.png").good());
}

// Ratings as the README gives them, 0 clearing one; several keys change
// together or not at all (a trigger refuses the second).
TEST_F(RecordsCliTest, BulkRatingsClearAndChangeAllKeysOrNone) {
  const struct {
    const char* arguments;
    int exitCode;
    const char* stored;
  } steps[] = {
      {"bulk --field rating --value 30 'C:\\a.nes' 'C:\\b.nes'", 0, "30|30\n"},
      {"bulk --field rating --value 0 'C:\\a.nes'", 0, "0|30\n"},
      {"bulk --field rating --value 50 'C:\\a.nes' 'C:\\b.nes'", 0, "50|50\n"},
      {"bulk --field rating --value 00 'C:\\b.nes'", 0, "50|0\n"},
      {"bulk --field rating --value 5 'C:\\b.nes'", 2, "50|0\n"},
      {"bulk --field rating --value 60 'C:\\b.nes'", 2, "50|0\n"},
      {"bulk --field rating --value '' 'C:\\b.nes'", 2, "50|0\n"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.arguments);
    EXPECT_EQ(cli(step.arguments).exitCode, step.exitCode);
    EXPECT_EQ(query("SELECT group_concat(rating, '|') FROM (SELECT rating FROM main_table ORDER BY file_name);"),
              step.stored);
  }
  ASSERT_EQ(sql("CREATE TRIGGER refuse_b BEFORE UPDATE OF rating ON main_table WHEN NEW.file_name='C:\\b.nes' "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END;"),
            0);
  EXPECT_EQ(cli("bulk --field rating --value 10 'C:\\a.nes' 'C:\\b.nes'").exitCode, 1);
  EXPECT_EQ(query("SELECT group_concat(rating, '|') FROM (SELECT rating FROM main_table ORDER BY file_name);"),
            "50|0\n");
}

}  // namespace
