// datfile.nya loaded as the program loads a plug-in, answering from DATs the
// tests write.
#include <gtest/gtest.h>

#include "app/renamedata/list_data.h"
#include "app/renamedata/rename_plugin.h"
#include "common/text/encoding.h"
#include "tests/app/renamedata/keylist_fixture.h"
#include "tests/app/renamedata/stored_zip.h"
#include "tests/support/dat_text.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::platform::ReadOnlyText;
using qm::renamedata::RenameItem;
using qm::renamedata::RenamePlugin;
using qm::test::DatFormat;
using qm::text::sjis;
using qm::text::sjisToUtf8;

const std::vector<qm::test::TestGame> kGames = {
    {"Star Quest (Japan) (Rev 1)", "スター・クエスト", "1987-05-25", "ハドソン", {{"Star Quest (Japan) (Rev 1).sfc", 1048576, 0x1A2B3C4D, ""}}},
    {"Two Disks (1986)(Maker)(JP)[b]", "", "198x", "", {{"Disk 1/Two (A).d88", 348848, 0x00000001, ""}, {"Disk 2/Two (B).d88", 348848, 0x00000002, "baddump"}}},
    {"Same CRC (USA)", "Same CRC", "1990", "Other", {{"same.sfc", 4, 0x1A2B3C4D, ""}}},
    {"ソーサリアン (Japan)", "", "", "", {{"ソーサリアン.d88", 10, 0x0000ABCD, ""}}},
};

class DatfilePlugin : public ::testing::TestWithParam<DatFormat> {
protected:
  void SetUp() override {
    auto load = RenamePlugin::load(qm::test::datfilePlugin());
    ASSERT_TRUE(load.plugin) << sjisToUtf8(load.refusal);
    plugin = std::move(load.plugin);
  }
  std::string ask(RenameItem item, const std::string& key, int type) {
    const ReadOnlyText keyText(sjis(key));
    const auto value = plugin->text(item, {list, keyText, type});
    return value ? sjisToUtf8(*value) : "(none)";
  }
  std::optional<int> year(const std::string& key, int type) {
    const ReadOnlyText keyText(key);
    return plugin->number(RenameItem::Year, {list, keyText, type});
  }

  ReadOnlyText list{qm::test::datText(kGames, GetParam(), "Test - Machine")};
  std::unique_ptr<RenamePlugin> plugin;
};

