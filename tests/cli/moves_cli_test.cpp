// replace and backup-images as a script moving a library uses them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;

class MovesCliTest : public ::testing::Test {
protected:
  MovesCliTest() : root(qm::text::sjisToUtf8(temp.path())), db(root + "/Quillmoor.db") {
    EXPECT_EQ(cli("create").exitCode, 0);
  }
  CliRun cli(const std::string& arguments) { return qm::test::runQuillmoorCli(arguments + " --db '" + db + "'"); }
  std::string sql(const std::string& statement) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("sqlite3 '" + db + "' \"" + statement + "\"").c_str(), "r"),
                                               pclose);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    return out;
  }

  qm::test::TempFolder temp;
  std::string root;
  std::string db;
};

TEST_F(MovesCliTest, ReplaceListsThenMovesKeysWithTheirRows) {
  sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,ply,ply_file_name) VALUES"
      "('D:/r/a.d88','a','d88','PC98','a',1,''),('D:/r/b.d88','b','d88','X1','b',2,'D:/r/a.d88');"
      "INSERT INTO memo_table VALUES('D:/r/a.d88','m');");
  const CliRun listed = cli("replace --column file_name --test D:/r/ E:/");
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_NE(listed.output.find("D:/r/b.d88 -> E:/b.d88"), std::string::npos) << listed.output;
  EXPECT_NE(listed.output.find("2 パターンのマッチがありました。"), std::string::npos);
  EXPECT_EQ(sql("SELECT count(*) FROM main_table WHERE file_name LIKE 'E:%';"), "0\n");

  const CliRun moved = cli("replace --column file_name --machine PC98 D:/r/ E:/");
  EXPECT_EQ(moved.exitCode, 0) << moved.output;
  EXPECT_NE(moved.output.find("keys moved: 1"), std::string::npos);
  EXPECT_EQ(sql("SELECT file_name, ply_file_name FROM main_table ORDER BY 1;"), "D:/r/b.d88|E:/a.d88\nE:/a.d88|\n");
  EXPECT_EQ(sql("SELECT pfile_mm FROM memo_table;"), "E:/a.d88\n");

  EXPECT_EQ(cli("replace --column title a b").exitCode, 2);
  EXPECT_EQ(cli("replace --column maker '' b").exitCode, 1);
}

TEST_F(MovesCliTest, BackupImagesCopiesASetIntoTheFolder) {
  std::ofstream(root + "/a.d88") << "one";
  std::ofstream(root + "/b.d88") << "two";
  sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,ply,ply_file_name) VALUES"
      "('" + root + "/a.d88','a','d88','PC98','a',1,''),('" + root + "/b.d88','b','d88','PC98','b',2,'" + root +
      "/a.d88');");
  std::filesystem::create_directory(root + "/copy");
  const CliRun copied = cli("backup-images --to '" + root + "/copy' '" + root + "/a.d88'");
  EXPECT_EQ(copied.exitCode, 0) << copied.output;
  EXPECT_NE(copied.output.find("バックアップが完了しました"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(root + "/copy/b.d88"));
  // The files are there now: a second copy is refused.
  EXPECT_EQ(cli("backup-images --to '" + root + "/copy' '" + root + "/a.d88'").exitCode, 1);
  EXPECT_EQ(cli("backup-images --to '" + root + "/copy' nothing").exitCode, 1);
}

}  // namespace
