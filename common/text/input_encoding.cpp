#include "common/text/input_encoding.h"

#include <cstddef>

#include "common/text/ascii.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "common/text/utf8.h"

namespace qm::text {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Characters Japanese text of this program's kind is made of: what both readings
// of an ambiguous text are judged by. Greek, Cyrillic, mathematical signs,
// private-use codes and the scripts the UTF-8 reading of Shift-JIS lands in
// are not among them.
bool ordinary(char32_t c) {
  if (c < 0x80) return c >= 0x20 || c == '\t' || c == '\r' || c == '\n';
  return (c >= 0xA0 && c <= 0x17F) || (c >= 0x2010 && c <= 0x203B) || (c >= 0x2160 && c <= 0x217F) ||
         (c >= 0x2190 && c <= 0x21FF) || (c >= 0x2460 && c <= 0x24FF) || (c >= 0x25A0 && c <= 0x266F) ||
         (c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF01 && c <= 0xFF9F);
}

struct Reading {
  bool valid = true;
  long odd = 0;   // characters that are not ordinary()
  long rare = 0;  // JIS level-2 kanji and the vendor extensions
};

// Code page 932 codes from the first JIS level-2 kanji on: the UTF-8 bytes of
// kana and common kanji read as code page 932 give one of these for nearly
// every character (lead bytes 0xE3-0xE9), Japanese text itself few.
bool rareCode(unsigned char lead, unsigned char trail) {
  return lead >= 0x98 && (lead > 0x98 || trail >= 0x9F);
}

// A lead byte and fewer continuation bytes than it announces, then the end.
bool cutSequence(std::string_view tail) {
  const auto lead = static_cast<unsigned char>(tail[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || tail.size() >= length) return false;
  for (std::size_t i = 1; i < tail.size(); ++i)
    if ((static_cast<unsigned char>(tail[i]) & 0xC0) != 0x80) return false;
  return true;
}

// Strict UTF-8: no overlong forms, surrogates or codes beyond U+10FFFF. A
// sequence cut off by the end of the text still counts as UTF-8 (its
// conversion loses that character).
// Each character is matched with its code page 932 form (one "?" per UTF-16
// half for what the code page lacks) to tell the rare ones.
Reading readUtf8(std::string_view s) {
  Reading r;
  const std::string cp932 = utf8ToSjis(s);
  std::size_t at = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t start = pos;
    const char32_t cp = utf8::next(s, pos);
    if (cp == utf8::kReplacement && s.substr(start, pos - start) != "\xEF\xBF\xBD") {
      r.valid = pos == s.size() && cutSequence(s.substr(start));
      return r;
    }
    if (!ordinary(cp)) ++r.odd;
    if (at >= cp932.size()) continue;
    const auto lead = static_cast<unsigned char>(cp932[at]);
    const bool pair = cp <= 0xFFFF && sjis::isLeadByte(lead) && at + 1 < cp932.size();
    if (pair && rareCode(lead, static_cast<unsigned char>(cp932[at + 1]))) ++r.rare;
    at += cp > 0xFFFF || pair ? 2 : 1;
  }
  return r;
}

bool isTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Shift-JIS read as the conversion reads it (a lead byte takes any byte but NUL
// after it), so each character gives one code point of the converted text; a
// pair without a trail byte, an undefined pair or a byte that is no character
// makes it invalid.
Reading readCp932(std::string_view s) {
  Reading r;
  const std::string utf8 = sjisToUtf8(s);
  std::size_t at = 0;
  for (std::size_t pos = 0; pos < s.size() && at < utf8.size();) {
    const auto c = static_cast<unsigned char>(s[pos]);
    const bool pair = sjis::isLeadByte(c) && pos + 1 < s.size() && s[pos + 1] != '\0';
    const char32_t cp = utf8::next(utf8, at);
    const bool middleDot = pair && c == 0x81 && static_cast<unsigned char>(s[pos + 1]) == 0x45;
    if ((pair && !isTrailByte(static_cast<unsigned char>(s[pos + 1]))) || (cp == 0x30FB && !middleDot) ||
        (!pair && (c == 0x80 || c == 0xA0 || c >= 0xFD || sjis::isLeadByte(c)))) {
      r.valid = false;
      return r;
    }
    if (!ordinary(cp)) ++r.odd;
    if (pair && rareCode(c, static_cast<unsigned char>(s[pos + 1]))) ++r.rare;
    pos += pair ? 2 : 1;
  }
  return r;
}

// Text without a byte-order mark that has high bytes and no NUL.
InputEncoding classifyEightBit(std::string_view s) {
  const Reading asUtf8 = readUtf8(s);
  if (!asUtf8.valid) return InputEncoding::Cp932;
  const Reading asCp932 = readCp932(s);
  if (!asCp932.valid) return InputEncoding::Utf8;
  if (asUtf8.odd != asCp932.odd && (asUtf8.odd == 0 || asCp932.odd == 0))
    return asUtf8.odd == 0 ? InputEncoding::Utf8 : InputEncoding::Cp932;
  return InputEncoding::Unknown;
}

// NUL bytes on one side only, in at least one unit in eight: UTF-16 text holds
// line ends, digits and separators. A stray NUL elsewhere makes no text at all.
InputEncoding classifyWithNul(std::string_view s) {
  if (s.size() % 2 != 0) return InputEncoding::Unknown;
  std::size_t even = 0, odd = 0;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '\0') ++(i % 2 == 0 ? even : odd);
  const std::size_t units = s.size() / 2;
  if (even == 0 && odd * 8 >= units) return InputEncoding::Utf16Le;
  if (odd == 0 && even * 8 >= units) return InputEncoding::Utf16Be;
  return InputEncoding::Unknown;
}

char16_t unitAt(std::string_view s, std::size_t i, bool bigEndian) {
  const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
  return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
}

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::string_view s, bool bigEndian) {
  std::string out(s.size() / 2 * 3, '\0');
  char* end = out.data();
  for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
    char32_t cp = unitAt(s, i, bigEndian);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < s.size()) {
      const char16_t low = unitAt(s, i + 2, bigEndian);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = utf8::kReplacement;
    end = utf8::encode(cp, end);
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

long questionMarks(std::string_view s) {
  long n = 0;
  for (char c : s) n += c == '?';
  return n;
}

// Every character the code page lacks becomes "?" (one per UTF-16 half for a
// code beyond U+FFFF), and "?" is never a trail byte, so the count is the
// question marks the conversion added.
ProgramText fromUtf8(std::string_view utf8) {
  ProgramText out{utf8ToSjis(utf8), 0};
  long beyondBmp = 0;
  for (std::size_t pos = 0; pos < utf8.size();)
    if (utf8::next(utf8, pos) > 0xFFFF) ++beyondBmp;
  out.lost = questionMarks(out.text) - questionMarks(utf8) - beyondBmp;
  return out;
}

}  // namespace

