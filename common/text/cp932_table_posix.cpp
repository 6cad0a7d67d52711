#include "common/text/cp932_table.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/text/sjis.h"

namespace qm::text::cp932 {
namespace {

// Single bytes glibc leaves undefined but Windows maps, both ways.
struct ByteMapping {
  unsigned char byte;
  char16_t unit;
};
constexpr ByteMapping kWindowsOnlyBytes[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3},
};

// Marks encode entries not yet looked up; 0xFFFF is no code (0xFF leads nothing).
constexpr std::uint16_t kUnknown = 0xFFFF;

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Iconv = std::unique_ptr<void, IconvCloser>;

Iconv openIconv(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Without the table every non-ASCII byte would be garbled silently.
    std::fprintf(stderr, "quillmoor: iconv cannot convert %s to %s\n", from, to);
    std::abort();
  }
  return Iconv(cd);
}

std::optional<std::string> convert(const Iconv& cd, std::string_view in) {
  iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
  char buf[8];
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = buf;
  std::size_t outLeft = sizeof buf;
  if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
    return std::nullopt;
  }
  return std::string(buf, outPtr);
}

char16_t decodeOne(const Iconv& toUtf16, std::string_view code) {
  auto units = convert(toUtf16, code);
  if (!units || units->size() != 2) return kDefaultUnit;
  return static_cast<char16_t>(static_cast<unsigned char>((*units)[0]) |
                               static_cast<unsigned char>((*units)[1]) << 8);
}

std::optional<std::uint16_t> encodeOne(const Iconv& fromUtf16, char16_t unit) {
  const char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  auto bytes = convert(fromUtf16, std::string_view(in, 2));
  if (!bytes || bytes->empty() || bytes->size() > 2) return std::nullopt;
  std::uint16_t code = 0;
  for (char b : *bytes) code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(b));
  return code;
}

char16_t decoded(const Table& t, std::uint16_t code) {
  return code <= 0xFF ? t.single[code] : t.decode(code >> 8, code & 0xFF);
}

void buildDecode(Table& t, const Iconv& toUtf16) {
  for (unsigned b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    t.single[b] = sjis::isLeadByte(b) ? kDefaultUnit : decodeOne(toUtf16, std::string_view(&c, 1));
  }
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!sjis::isLeadByte(lead)) continue;
    for (unsigned second = 0; second < 256; ++second) {
      const char code[2] = {static_cast<char>(lead), static_cast<char>(second)};
      t.pair[Table::leadIndex(lead) * 256 + second] = decodeOne(toUtf16, std::string_view(code, 2));
    }
  }
  for (const auto& m : kWindowsOnlyBytes) t.single[m.byte] = m.unit;
}

// Windows with WC_NO_BEST_FIT_CHARS writes a character only as a code that
// reads back as it. So only characters some code reads as are looked up, which
// leaves out glibc's one-way extras (U+00A5 -> 0x5C, U+203E -> 0x7E, U+301C ->
// 0x8160, ...), and a glibc answer that does not read back is not trusted.
void learn(Table& t, const Iconv& fromUtf16, char16_t unit) {
  if (t.encode[unit] != kUnknown) return;
  auto code = encodeOne(fromUtf16, unit);
  t.encode[unit] = code && decoded(t, *code) == unit ? *code : kDefaultCode;
}

void buildEncode(Table& t, const Iconv& fromUtf16) {
  t.encode.fill(kUnknown);
  for (const auto& m : kWindowsOnlyBytes) t.encode[m.unit] = m.byte;
  for (char16_t unit : t.single) learn(t, fromUtf16, unit);
  for (char16_t unit : t.pair) learn(t, fromUtf16, unit);
  for (auto& code : t.encode) {
    if (code == kUnknown) code = kDefaultCode;
  }
}

std::unique_ptr<Table> build() {
  auto t = std::make_unique<Table>();
  buildDecode(*t, openIconv("UTF-16LE", "CP932"));
  buildEncode(*t, openIconv("CP932", "UTF-16LE"));
  return t;
}

}  // namespace

const Table& table() {
  static const std::unique_ptr<Table> instance = build();
  return *instance;
}

}  // namespace qm::text::cp932
