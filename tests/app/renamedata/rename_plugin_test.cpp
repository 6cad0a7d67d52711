#include "app/renamedata/rename_plugin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "app/renamedata/plugin_binary.h"
#include "common/text/encoding.h"
#include "tests/app/renamedata/keylist_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::platform::ReadOnlyText;
using qm::renamedata::RenameItem;
using qm::renamedata::RenamePlugin;
using qm::text::sjis;

constexpr const char* kList =
    "; test list\r\n"
    "[one]\r\n"
    "CRC32=1a2b3c4d\r\n"
    "CRC16=ABCD\r\n"
    "File=Star Quest (J).rom\r\n"
    "Title=スタークエスト\r\n"
    "Year=1987\r\n"
    "R=0\r\n"
    "Memo=一行目\r\n"
    "+二行目\r\n"
    "[two]\n"
    "CRC32=00000001\n"
    "Title=表示\n";

class KeylistTest : public ::testing::Test {
protected:
  void SetUp() override {
    auto load = RenamePlugin::load(qm::test::keylistPlugin());
    ASSERT_TRUE(load.plugin) << qm::text::sjisToUtf8(load.refusal);
    plugin = std::move(load.plugin);
  }
  std::optional<std::string> text(RenameItem item, const std::string& key, int type) {
    const ReadOnlyText keyText(key);
    const auto value = plugin->text(item, {list, keyText, type});
    return value ? std::optional(qm::text::sjisToUtf8(*value)) : std::nullopt;
  }
  std::optional<int> number(RenameItem item, const std::string& key, int type) {
    const ReadOnlyText keyText(key);
    return plugin->number(item, {list, keyText, type});
  }

  ReadOnlyText list{qm::test::listText(kList)};
  std::unique_ptr<RenamePlugin> plugin;
};

TEST_F(KeylistTest, FindsARecordByEachKeyType) {
  const struct {
    std::string key;
    int type;
  } cases[] = {{"1A2B3C4D", 0}, {"1a2b3c4d", 0}, {"abcd", 16}, {"Star Quest (J)", 100}, {"star quest (j).ROM", 101}};
  for (const auto& c : cases) EXPECT_EQ(text(RenameItem::Title, c.key, c.type), "スタークエスト") << c.key;
  EXPECT_EQ(text(RenameItem::Title, "Star Quest (J).rom", 100), std::nullopt);
  EXPECT_EQ(text(RenameItem::Title, "ABCD", 0), std::nullopt);
  EXPECT_EQ(text(RenameItem::Title, "1A2B3C4D", 7), std::nullopt);
}

TEST_F(KeylistTest, AnswersNumbersTextsAndMissingItems) {
  EXPECT_EQ(number(RenameItem::Year, "1A2B3C4D", 0), 1987);
  EXPECT_EQ(number(RenameItem::R, "1A2B3C4D", 0), 0);
  EXPECT_EQ(number(RenameItem::Year, "00000001", 0), std::nullopt);
  EXPECT_EQ(text(RenameItem::Memo, "1A2B3C4D", 0), "一行目\r\n二行目");
  EXPECT_EQ(text(RenameItem::Maker, "1A2B3C4D", 0), std::nullopt);
  // "表" ends in the byte of "\": the text comes back whole.
  EXPECT_EQ(text(RenameItem::Title, "00000001", 0), "表示");
}

TEST_F(KeylistTest, DescribesItself) {
  for (const auto& info : qm::renamedata::itemTable()) EXPECT_TRUE(plugin->has(info.item)) << info.exportName;
  EXPECT_EQ(plugin->version(), 100);
  EXPECT_EQ(plugin->author(), "Quillmoor2");
  EXPECT_EQ(qm::text::sjisToUtf8(plugin->info()), "キー付きテキストリスト（[レコード] と 項目名=値 の行）を読みます");
}

TEST(RenamePluginLoad, MissingExportsAreNotOffered) {
  auto partial = RenamePlugin::load(qm::test::keylistPartialPlugin());
  ASSERT_TRUE(partial.plugin);
  for (const auto& info : qm::renamedata::itemTable()) {
    const bool lacking = info.item == RenameItem::Title || info.item == RenameItem::Year || info.item == RenameItem::Memo;
    EXPECT_EQ(partial.plugin->has(info.item), !lacking) << info.exportName;
  }
  const ReadOnlyText list(qm::test::listText(kList)), key("1A2B3C4D");
  EXPECT_EQ(partial.plugin->text(RenameItem::Title, {list, key, 0}), std::nullopt);

  auto none = RenamePlugin::load(qm::test::keylistInfoOnlyPlugin());
  EXPECT_FALSE(none.plugin);
  EXPECT_EQ(none.refusal, sjis("使用できないプラグインぽいです"));
}

