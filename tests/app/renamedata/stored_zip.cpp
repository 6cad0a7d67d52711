#include "tests/app/renamedata/stored_zip.h"

#include <cstdint>

namespace qm::test {
namespace {

std::uint32_t crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

void put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

std::string storedZip(const ZipMembers& members) {
  std::string out, directory;
  for (const auto& [name, bytes] : members) {
    const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
    const std::uint32_t crc = crc32(bytes);
    const auto size = static_cast<std::uint32_t>(bytes.size());
    put(out, 0x04034b50, 4);
    put(out, 10, 2), put(out, 0, 2), put(out, 0, 2), put(out, 0, 2), put(out, 0, 2);
    put(out, crc, 4), put(out, size, 4), put(out, size, 4);
    put(out, static_cast<std::uint32_t>(name.size()), 2), put(out, 0, 2);
    out += name + bytes;
    put(directory, 0x02014b50, 4);
    put(directory, 20, 2), put(directory, 10, 2), put(directory, 0, 2), put(directory, 0, 2);
    put(directory, 0, 2), put(directory, 0, 2);
    put(directory, crc, 4), put(directory, size, 4), put(directory, size, 4);
    put(directory, static_cast<std::uint32_t>(name.size()), 2), put(directory, 0, 2), put(directory, 0, 2);
    put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 4), put(directory, offset, 4);
    directory += name;
  }
  const auto at = static_cast<std::uint32_t>(out.size());
  out += directory;
  put(out, 0x06054b50, 4);
  put(out, 0, 2), put(out, 0, 2);
  put(out, static_cast<std::uint32_t>(members.size()), 2), put(out, static_cast<std::uint32_t>(members.size()), 2);
  put(out, static_cast<std::uint32_t>(directory.size()), 4), put(out, at, 4), put(out, 0, 2);
  return out;
}

}  // namespace qm::test
