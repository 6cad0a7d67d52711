#include "common/text/encoding.h"

#include "common/text/ascii.h"
#include "common/text/cp932_table.h"
#include "common/text/sjis.h"
#include "common/text/utf8.h"

namespace qm::text {

// Both directions write into a buffer sized for the worst case and trim it:
// a Shift-JIS byte grows to at most 3 UTF-8 bytes, and no UTF-8 input grows.
std::string sjisToUtf8(std::string_view sjis) {
  if (isAscii(sjis)) return std::string(sjis);
  const cp932::Table& t = cp932::table();
  std::string out(sjis.size() * 3, '\0');
  char* end = out.data();
  for (std::size_t i = 0; i < sjis.size();) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    // Windows takes any byte but NUL after a lead byte as its partner.
    if (sjis::isLeadByte(c) && i + 1 < sjis.size() && sjis[i + 1] != '\0') {
      end = utf8::encode(t.decode(c, static_cast<unsigned char>(sjis[i + 1])), end);
      i += 2;
    } else {
      end = utf8::encode(t.single[c], end);
      ++i;
    }
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::string utf8ToSjis(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  const cp932::Table& t = cp932::table();
  std::string out(utf8.size(), '\0');
  char* end = out.data();
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = utf8::next(utf8, i);
    if (cp > 0xFFFF) {
      // Windows writes each half of the surrogate pair as its own "?".
      *end++ = static_cast<char>(cp932::kDefaultCode);
      *end++ = static_cast<char>(cp932::kDefaultCode);
      continue;
    }
    const std::uint16_t code = t.encode[cp];
    if (code > 0xFF) *end++ = static_cast<char>(code >> 8);
    *end++ = static_cast<char>(code & 0xFF);
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

}  // namespace qm::text
