// Whatever the options, converting any valid Shift-JIS text gives valid
// Shift-JIS: no character is ever split or glued from halves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "common/text/text_normalizer.h"
#include "tests/common/text/normalize_reference.h"

namespace {

using qm::text::NormalizeOptions;
using qm::text::SymbolTables;

std::vector<std::string> everyCharacter() {
  std::vector<std::string> all;
  for (int c = 0x01; c <= 0xDF; ++c) {
    const std::string ch(1, static_cast<char>(c));
    if (qm::test::isValidShiftJis(ch)) all.push_back(ch);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
      if (qm::sjis::charLength(ch, 0) == 2 && qm::test::isValidShiftJis(ch)) all.push_back(ch);
    }
  }
  return all;
}

// The user map turns symbols into sound marks and a trail-byte look-alike.
SymbolTables trickyTables() {
  SymbolTables tables = SymbolTables::defaults();
  tables.userSource = qm::text::sjis("＄ソ゛＠");
  tables.userTarget = qm::text::sjis("ﾞ\\ﾟ[");
  return tables;
}

TEST(NormalizerProperty, EveryCharacterInEveryOptionCombination) {
  const std::vector<std::string> chars = everyCharacter();
  ASSERT_GT(chars.size(), 9000u);
  std::string all;
  for (const auto& ch : chars) all += ch;
  const SymbolTables tables = trickyTables();
  for (int kana : {0, 1, 2, 3}) {
    for (int spaces : {0, 1, 2}) {
      for (int flags = 0; flags < 32; ++flags) {
        NormalizeOptions o;
        o.kanaTarget = kana;
        o.spaceRule = spaces;
        o.unvoiced = flags & 1;
        o.removeSymbols = flags & 2;
        o.romanNumerals = flags & 4;
        o.userMap = flags & 8;
        o.mayBeEmpty = flags & 16;
        const qm::text::TextNormalizer normalizer(o, tables);
        std::string out;
        for (const auto& ch : chars) {
          normalizer.convert(ch, out);
          if (!qm::test::isValidShiftJis(out))
            FAIL() << "kana " << kana << " spaces " << spaces << " flags " << flags << ": "
                   << qm::text::sjisToUtf8(ch);
        }
        ASSERT_TRUE(qm::test::isValidShiftJis(normalizer(all))) << kana << " " << spaces << " " << flags;
      }
    }
  }
}

}  // namespace
