#include <gtest/gtest.h>

#include "app/rewrite/fake_registry.h"
#include "app/rewrite/registry_data.h"

namespace qm::rewrite {
namespace {

using namespace std::string_literals;

TEST(RegistryNumber, ReadsSignFractionAndHexWithinTheBits) {
  struct Case {
    const char* text;
    int bits;
    std::optional<std::uint64_t> expected;
  };
  const Case cases[] = {
      {"5", 32, 5},
      {" 42 ", 32, 42},
      {"1.9", 32, 1},                  // rounded down
      {"-1.5", 32, 0xFFFFFFFEu},       // rounded down: -2
      {"-0.0", 32, 0},
      {"-1", 32, 0xFFFFFFFFu},
      {"4294967295", 32, 0xFFFFFFFFu},
      {"4294967296", 32, std::nullopt},
      {"-2147483648", 32, 0x80000000u},
      {"-2147483649", 32, std::nullopt},
      {"0x7fFF", 32, 0x7FFF},
      {"+7", 32, 7},
      {"", 32, std::nullopt},
      {"abc", 32, std::nullopt},
      {"1e3", 32, std::nullopt},
      {"1.2.3", 32, std::nullopt},
      {"9007199254740993", 64, 9007199254740993ull},  // beyond a double's 53 bits
      {"18446744073709551615", 64, ~0ull},
      {"18446744073709551616", 64, std::nullopt},
      {"-9223372036854775808", 64, 0x8000000000000000ull},
      {"-9223372036854775809", 64, std::nullopt},
      {"-1", 64, ~0ull},
  };
  for (const Case& c : cases) EXPECT_EQ(parseRegistryNumber(c.text, c.bits), c.expected) << c.text << "/" << c.bits;
}

TEST(RegistryData, ConvertsTheTextByTheValueType) {
  FakeRegistry registry;
  struct Case {
    std::uint32_t type;
    std::string text;
    std::optional<std::string> bytes;
  };
  const Case cases[] = {
      {kRegSz, "abc", "abc\0"s},
      {kRegExpandSz, "%TEMP%", "%TEMP%\0"s},
      {kRegMultiSz, "|a|b", "a\0b\0\0"s},
      {kRegMultiSz, ",x,,y", "x\0\0y\0\0"s},
      {kRegMultiSz, "", "\0\0"s},
      {kRegBinary, "01 ff 7A", "\x01\xff\x7a"s},
      {kRegBinary, "FF", "\xff"s},
      {kRegBinary, "ABC", "\xab"s},  // the odd last digit dropped
      {kRegBinary, "0g", std::nullopt},
      {kRegDword, "258", "\x02\x01\0\0"s},
      {kRegDword, "-1", "\xff\xff\xff\xff"s},
      {kRegDwordBigEndian, "258", "\0\0\x01\x02"s},
      {kRegQword, "4294967296", "\0\0\0\0\x01\0\0\0"s},
      {kRegQword, "-2", "\xfe\xff\xff\xff\xff\xff\xff\xff"s},
      {kRegQword, "x", std::nullopt},
      {kRegNone, "1", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(registryDataBytes(c.type, c.text, registry), c.bytes) << registryTypeName(c.type) << " " << c.text;
}

TEST(RegistryData, ShowsStoredDataAsAScriptWritesThem) {
  FakeRegistry registry;
  EXPECT_EQ(registryDataText({kRegSz, "abc\0"s}, registry), "abc");
  EXPECT_EQ(registryDataText({kRegMultiSz, "a\0b\0\0"s}, registry), "|a|b");
  EXPECT_EQ(registryDataText({kRegBinary, "\x01\xff\x7a"s}, registry), "01 FF 7A");
  EXPECT_EQ(registryDataText({kRegDword, "\x02\x01\0\0"s}, registry), "258");
  EXPECT_EQ(registryDataText({kRegDwordBigEndian, "\0\0\x01\x02"s}, registry), "258");
  EXPECT_EQ(registryDataText({kRegQword, "\x01\0\0\0\x01\0\0\0"s}, registry), "4294967297");
  EXPECT_FALSE(isRewritableType(kRegNone));
  EXPECT_FALSE(isRewritableType(6));  // a link
  EXPECT_EQ(registryTypeName(6), "type 6");
}

}  // namespace
}  // namespace qm::rewrite