TEST(RenamePluginLoad, RefusesThirtyTwoBitAndUnloadableFiles) {
  qm::test::TempFolder folder;
  std::string pe(0x200, '\0');
  pe[0] = 'M', pe[1] = 'Z', pe[0x3C] = char(0x80);
  std::memcpy(&pe[0x80], "PE\0\0", 4);
  pe[0x80 + 24] = 0x0B, pe[0x80 + 25] = 0x01;
  ASSERT_TRUE(qm::test::writeFile(folder.file("old.nya"), pe));
  auto old = RenamePlugin::load(folder.file("old.nya"));
  EXPECT_FALSE(old.plugin);
  EXPECT_EQ(old.refusal, qm::renamedata::refusal32Bit());
  EXPECT_NE(qm::text::sjisToUtf8(old.refusal).find("32ビット"), std::string::npos);

  ASSERT_TRUE(qm::test::writeFile(folder.file("junk.nya"), "not a library"));
  auto junk = RenamePlugin::load(folder.file("junk.nya"));
  EXPECT_FALSE(junk.plugin);
  EXPECT_EQ(junk.refusal.rfind(sjis("プラグインを読み込めませんでした。\n"), 0), 0u);
}

TEST(PluginBinary, TellsTheWordSizeFromTheHeader) {
  auto pe = [](int magic) {
    std::string bytes(0x100, '\0');
    bytes[0] = 'M', bytes[1] = 'Z', bytes[0x3C] = 0x40;
    std::memcpy(&bytes[0x40], "PE\0\0", 4);
    bytes[0x40 + 24] = static_cast<char>(magic & 0xFF), bytes[0x40 + 25] = static_cast<char>(magic >> 8);
    return bytes;
  };
  using W = qm::renamedata::BinaryWidth;
  EXPECT_EQ(qm::renamedata::binaryWidth(pe(0x10B)), W::Bits32);
  EXPECT_EQ(qm::renamedata::binaryWidth(pe(0x20B)), W::Bits64);
  EXPECT_EQ(qm::renamedata::binaryWidth(pe(0x107)), W::Unknown);
  EXPECT_EQ(qm::renamedata::binaryWidth(std::string("\x7f" "ELF\x01", 5)), W::Bits32);
  EXPECT_EQ(qm::renamedata::binaryWidth(std::string("\x7f" "ELF\x02", 5)), W::Bits64);
  EXPECT_EQ(qm::renamedata::binaryWidth("MZ"), W::Unknown);
  std::string farOff = pe(0x10B);
  farOff[0x3C] = char(0xF0);  // the PE header would lie past the bytes read
  EXPECT_EQ(qm::renamedata::binaryWidth(farOff), W::Unknown);
}

// The two-call protocol against stand-ins that misbehave in each way.
TEST(TextProtocol, TakesOnlyWhatFitsAndIsTerminated) {
  const std::string sj = sjis("表示");  // 4 bytes
  struct Case {
    const char* name;
    int need;         // the first call's answer
    int second;       // the second call's answer
    std::string writes;  // written without a terminator
    std::size_t limit;
    std::optional<std::string> expected;
  } cases[] = {
      {"not found", -1, 0, "", 256, std::nullopt},
      {"terminator only", 1, 0, "", 256, std::nullopt},
      {"second call fails", 5, -1, "abcd", 256, std::nullopt},
      {"found", 5, 4, "abcd", 256, "abcd"},
      {"no terminator written", 3, 3, "abcdef", 256, "ab"},
      {"cut to the limit", 100, 0, std::string(100, 'x'), 10, std::string(10, 'x')},
      {"half a character at the cut", 5, 0, std::string("a") + sj, 3, std::string("a") + sj.substr(0, 2)},
      {"lone lead byte dropped", 5, 0, sj, 1, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::uint16_t> sizes;
    const auto value = qm::renamedata::askText(
        [&](char** buffer, std::uint16_t size) -> int {
          sizes.push_back(size);
          if (size == 0) return c.need;
          std::memcpy(*buffer, c.writes.data(), std::min<std::size_t>(size, c.writes.size()));
          return c.second;
        },
        c.limit);
    if (c.expected && c.expected->empty()) {
      EXPECT_EQ(value, std::optional<std::string>("")) << c.name;
    } else {
      EXPECT_EQ(value, c.expected) << c.name;
    }
    EXPECT_EQ(sizes.front(), 0) << c.name;
    if (sizes.size() > 1) {
      EXPECT_EQ(sizes[1], std::min<std::size_t>(static_cast<std::size_t>(c.need), c.limit + 1)) << c.name;
    }
  }
}

TEST(ReadOnlyTextMemory, IsPageAlignedTerminatedAndNotWritable) {
  const ReadOnlyText text("key");
  ASSERT_TRUE(text.valid());
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(text.c_str()) % 4096, 0u);
  EXPECT_STREQ(text.c_str(), "key");
  EXPECT_EQ(text.size(), 3u);
#ifndef _WIN32
  EXPECT_DEATH(const_cast<char*>(text.c_str())[0] = 'x', "");
#endif
}

}  // namespace
