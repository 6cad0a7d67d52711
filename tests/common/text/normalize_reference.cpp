#include "tests/common/text/normalize_reference.h"

#include <bitset>

#include "common/text/encoding.h"

namespace qm::test {
namespace {

// Double-byte codes the code page defines: an undefined one reads as "・".
std::bitset<65536> definedCodes() {
  std::bitset<65536> defined;
  const std::string undefined = text::sjisToUtf8("\x81\x45");
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
      if (sjis::charLength(ch, 0) != 2) continue;
      if (ch == "\x81\x45" || text::sjisToUtf8(ch) != undefined) defined.set(lead << 8 | trail);
    }
  }
  return defined;
}

}  // namespace

bool isValidShiftJis(std::string_view text) {
  static const std::bitset<65536> defined = definedCodes();
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (sjis::charLength(text, i) == 2) {
      if (!defined.test(c << 8 | static_cast<unsigned char>(text[i + 1]))) return false;
      i += 2;
      continue;
    }
    if (sjis::isLeadByte(c) || c == 0x80 || c == 0xA0 || c >= 0xFD) return false;
    ++i;
  }
  return true;
}

}  // namespace qm::test
