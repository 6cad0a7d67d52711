#include "app/renamedata/list_data.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/app/renamedata/stored_zip.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::renamedata::loadListData;

class ListDataTest : public ::testing::Test {
protected:
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = folder.file(name);
    EXPECT_TRUE(qm::test::writeFile(path, bytes));
    return path;
  }
  // The list's text, or the failure's as UTF-8 after "!".
  std::string load(const std::string& path, std::size_t limit = qm::renamedata::kZipListLimit) {
    const auto data = loadListData(path, limit);
    if (!data.text) return std::string("!").append(qm::text::sjisToUtf8(data.failure));
    return std::string(data.text->c_str(), data.text->size());
  }
  qm::test::TempFolder folder;
};

TEST_F(ListDataTest, PlainFilesAreHandedOverUnread) {
  const std::string bytes = "[a]\r\nTitle=x\r\n";
  EXPECT_EQ(load(write("list.txt", bytes)), bytes);
  EXPECT_EQ(load(write("list.xml", "<x/>")), "<x/>");
  EXPECT_EQ(load(write("empty.txt", "")), "!リストデータが空です");
  EXPECT_EQ(load(folder.file("absent.txt")), "!リストデータファイルが開けませんでした");
}

TEST_F(ListDataTest, TakesTheFirstXmlMemberOfAZip) {
  using qm::test::storedZip;
  EXPECT_EQ(load(write("a.zip", storedZip({{"readme.txt", "r"}, {"dat/first.XML", "<one/>"}, {"second.xml", "<two/>"}}))),
            "<one/>");
  EXPECT_EQ(load(write("b.ZIP", storedZip({{"readme.txt", "r"}, {"xml", "x"}}))),
            "!リストデータに指定された zip は xml を含みません");
  EXPECT_EQ(load(write("c.zip", storedZip({{"list.xml", ""}}))), "!リストデータが空です");
  EXPECT_EQ(load(write("d.zip", "PK\x03\x04 broken")), "!zip から xml 検索に失敗しました");
  EXPECT_EQ(load(folder.file("absent.zip")), "!zip から xml 検索に失敗しました");
}

// DAT files come zipped as ".dat"; being UTF-8 by their format, they go over
// unconverted even with characters code page 932 lacks ("é"), which a
// keyed list would be refused for.
TEST_F(ListDataTest, DatFilesGoOverAsTheyAreFromAZipsFirstListMember) {
  using qm::test::storedZip;
  const std::string dat = "<?xml version=\"1.0\"?>\n<datafile><game name=\"Pok\xC3\xA9mon \xE3\x81\x82\"/></datafile>";
  EXPECT_EQ(load(write("n.zip", storedZip({{"readme.txt", "r"}, {"No-Intro.DAT", dat}, {"later.xml", "<x/>"}}))), dat);
  EXPECT_EQ(load(write("n.dat", dat)), dat);
  const std::string cmpro = "clrmamepro ( name \"\xC3\xA9\" )\n";
  EXPECT_EQ(load(write("c.dat", cmpro)), cmpro);
  const std::string refused =
      load(write("keyed.txt", "[Pok\xC3\xA9mon]\nTitle=Pok\xC3\xA9mon \xE3\x83\x9D\xE3\x82\xB1\xE3\x83\xA2\xE3\x83\xB3\n"));
  EXPECT_EQ(refused.substr(0, 1), "!") << refused;
}

TEST_F(ListDataTest, AZipMemberIsCappedInSize) {
  const std::string path = write("big.zip", qm::test::storedZip({{"big.xml", std::string(4096, 'x')}}));
  EXPECT_EQ(load(path, 4096).size(), 4096u);
  EXPECT_EQ(load(path, 4095), "!zip から xml をメモリ上に展開できませんでした");
}

}  // namespace