InputEncoding classifyInput(std::string_view bytes) {
  if (startsWith(bytes, kUtf8Bom)) {
    const std::string_view rest = bytes.substr(kUtf8Bom.size());
    return readUtf8(rest).valid && rest.find('\0') == std::string_view::npos ? InputEncoding::Utf8Bom
                                                                              : InputEncoding::Unknown;
  }
  if (startsWith(bytes, kUtf16LeBom) || startsWith(bytes, kUtf16BeBom))
    return bytes.size() % 2 != 0       ? InputEncoding::Unknown
           : bytes[0] == '\xFF' ? InputEncoding::Utf16Le
                                : InputEncoding::Utf16Be;
  if (bytes.find('\0') != std::string_view::npos) return classifyWithNul(bytes);
  if (isAscii(bytes)) return InputEncoding::Ascii;
  return classifyEightBit(bytes);
}

ProgramText toProgramText(std::string_view bytes, InputEncoding found) {
  switch (found) {
    case InputEncoding::Utf8: return fromUtf8(bytes);
    case InputEncoding::Utf8Bom: return fromUtf8(bytes.substr(kUtf8Bom.size()));
    case InputEncoding::Utf16Le:
    case InputEncoding::Utf16Be: {
      const bool bigEndian = found == InputEncoding::Utf16Be;
      const bool bom = startsWith(bytes, bigEndian ? kUtf16BeBom : kUtf16LeBom);
      return fromUtf8(utf16ToUtf8(bytes.substr(bom ? 2 : 0), bigEndian));
    }
    default: return {std::string(bytes), 0};
  }
}

std::string encodingName(InputEncoding found) {
  switch (found) {
    case InputEncoding::Ascii: return "ASCII";
    case InputEncoding::Cp932: return sjis("シフトJIS");
    case InputEncoding::Utf8: return "UTF-8";
    case InputEncoding::Utf8Bom: return sjis("UTF-8（BOM付き）");
    case InputEncoding::Utf16Le: return sjis("UTF-16（リトルエンディアン）");
    case InputEncoding::Utf16Be: return sjis("UTF-16（ビッグエンディアン）");
    default: return sjis("不明な文字コード");
  }
}

}  // namespace qm::text
