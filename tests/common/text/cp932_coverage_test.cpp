// Every code of code page 932 and every Unicode scalar value, converted and
// folded into a hash. The constants were taken from the Windows build running
// under Wine (ANSI code page 932); the native build must give the same bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "common/text/utf8.h"

namespace {

using qm::text::sjisToUtf8;
using qm::text::utf8ToSjis;

struct Fnv1a {
  std::uint64_t value = 0xCBF29CE484222325ULL;
  void add(unsigned char b) { value = (value ^ b) * 0x100000001B3ULL; }
  // Length first, so that "ab" + "c" and "a" + "bc" differ.
  void addChunk(const std::string& s) {
    add(static_cast<unsigned char>(s.size()));
    for (char c : s) add(static_cast<unsigned char>(c));
  }
};

// Every single byte (a lead byte alone is a truncated character) and every lead
// byte with every possible second byte but NUL.
std::vector<std::string> allCodes() {
  std::vector<std::string> codes;
  for (int b = 0; b < 256; ++b) codes.emplace_back(1, static_cast<char>(b));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!qm::sjis::isLeadByte(lead)) continue;
    for (int second = 1; second < 256; ++second) codes.push_back({static_cast<char>(lead), static_cast<char>(second)});
  }
  return codes;
}

// Short strings drawn from the bytes that matter to each decoder, so that lead
// bytes meet NULs, truncations and stray trail bytes in every order.
std::vector<std::string> byteSoup(std::string_view pool) {
  std::uint32_t state = 0x2545F491;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  std::vector<std::string> soup(40000);
  for (auto& s : soup) {
    for (std::uint32_t n = next() % 7 + 1; n > 0; --n) s += pool[next() % pool.size()];
  }
  return soup;
}

std::string hex(const std::string& s) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

TEST(Cp932Coverage, EveryCodeDecodesAsOnWindows) {
  Fnv1a hash;
  for (const auto& code : allCodes()) hash.addChunk(sjisToUtf8(code));
  EXPECT_EQ(hash.value, 0xADAA0E27916B09A6ULL);
}

TEST(Cp932Coverage, EveryCharacterEncodesAsOnWindows) {
  Fnv1a hash;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    char utf8[4];
    const char* end = qm::text::utf8::encode(cp, utf8);
    hash.addChunk(utf8ToSjis(std::string_view(utf8, static_cast<std::size_t>(end - utf8))));
  }
  EXPECT_EQ(hash.value, 0x2F510118B1A54206ULL);
}

TEST(Cp932Coverage, MalformedInputReadsAsOnWindows) {
  using namespace std::string_view_literals;
  Fnv1a sjis, utf8;
  for (const auto& s : byteSoup("\0 A\\\x40\x7F\x80\x81\x82\x9F\xA0\xA1\xDF\xE0\xEB\xFC\xFD\xFF"sv)) {
    sjis.addChunk(sjisToUtf8(s));
  }
  for (const auto& s : byteSoup("\0A\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC2\xDF\xE0\xE3\xED\xEF\xF0\xF4\xF5\xFF"sv)) {
    utf8.addChunk(utf8ToSjis(s));
  }
  EXPECT_EQ(sjis.value, 0xEFBA2762976946C3ULL);
  EXPECT_EQ(utf8.value, 0x1A0479CE22C24983ULL);
}

// A defined code comes back as itself, or as the one code Windows writes for
// its character (NEC and IBM duplicates); an undefined one comes back as "・".
TEST(Cp932Coverage, RoundTripKeepsEveryCharacter) {
  int same = 0, duplicate = 0, undefined = 0;
  Fnv1a hash;
  for (const auto& code : allCodes()) {
    const std::string utf8 = sjisToUtf8(code);
    const std::string back = utf8ToSjis(utf8);
    hash.addChunk(back);
    if (back == code) {
      ++same;
    } else if (utf8 == "・") {
      ++undefined;
      EXPECT_EQ(back, "\x81\x45") << hex(code);
    } else {
      ++duplicate;
      EXPECT_EQ(sjisToUtf8(back), utf8) << hex(code) << " came back as " << hex(back);
    }
  }
  EXPECT_EQ(same, 9402);
  EXPECT_EQ(duplicate, 398);
  EXPECT_EQ(undefined, 5756);
  EXPECT_EQ(hash.value, 0xD176193795988DCAULL);
}

}  // namespace
