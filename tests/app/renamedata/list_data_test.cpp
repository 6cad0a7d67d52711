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

TEST_F(ListDataTest, AZipMemberIsCappedInSize) {
  const std::string path = write("big.zip", qm::test::storedZip({{"big.xml", std::string(4096, 'x')}}));
  EXPECT_EQ(load(path, 4096).size(), 4096u);
  EXPECT_EQ(load(path, 4095), "!zip から xml をメモリ上に展開できませんでした");
}

}  // namespace
