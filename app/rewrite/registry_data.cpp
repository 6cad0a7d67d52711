#include "app/rewrite/registry_data.h"

#include "common/text/sjis.h"

namespace qm::rewrite {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The digits of `text` in `base` as a magnitude; nothing on any other
// character, no digit at all, or more than 64 bits.
std::optional<std::uint64_t> magnitude(std::string_view text, int base) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    if (value > (~std::uint64_t{0} - digit) / base) return std::nullopt;
    value = value * base + digit;
  }
  return value;
}

std::string littleEndian(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::uint64_t fromLittleEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::optional<std::string> binaryBytes(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (hexDigit(c) < 0) return std::nullopt;
    digits += c;
  }
  std::string out;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
    out += static_cast<char>(hexDigit(digits[i]) * 16 + hexDigit(digits[i + 1]));
  return out;
}

// "|a|b" gives "a", NUL, "b", NUL, NUL: the separator is the first character,
// one or two bytes.
std::string stringList(std::string_view text) {
  if (text.empty()) return std::string(2, '\0');
  const std::size_t length = sjis::charLength(text, 0);
  const std::string separator(text.substr(0, length));
  std::string list = sjis::replaceAll(text.substr(length), separator, std::string(1, '\0'));
  list += '\0';
  list += '\0';
  return list;
}

std::string hexPairs(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

// A stored string without its terminating zeros; a list with "|" before each string.
std::string storedText(const RegistryValue& value, const Registry& registry) {
  std::string text = registry.bytesText(value.bytes);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  if (value.type != kRegMultiSz) return text;
  // Appended rather than "|" + ..., which GCC 12 takes for an overlapping copy.
  std::string list = "|";
  list += sjis::replaceAll(text, std::string(1, '\0'), "|");
  return list;
}

}  // namespace

bool isRewritableType(std::uint32_t type) {
  switch (type) {
    case kRegSz: case kRegExpandSz: case kRegMultiSz: case kRegBinary: case kRegDword: case kRegDwordBigEndian:
    case kRegQword:
      return true;
    default:
      return false;
  }
}

std::string registryTypeName(std::uint32_t type) {
  switch (type) {
    case kRegSz: return "REG_SZ";
    case kRegExpandSz: return "REG_EXPAND_SZ";
    case kRegMultiSz: return "REG_MULTI_SZ";
    case kRegBinary: return "REG_BINARY";
    case kRegDword: return "REG_DWORD";
    case kRegDwordBigEndian: return "REG_DWORD_BIG_ENDIAN";
    case kRegQword: return "REG_QWORD";
    default: return "type " + std::to_string(type);
  }
}

std::optional<std::uint64_t> parseRegistryNumber(std::string_view text, int bits) {
  text = trimmed(text);
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  std::optional<std::uint64_t> value;
  bool fraction = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    value = magnitude(text.substr(2), 16);
  } else {
    const std::size_t dot = text.find('.');
    value = magnitude(text.substr(0, dot), 10);
    if (dot != std::string_view::npos) {
      const std::string_view rest = text.substr(dot + 1);
      if (rest.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
      fraction = rest.find_first_not_of('0') != std::string_view::npos;
    }
  }
  if (!value) return std::nullopt;
  const std::uint64_t all = bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
  if (!negative) return *value <= all ? value : std::nullopt;
  if (fraction) {
    if (*value == ~std::uint64_t{0}) return std::nullopt;
    ++*value;  // rounded down, away from zero
  }
  const std::uint64_t lowest = std::uint64_t{1} << (bits - 1);
  if (*value > lowest) return std::nullopt;
  return (~*value + 1) & all;
}

std::optional<std::string> registryDataBytes(std::uint32_t type, std::string_view text, const Registry& registry) {
  switch (type) {
    case kRegSz:
    case kRegExpandSz:
      return registry.textBytes(std::string(text) + '\0');
    case kRegMultiSz:
      return registry.textBytes(stringList(text));
    case kRegBinary:
      return binaryBytes(text);
    case kRegDword:
    case kRegDwordBigEndian: {
      const auto value = parseRegistryNumber(text, 32);
      if (!value) return std::nullopt;
      std::string bytes = littleEndian(*value, 4);
      if (type == kRegDwordBigEndian) bytes = std::string(bytes.rbegin(), bytes.rend());
      return bytes;
    }
    case kRegQword: {
      const auto value = parseRegistryNumber(text, 64);
      if (!value) return std::nullopt;
      return littleEndian(*value, 8);
    }
    default:
      return std::nullopt;
  }
}

std::string registryDataText(const RegistryValue& value, const Registry& registry) {
  switch (value.type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz:
      return storedText(value, registry);
    case kRegDword:
      return std::to_string(fromLittleEndian(value.bytes.substr(0, 4)));
    case kRegDwordBigEndian: {
      const std::string bytes = value.bytes.substr(0, 4);
      return std::to_string(fromLittleEndian(std::string(bytes.rbegin(), bytes.rend())));
    }
    case kRegQword:
      return std::to_string(fromLittleEndian(value.bytes.substr(0, 8)));
    default:
      return hexPairs(value.bytes);
  }
}

}  // namespace qm::rewrite
