// quillmoor-cli keys, web-sites and web-url as a script uses them: the lines
// of a key file, the URL of a site for an image, and the refusals.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;
using qm::test::runQuillmoorCli;

class ShortcutsCliTest : public ::testing::Test {
protected:
  std::string path(const std::string& name) const { return qm::text::sjisToUtf8(folder.file(name)); }
  qm::test::TempFolder folder;
};

TEST_F(ShortcutsCliTest, KeysListsValuesAndLabels) {
  ASSERT_TRUE(qm::test::writeFile(folder.file("k.ini"), "[KeyConfig]\r\nEditRecord=1114181\r\nSelecEmu=0\r\n"));
  const CliRun run = runQuillmoorCli("keys --ini '" + path("k.ini") + "'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output.substr(0, run.output.find("BulkChange_Maker")),
            "EditRecord\t1114181\tSHIFT+CTRL+E\tレコード編集\\tSHIFT+CTRL+E\n"
            "SelecEmu\t0\t\tエミュレータで起動\\t\n"
            "BulkChange_Title\t82\tR\tタイトル\\tR\n");
  EXPECT_NE(run.output.find("\nfocus_l2t\t65545\tCTRL+TAB\n"), std::string::npos);
  EXPECT_NE(run.output.find("\nlistdrag\t0\t\n"), std::string::npos);
  EXPECT_EQ(runQuillmoorCli("keys").exitCode, 2);
}

TEST_F(ShortcutsCliTest, WebUrlFillsTheTemplateOrRefusesIt) {
  ASSERT_EQ(runQuillmoorCli("create --db '" + path("Quillmoor.db") + "'").exitCode, 0);
  std::ofstream(path("add.sql"))
      << "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, developer) VALUES "
         "('C:\\r\\a.d88', 'a', '.d88', 'PC-9801', 'ドラゴン 1', 'エニ', 'D&D');";
  ASSERT_EQ(std::system(("sqlite3 '" + path("Quillmoor.db") + "' < '" + path("add.sql") + "'").c_str()), 0);
  ASSERT_TRUE(qm::test::writeFile(
      folder.file("w.ini"), qm::text::sjis("[SiteName]\r\n1=検索\r\n2=F\r\n[SiteURL]\r\n"
                                           "1=https://s/?q=%title&m=$maker&d=%developer\r\n2=ftp://s/%title\r\n")));
  const std::string common = "--ini '" + path("w.ini") + "' --db '" + path("Quillmoor.db") + "' ";

  CliRun run = runQuillmoorCli("web-url " + common + "--site 1 'C:\\r\\a.d88'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "https://s/?q=%E3%83%89%E3%83%A9%E3%82%B4%E3%83%B3%201&m=エニ&d=D%26D\n");

  run = runQuillmoorCli("web-url " + common + "--site 2 'C:\\r\\a.d88'");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "error: http(s):以外は未対応です。\n\"ftp://s/%E3%83%89%E3%83%A9%E3%82%B4%E3%83%B3%201\"\n");

  EXPECT_EQ(runQuillmoorCli("web-url " + common + "--site 3 'C:\\r\\a.d88'").exitCode, 1);
  EXPECT_EQ(runQuillmoorCli("web-url " + common + "--site 1 'C:\\r\\none.d88'").exitCode, 1);
  EXPECT_EQ(runQuillmoorCli("web-sites --ini '" + path("w.ini") + "'").output,
            "1\t検索\thttps://s/?q=%title&m=$maker&d=%developer\n2\tF\tftp://s/%title\n");
}

}  // namespace