TEST_P(DatfilePlugin, AnswersEveryItemOfTheGameAKeyFinds) {
  const struct {
    RenameItem item;
    std::string key;
    int type;
    std::string value;
  } cases[] = {
      {RenameItem::Title, "1A2B3C4D", 0, "スター・クエスト"},
      {RenameItem::Maker, "1A2B3C4D", 0, "ハドソン"},
      {RenameItem::Country, "1A2B3C4D", 0, "Japan"},
      {RenameItem::Version, "1A2B3C4D", 0, "Rev 1"},
      {RenameItem::Memo, "1A2B3C4D", 0, "Star Quest (Japan) (Rev 1)\r\nStar Quest (Japan) (Rev 1).sfc（1048576 バイト、good）"},
      // The second ROM of a game finds the game; the name stands for a missing description.
      {RenameItem::Title, "00000002", 0, "Two Disks (1986)(Maker)(JP)[b]"},
      {RenameItem::Memo, "00000002", 0, "Two Disks (1986)(Maker)(JP)[b]\r\nDisk 2/Two (B).d88（348848 バイト、baddump）"},
      {RenameItem::Country, "00000002", 0, "JP"},
      {RenameItem::Version, "00000002", 0, "[b]"},
      {RenameItem::Maker, "00000002", 0, "(none)"},
      {RenameItem::Title, "0000ABCD", 0, "ソーサリアン (Japan)"},
      // Names: the last part of the ROM's name, ASCII case ignored.
      {RenameItem::Title, "two (a)", 100, "Two Disks (1986)(Maker)(JP)[b]"},
      {RenameItem::Title, "TWO (A).D88", 101, "Two Disks (1986)(Maker)(JP)[b]"},
      {RenameItem::Title, "Two (A).d88", 100, "(none)"},
      {RenameItem::Title, "ソーサリアン", 100, "ソーサリアン (Japan)"},
      {RenameItem::Title, "ソーサリアン.D88", 101, "ソーサリアン (Japan)"},
      // CRC-16 is no key of a DAT; malformed CRCs find nothing.
      {RenameItem::Title, "ABCD", 16, "(none)"},
      {RenameItem::Title, "ABCD", 0, "(none)"},
      {RenameItem::Title, "1a2b3c4d", 0, "スター・クエスト"},
      {RenameItem::Title, "99999999", 0, "(none)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ask(c.item, c.key, c.type), c.value) << c.key << " " << static_cast<int>(c.item);
  EXPECT_EQ(year("1A2B3C4D", 0), 1987);
  EXPECT_EQ(year("00000001", 0), std::nullopt);  // "198x"
  EXPECT_EQ(year("0000ABCD", 0), std::nullopt);
  EXPECT_FALSE(plugin->has(RenameItem::Genre));
}

TEST_P(DatfilePlugin, ReportsTheListBeforeTheKeys) {
  const auto check = plugin->checkList(list);
  EXPECT_EQ(check.error, "");
  EXPECT_EQ(sjisToUtf8(check.notice),
            "DAT「Test - Machine」：4 ゲーム、5 ROM。1 件の ROM は CRC が先のゲームと同じため、先のゲームが該当します");
  // The first game with a CRC wins.
  EXPECT_EQ(ask(RenameItem::Title, "1A2B3C4D", 0), "スター・クエスト");
}

// A list replaced in the same place is read again once the program reports
// a new list, and a broken one answers nothing but its fault.
TEST_P(DatfilePlugin, ReadsAListAgainAndRefusesABrokenOne) {
  const std::string whole = qm::test::datText(kGames, GetParam());
  const ReadOnlyText broken(whole.substr(0, whole.size() / 2));
  const auto check = plugin->checkList(broken);
  EXPECT_NE(sjisToUtf8(check.error).find("行目：ファイルが途中で終わっています"), std::string::npos)
      << sjisToUtf8(check.error);
  EXPECT_EQ(check.notice, "");
  const ReadOnlyText key("1A2B3C4D");
  EXPECT_EQ(plugin->text(RenameItem::Title, {broken, key, 0}), std::nullopt);
  EXPECT_EQ(plugin->checkList(list).error, "");
  EXPECT_EQ(ask(RenameItem::Title, "1A2B3C4D", 0), "スター・クエスト");
}

INSTANTIATE_TEST_SUITE_P(Dat, DatfilePlugin, ::testing::Values(DatFormat::Xml, DatFormat::Cmpro));

// Through the loader, as the dialog reads it: a zipped UTF-8 DAT with a
// character code page 932 lacks is answered, the character counted.
TEST(DatfileLoader, AnswersFromAZippedDatAndCountsLostCharacters) {
  qm::test::TempFolder folder;
  const std::string path = folder.file("No-Intro.zip");
  const std::string dat = "<datafile><header><name>N</name></header><game name=\"Pok\xC3\xA9mon (Japan)\">"
                          "<rom name=\"p.gb\" size=\"2\" crc=\"0000beef\"/></game></datafile>";
  ASSERT_TRUE(qm::test::writeFile(path, qm::test::storedZip({{"No-Intro.dat", dat}})));
  const auto listData = qm::renamedata::loadListData(path);
  ASSERT_TRUE(listData.text) << sjisToUtf8(listData.failure);
  auto load = RenamePlugin::load(qm::test::datfilePlugin());
  ASSERT_TRUE(load.plugin);
  EXPECT_EQ(sjisToUtf8(load.plugin->checkList(*listData.text).notice),
            "DAT「N」：1 ゲーム、1 ROM。シフトJIS にない文字 1 文字を「?」にしました");
  const ReadOnlyText key("0000BEEF");
  EXPECT_EQ(load.plugin->text(RenameItem::Title, {*listData.text, key, 0}), "Pok?mon (Japan)");
}

}  // namespace
