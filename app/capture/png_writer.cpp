#include "app/capture/png_writer.h"

#include <zlib.h>

#include "common/platform/atomic_file.h"

namespace qm::capture {
namespace {

void putBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void putChunk(std::string& out, const char type[4], const std::string& data) {
  putBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out += data;
  const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
  putBigEndian(out, static_cast<std::uint32_t>(crc32(0L, bytes, static_cast<uInt>(out.size() - start))));
}

}  // namespace

std::string encodePng(const Picture& picture) {
  if (picture.empty() || picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3;
  std::string raw;
  raw.reserve((rowBytes + 1) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    raw += '\0';  // filter type: none
    raw.append(reinterpret_cast<const char*>(picture.rgb.data()) + y * rowBytes, rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    return {};
  packed.resize(packedSize);

  std::string header;
  putBigEndian(header, static_cast<std::uint32_t>(picture.width));
  putBigEndian(header, static_cast<std::uint32_t>(picture.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter choice, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", packed);
  putChunk(png, "IEND", "");
  return png;
}

bool writePng(const std::string& path, const Picture& picture) {
  const std::string png = encodePng(picture);
  return !png.empty() && platform::writeFileAtomically(path, png);
}

}  // namespace qm::capture
