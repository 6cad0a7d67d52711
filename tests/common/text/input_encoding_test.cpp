#include "common/text/input_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text/encoding.h"

namespace {

using namespace std::string_literals;
using qm::text::classifyInput;
using qm::text::InputEncoding;
using qm::text::toProgramText;
using qm::text::utf8ToSjis;

std::string utf16(const std::u16string& text, bool bigEndian, bool bom) {
  std::string out;
  const auto put = [&](char16_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  };
  if (bom) put(0xFEFF);
  for (char16_t u : text) put(u);
  return out;
}

// Every string of 2 to 4 characters from a sample chosen to collide: kana,
// kanji whose trail byte is "\", level-2 kanji whose lead byte (0xE3-0xE9) is a
// UTF-8 lead byte, half-width kana, the long vowel mark, circled digits.
std::vector<std::string> generatedTexts() {
  const std::vector<std::string> sample = {"あ", "ア", "ー", "ソ", "表", "漢", "ｱ", "ﾞ", "縺", "鬱", "①", "Ｘ"};
  std::vector<std::string> out, previous = {""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> next;
    for (const std::string& p : previous)
      for (const std::string& c : sample) next.push_back(p + c);
    if (length >= 2) out.insert(out.end(), next.begin(), next.end());
    previous = std::move(next);
  }
  return out;
}

// Misreading is the fault; Unknown (refused with a message) is allowed. A text
// of a few characters can read as ordinary Japanese both ways ("あい" as
// "縺ゅ＞"), a file of a few records next to never.
TEST(InputEncoding, GeneratedJapaneseIsNeverReadTheOtherWay) {
  const std::vector<std::string> texts = generatedTexts();
  int unknownTexts[2] = {0, 0}, unknownFiles[2] = {0, 0}, files = 0;
  const auto check = [](const std::string& utf8, int* unknown) {
    const std::string cp932 = utf8ToSjis(utf8);
    const InputEncoding asCp932 = classifyInput(cp932), asUtf8 = classifyInput(utf8);
    EXPECT_TRUE(asCp932 == InputEncoding::Cp932 || asCp932 == InputEncoding::Unknown) << utf8;
    EXPECT_TRUE(asUtf8 == InputEncoding::Utf8 || asUtf8 == InputEncoding::Unknown) << utf8;
    if (asUtf8 == InputEncoding::Utf8) {
      EXPECT_EQ(toProgramText(utf8, asUtf8).text, cp932) << utf8;
    }
    unknown[0] += asCp932 == InputEncoding::Unknown;
    unknown[1] += asUtf8 == InputEncoding::Unknown;
  };
  std::string file;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    check(texts[i], unknownTexts);
    file.append("k").append(std::to_string(i)).append(",MSX,,").append(texts[i]).append("\r\n");
    if (i % 4 == 3) {
      check(file, unknownFiles);
      file.clear();
      ++files;
    }
  }
  const int total = static_cast<int>(texts.size());
  std::printf("%d texts undecided: %d Shift-JIS, %d UTF-8; %d files of 4 records: %d, %d\n", total,
              unknownTexts[0], unknownTexts[1], files, unknownFiles[0], unknownFiles[1]);
  EXPECT_LT(unknownTexts[0] * 100, total);
  EXPECT_LT(unknownTexts[1] * 4, total);
  EXPECT_LT(unknownFiles[0] * 1000, files);
  EXPECT_LT(unknownFiles[1] * 50, files);
}

TEST(InputEncoding, Edges) {
  struct Case {
    std::string bytes;
    InputEncoding found;
  };
  const Case cases[] = {
      {"", InputEncoding::Ascii},
      {"key,MSX,,Title\r\n", InputEncoding::Ascii},
      {"\xEF\xBB\xBF", InputEncoding::Utf8Bom},
      {"\xEF\xBB\xBF" "a,b\r\n", InputEncoding::Utf8Bom},
      {"\xEF\xBB\xBF" + utf8ToSjis("タイトル"), InputEncoding::Unknown},
      {"\xFF\xFE", InputEncoding::Utf16Le},
      {"\xFE\xFF", InputEncoding::Utf16Be},
      {"\xFF\xFE" "a", InputEncoding::Unknown},
      {utf16(u"k,MSX,,タイトル\r\n", false, false), InputEncoding::Utf16Le},
      {utf16(u"k,MSX,,タイトル\r\n", true, false), InputEncoding::Utf16Be},
      {utf8ToSjis("表ソ能\\") + "\0a"s, InputEncoding::Unknown},
      {utf8ToSjis("表示ソフト\\"), InputEncoding::Cp932},
      {utf8ToSjis("ｽﾀｰｸｴｽﾄ"), InputEncoding::Cp932},
      {"ｽﾀｰｸｴｽﾄ", InputEncoding::Utf8},
      {"スタークエスト", InputEncoding::Utf8},
      {"あ,スタークエス\xE3\x83", InputEncoding::Utf8},  // cut at the end
      {"\xE3\x83" "a", InputEncoding::Cp932},         // cut in the middle
      {"Pok\xC3\xA9mon", InputEncoding::Unknown},     // "é", or half-width "ｳｩ"
      {"\xE3\x81\x82\xE3\x81\x84", InputEncoding::Unknown},  // "あい", or "縺ゅ＞"
  };
  for (const Case& c : cases) EXPECT_EQ(classifyInput(c.bytes), c.found) << c.bytes;
}

TEST(InputEncoding, ConversionCountsWhatTheCodePageLacks) {
  struct Case {
    std::string bytes;
    std::string text;
    long lost;
  };
  const std::string title = utf8ToSjis("表示ソフト①ｱ");
  const Case cases[] = {
      {"\xEF\xBB\xBF", "", 0},
      {"\xEF\xBB\xBF" "表示ソフト①ｱ", title, 0},
      {"表示ソフト①ｱ?", title + "?", 0},
      {utf16(u"表示ソフト①ｱ", false, true), title, 0},
      {utf16(u"表示ソフト①ｱ", true, true), title, 0},
      {utf16(u"表示ソフト①ｱ,a", false, false), title + ",a", 0},
      {"あ〜😀é?", utf8ToSjis("あ") + "?????", 3},
      {utf16(u"あ\xD800" u"a", false, true), utf8ToSjis("あ") + "?a", 1},
      {"あ,スタークエス\xE3\x83", utf8ToSjis("あ,スタークエス") + "?", 1},
  };
  for (const Case& c : cases) {
    const auto converted = toProgramText(c.bytes, classifyInput(c.bytes));
    EXPECT_EQ(converted.text, c.text) << c.bytes;
    EXPECT_EQ(converted.lost, c.lost) << c.bytes;
  }
  EXPECT_EQ(toProgramText(title, InputEncoding::Cp932).text, title);
}

}  // namespace
