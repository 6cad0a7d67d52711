#include "app/renamedata/plugin_binary.h"

#include <cstdint>

#include "common/archive/stdio_file.h"

namespace qm::renamedata {
namespace {

std::uint32_t little(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

constexpr std::size_t kHeaderBytes = 4096;

}  // namespace

BinaryWidth binaryWidth(std::string_view header) {
  if (header.size() >= 5 && header.substr(0, 4) == "\x7f" "ELF") {
    if (header[4] == 1) return BinaryWidth::Bits32;
    if (header[4] == 2) return BinaryWidth::Bits64;
    return BinaryWidth::Unknown;
  }
  if (header.size() < 0x40 || header.substr(0, 2) != "MZ") return BinaryWidth::Unknown;
  const std::size_t pe = little(header, 0x3C, 4);
  // "PE\0\0", the 20-byte file header, then the optional header's magic.
  if (pe > header.size() || header.size() - pe < 26 || header.substr(pe, 4) != std::string_view("PE\0\0", 4))
    return BinaryWidth::Unknown;
  switch (little(header, pe + 24, 2)) {
    case 0x10B: return BinaryWidth::Bits32;
    case 0x20B: return BinaryWidth::Bits64;
  }
  return BinaryWidth::Unknown;
}

BinaryWidth binaryWidthOfFile(const std::string& path) {
  const archive::StdioFile file = archive::openStdioFile(path, "rb");
  if (!file) return BinaryWidth::Unknown;
  std::string header(kHeaderBytes, '\0');
  header.resize(std::fread(header.data(), 1, header.size(), file.get()));
  return binaryWidth(header);
}

}  // namespace qm::renamedata
