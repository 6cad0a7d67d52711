#include <gtest/gtest.h>
#include <zlib.h>

#include "app/capture/png_writer.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::capture {
namespace {

std::uint32_t bigEndian(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

struct Chunk {
  std::string type, data;
};

// Every chunk of the file, each CRC checked.
std::vector<Chunk> chunks(const std::string& png) {
  std::vector<Chunk> found;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = bigEndian(png, at);
    Chunk c{png.substr(at + 4, 4), png.substr(at + 8, length)};
    const auto* typed = reinterpret_cast<const Bytef*>(png.data() + at + 4);
    EXPECT_EQ(bigEndian(png, at + 8 + length), crc32(0L, typed, length + 4)) << c.type;
    found.push_back(c);
    at += 12 + length;
  }
  return found;
}

Picture gradient(int w, int h) {
  Picture p(w, h);
  for (std::size_t i = 0; i < p.rgb.size(); ++i) p.rgb[i] = static_cast<std::uint8_t>(i * 7);
  return p;
}

TEST(PngWriter, HeaderChunksAndPixelsRoundTrip) {
  const Picture picture = gradient(5, 3);
  const std::string png = encodePng(picture);
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  const std::vector<Chunk> all = chunks(png);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].type, "IHDR");
  EXPECT_EQ(all[0].data, std::string("\0\0\0\x05\0\0\0\x03\x08\x02\0\0\0", 13));
  EXPECT_EQ(all[1].type, "IDAT");
  EXPECT_EQ(all[2].type, "IEND");
  EXPECT_TRUE(all[2].data.empty());
  std::string raw(3 * (1 + 5 * 3), '\xff');
  uLongf rawSize = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                       reinterpret_cast<const Bytef*>(all[1].data.data()), all[1].data.size()),
            Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(raw[y * 16], '\0');  // filter type of each row
    EXPECT_EQ(raw.substr(y * 16 + 1, 15),
              std::string(reinterpret_cast<const char*>(picture.rgb.data()) + y * 15, 15));
  }
}

TEST(PngWriter, RefusesEmptyOrShortPictures) {
  EXPECT_EQ(encodePng(Picture{}), "");
  Picture shortOne(4, 4);
  shortOne.rgb.pop_back();
  EXPECT_EQ(encodePng(shortOne), "");
}

TEST(PngWriter, WritesAndReplacesTheFile) {
  test::TempFolder folder;
  const std::string path = folder.file("a.PNG");
  ASSERT_TRUE(test::writeFile(path, "old and longer than nothing"));
  ASSERT_TRUE(writePng(path, gradient(2, 2)));
  EXPECT_TRUE(test::sameBytes(test::readFile(path), encodePng(gradient(2, 2))));
  EXPECT_FALSE(writePng(folder.file("missing/a.PNG"), gradient(2, 2)));
}

}  // namespace
}  // namespace qm::capture
