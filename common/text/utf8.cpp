#include "common/text/utf8.h"

namespace qm::text::utf8 {
namespace {

int continuationCount(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// Overlong forms and surrogates are rejected as soon as the bits so far show
// them, taking the byte that did; this decides how many replacements a
// malformed sequence gives, and Windows (as Wine does it) counts this way.
bool inRange(char32_t partial, int remaining) {
  if (remaining == 2) return partial >= 0x10;                     // overlong 4-byte
  if (remaining == 1) {
    if (partial < 0x20) return false;                             // overlong 3-byte
    if (partial >= 0x360 && partial <= 0x37F) return false;       // surrogate
  }
  return true;
}

}  // namespace

char32_t next(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos++]);
  if (lead < 0x80) return lead;
  const int count = continuationCount(lead);
  if (count == 0) return kReplacement;
  if (s.size() - pos < static_cast<std::size_t>(count)) {
    pos = s.size();
    return kReplacement;
  }
  char32_t cp = lead & (0x7F >> (count + 1));
  for (int remaining = count; remaining > 0; --remaining) {
    const unsigned bits = static_cast<unsigned char>(s[pos]) ^ 0x80u;
    if (bits >= 0x40) return kReplacement;
    const char32_t value = (cp << 6) | bits;
    // Beyond U+10FFFF, unlike the cases above, leaves the byte for the next read.
    if (remaining == 2 && value >= (0x110000 >> 6)) return kReplacement;
    cp = value;
    ++pos;
    if (!inRange(cp, remaining - 1)) return kReplacement;
  }
  return cp;
}

char* encode(char32_t cp, char* out) {
  auto put = [&out](char32_t v) { *out++ = static_cast<char>(v); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
  return out;
}

}  // namespace qm::text::utf8
