#include "common/text/kana_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace {

using qm::text::KanaTable;
using qm::text::kanaTable;
using qm::text::sjis;
namespace sj = ::qm::sjis;

std::size_t entries(KanaTable id) { return kanaTable(id).text.size() / kanaTable(id).unit; }

std::vector<KanaTable> allTables() {
  std::vector<KanaTable> all;
  for (int i = 0; i < static_cast<int>(KanaTable::Count); ++i) all.push_back(static_cast<KanaTable>(i));
  return all;
}

TEST(KanaTables, EveryCharacterSurvivesTheCodePage) {
  for (KanaTable id : allTables()) {
    const std::string& text = kanaTable(id).text;
    const std::string back = qm::text::utf8ToSjis(qm::text::sjisToUtf8(text));
    EXPECT_EQ(back, text) << static_cast<int>(id);
    // A character the code page lacks would have become "?"; the half-width
    // removal list holds a real one and is checked byte by byte below.
    if (id != KanaTable::DefaultRemovedHalf) {
      EXPECT_EQ(sj::find(text, '?'), sj::npos) << "lost character in table " << static_cast<int>(id);
    }
  }
}

TEST(KanaTables, EntriesAreWholeCharactersOfTheirUnit) {
  for (KanaTable id : allTables()) {
    const auto& table = kanaTable(id);
    ASSERT_FALSE(table.text.empty()) << static_cast<int>(id);
    EXPECT_EQ(table.text.size() % table.unit, 0u) << static_cast<int>(id);
    for (std::size_t at = 0; at < table.text.size(); at += table.unit)
      EXPECT_TRUE(sj::isCharBoundary(table.text, at)) << static_cast<int>(id) << " at " << at;
  }
}

TEST(KanaTables, PairedTablesHaveEqualLengths) {
  const std::pair<KanaTable, KanaTable> pairs[] = {
      {KanaTable::HalfVoiced, KanaTable::KatakanaVoiced},   {KanaTable::HalfVoiced, KanaTable::HiraganaVoiced},
      {KanaTable::HalfVoiced, KanaTable::KatakanaUnvoiced}, {KanaTable::HalfVoiced, KanaTable::HiraganaUnvoiced},
      {KanaTable::KatakanaVoiced, KanaTable::HiraganaVoiced}, {KanaTable::HalfPlain, KanaTable::KatakanaPlain},
      {KanaTable::HalfPlain, KanaTable::HiraganaPlain},     {KanaTable::KatakanaPlain, KanaTable::HiraganaPlain},
      {KanaTable::FullDigits, KanaTable::HalfDigits},       {KanaTable::FullUpper, KanaTable::HalfUpper},
      {KanaTable::FullLower, KanaTable::HalfUpper},         {KanaTable::HalfLower, KanaTable::HalfUpper},
      {KanaTable::VuPairs, KanaTable::BaRow},               {KanaTable::WoVu, KanaTable::OBu},
      {KanaTable::OldWiWe, KanaTable::OldWiWeKatakana},     {KanaTable::OldWiWe, KanaTable::OldWiWeHiragana},
      {KanaTable::RomanNumerals, KanaTable::RomanDigits},   {KanaTable::RomanTen, KanaTable::Ten},
      {KanaTable::WaveDash, KanaTable::LongVowel},          {KanaTable::FullSpace, KanaTable::HalfSpace},
      {KanaTable::HalfVu, KanaTable::HiraganaU},            {KanaTable::KatakanaVu, KanaTable::HiraganaU},
      {KanaTable::KatakanaSmallWa, KanaTable::HiraganaSmallWa},
  };
  for (const auto& [source, target] : pairs)
    EXPECT_EQ(entries(source), entries(target)) << static_cast<int>(source) << " / " << static_cast<int>(target);
}

// Where a stated count and the text disagree the text holds: the plain kana
// tables hold 56 entries, "ｯ" included.
TEST(KanaTables, CountsComeFromTheText) {
  EXPECT_EQ(entries(KanaTable::HalfPlain), 56u);
  EXPECT_EQ(entries(KanaTable::KatakanaPlain), 56u);
  EXPECT_EQ(entries(KanaTable::HalfVoiced), 25u);
  EXPECT_EQ(entries(KanaTable::RomanNumerals), 9u);
  EXPECT_EQ(entries(KanaTable::VuPairs), 4u);
}

TEST(KanaTables, ExactBytes) {
  EXPECT_EQ(kanaTable(KanaTable::HalfVu).text, "\xB3\xDE");
  EXPECT_EQ(kanaTable(KanaTable::RomanNumerals).text.substr(0, 4), "\x87\x54\x87\x55");
  EXPECT_EQ(kanaTable(KanaTable::RomanTen).text, "\x87\x5D");
  EXPECT_EQ(kanaTable(KanaTable::WaveDash).text, "\x81\x60");
  EXPECT_EQ(kanaTable(KanaTable::LongVowel).text, "\x81\x5B");
  EXPECT_EQ(kanaTable(KanaTable::FullSpace).text, "\x81\x40");
  EXPECT_EQ(kanaTable(KanaTable::HalfPlain).text.back(), '\xAF');
  EXPECT_EQ(kanaTable(KanaTable::KatakanaPlain).text.substr(kanaTable(KanaTable::KatakanaPlain).text.size() - 2),
            "\x83\x62");
  EXPECT_EQ(kanaTable(KanaTable::DefaultRemovedHalf).text,
            "\"!#$%&'()=|\\@\xA2\xA3[]\xA5-+:;.,?_<>*/^\xA4\xA1~`");
  EXPECT_EQ(kanaTable(KanaTable::DefaultRemovedFull).text.substr(0, 6), "\x81\x68\x81\x49\x81\x94");
  EXPECT_EQ(kanaTable(KanaTable::DefaultRemovedFull).text.substr(kanaTable(KanaTable::DefaultRemovedFull).text.size() - 2),
            sjis("∇"));
}

}  // namespace
