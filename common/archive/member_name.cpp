#include "common/archive/member_name.h"

#include <algorithm>

#include "common/archive/member.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::archive::names {
namespace {

std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Overlong forms, surrogates and code points beyond U+10FFFF are not UTF-8.
bool validSecondByte(unsigned char lead, unsigned char second) {
  if (lead == 0xE0) return second >= 0xA0;
  if (lead == 0xED) return second <= 0x9F;
  if (lead == 0xF0) return second >= 0x90;
  if (lead == 0xF4) return second <= 0x8F;
  return true;
}

std::string restoreSecondBytes(std::string bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!sjis::isLeadByte(static_cast<unsigned char>(bytes[i])) || i + 1 == bytes.size()) continue;
    if (bytes[i + 1] == '/') bytes[i + 1] = '\\';
    ++i;
  }
  return bytes;
}

// Names in CP932 are mostly half-width katakana or two-byte characters, and
// half-width katakana pairs also form valid two-byte UTF-8 ("ﾃｱ" reads as "ñ").
// Kana and kanji in UTF-8 take three bytes each: a real UTF-8 name has them.
bool hasLongSequence(std::string_view s) {
  for (char c : s)
    if (sequenceLength(static_cast<unsigned char>(c)) >= 3) return true;
  return false;
}

bool looksUtf8(std::string_view bytes) { return hasLongSequence(bytes) && isValidUtf8(bytes); }

}  // namespace

bool isValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const std::size_t n = sequenceLength(lead);
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if (!isContinuation(static_cast<unsigned char>(s[i + k]))) return false;
    }
    if (n > 1 && !validSecondByte(lead, static_cast<unsigned char>(s[i + 1]))) return false;
    i += n;
  }
  return true;
}

std::string fromBareBytes(std::string_view raw) {
  if (looksUtf8(raw)) return text::utf8ToSjis(raw);
  return std::string(raw);
}

std::string fromLatin1View(std::string_view utf8) {
  const auto bytes = latin1Bytes(utf8);
  if (!bytes) return text::utf8ToSjis(utf8);
  if (looksUtf8(*bytes)) return text::utf8ToSjis(*bytes);
  return restoreSecondBytes(*bytes);
}

std::string fromZipEntry(const ZipDirectoryEntry& entry) {
  if (entry.utf8Flag) return text::utf8ToSjis(entry.rawName);
  if (entry.unicodePath && entry.unicodePathCurrent) return text::utf8ToSjis(*entry.unicodePath);
  return fromBareBytes(entry.rawName);
}

std::string viewKey(std::string_view utf8View) {
  std::string key(utf8View);
  std::replace(key.begin(), key.end(), '\\', '/');
  return key;
}

std::string zipViewKey(std::string_view rawName, bool utf8Flag) {
  return viewKey(utf8Flag ? std::string(rawName) : latin1ToUtf8(rawName));
}

std::optional<std::string> latin1Bytes(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() && isContinuation(utf8[i + 1])) {
      bytes += static_cast<char>((c & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

std::string latin1ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      utf8 += ch;
    } else {
      utf8 += static_cast<char>(0xC0 | c >> 6);
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::string fitted(std::string name) {
  if (name.size() > kMaxMemberNameBytes) name.resize(sjis::cutToBytes(name, kMaxMemberNameBytes).size());
  return name;
}

}  // namespace qm::archive::names
