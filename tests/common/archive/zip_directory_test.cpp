// Our central directory reader on zip images built byte by byte: the fields it
// takes, zip64, AES, Info-ZIP Unicode names, and directories that lie.
#include <gtest/gtest.h>

#include <zlib.h>

#include "common/archive/zip_directory.h"

namespace {

using qm::archive::ZipDirectory;

void put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8 & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
void put64(std::string& out, std::uint64_t v) {
  put32(out, static_cast<std::uint32_t>(v));
  put32(out, static_cast<std::uint32_t>(v >> 32));
}

struct Entry {
  std::string name{};
  std::uint32_t crc = 0;
  std::uint32_t size = 0;
  std::uint16_t flags = 0;
  std::uint16_t method = 8;
  std::string extra{};
};

std::string directoryRecord(const Entry& e) {
  std::string out;
  put32(out, 0x02014b50);
  put16(out, 0x031E);  // made on Unix
  put16(out, 20);
  put16(out, e.flags);
  put16(out, e.method);
  put32(out, 0);  // time and date
  put32(out, e.crc);
  put32(out, e.size);  // compressed
  put32(out, e.size);
  put16(out, static_cast<std::uint32_t>(e.name.size()));
  put16(out, static_cast<std::uint32_t>(e.extra.size()));
  put16(out, 0);
  put16(out, 0);
  put16(out, 0);
  put32(out, 0);
  put32(out, 0);  // local header offset: our reader never goes there
  return out + e.name + e.extra;
}

std::string endRecord(std::uint32_t count, std::uint32_t size, std::uint32_t offset, const std::string& comment = "") {
  std::string out;
  put32(out, 0x06054b50);
  put32(out, 0);
  put16(out, count);
  put16(out, count);
  put32(out, size);
  put32(out, offset);
  put16(out, static_cast<std::uint32_t>(comment.size()));
  return out + comment;
}

// Some bytes standing in for the members' data, the directory, the end record.
std::string zipImage(const std::vector<Entry>& entries, const std::string& comment = "") {
  std::string image(100, 'd');
  std::string directory;
  for (const auto& e : entries) directory += directoryRecord(e);
  return image + directory +
         endRecord(static_cast<std::uint32_t>(entries.size()), static_cast<std::uint32_t>(directory.size()), 100,
                   comment);
}

ZipDirectory read(const std::string& image) {
  qm::archive::MemorySource source(
      std::span(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()));
  return qm::archive::readZipDirectory(source);
}

std::string extraField(std::uint16_t id, const std::string& data) {
  std::string out;
  put16(out, id);
  put16(out, static_cast<std::uint32_t>(data.size()));
  return out + data;
}

TEST(ZipDirectory, NamesFlagsCrcsAndSizesAsStored) {
  const auto dir = read(zipImage({{.name = "\x95\x5C.d88", .crc = 0xCBF43926, .size = 1234},
                                 {.name = "\xE8\xA1\xA8.fdi", .crc = 0x1, .size = 7, .flags = 0x0800}}));
  EXPECT_FALSE(dir.error);
  ASSERT_EQ(dir.entries.size(), 2u);
  EXPECT_EQ(dir.entries[0].rawName, "\x95\x5C.d88");
  EXPECT_FALSE(dir.entries[0].utf8Flag);
  EXPECT_EQ(dir.entries[0].crc32, 0xCBF43926u);
  EXPECT_EQ(dir.entries[0].size, 1234u);
  EXPECT_TRUE(dir.entries[1].utf8Flag);
  EXPECT_EQ(dir.entries[1].crc32, 1u);
}

TEST(ZipDirectory, Zip64SizesAndEndRecord) {
  std::string wide;
  put64(wide, 5ULL << 30);  // uncompressed
  put64(wide, 3ULL << 30);  // compressed
  Entry big{.name = "big.iso", .crc = 0xDEADBEEF, .size = 0xFFFFFFFF, .extra = extraField(0x0001, wide)};
  std::string image(64, 'd');
  const std::string directory = directoryRecord(big);
  const std::size_t directoryAt = image.size();
  image += directory;
  const std::size_t zip64EndAt = image.size();
  put32(image, 0x06064b50);
  put64(image, 44);
  put16(image, 45);
  put16(image, 45);
  put32(image, 0);
  put32(image, 0);
  put64(image, 1);
  put64(image, 1);
  put64(image, directory.size());
  put64(image, directoryAt);
  put32(image, 0x07064b50);
  put32(image, 0);
  put64(image, zip64EndAt);
  put32(image, 1);
  image += endRecord(0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
  const auto dir = read(image);
  EXPECT_FALSE(dir.error);
  ASSERT_EQ(dir.entries.size(), 1u);
  EXPECT_EQ(dir.entries[0].size, 5ULL << 30);
  EXPECT_EQ(dir.entries[0].compressedSize, 3ULL << 30);
}

TEST(ZipDirectory, WinZipAes2StatesNoCrc) {
  const auto aes = [](std::uint16_t vendorVersion) {
    std::string data;
    put16(data, vendorVersion);
    return extraField(0x9901, data + "AE\x03\x08\x00");
  };
  const auto dir = read(zipImage({{.name = "ae1.bin", .crc = 0x12345678, .size = 9, .flags = 1, .method = 99, .extra = aes(1)},
                                 {.name = "ae2.bin", .size = 9, .flags = 1, .method = 99, .extra = aes(2)}}));
  ASSERT_EQ(dir.entries.size(), 2u);
  EXPECT_EQ(dir.entries[0].crc32, 0x12345678u);
  EXPECT_EQ(dir.entries[1].crc32, std::nullopt);
}

TEST(ZipDirectory, InfoZipUnicodeNameAndWhetherItIsCurrent) {
  const std::string raw = "\x95\x5C.d88";
  const auto unicode = [&](std::uint32_t nameCrc) {
    std::string data = "\x01";
    put32(data, nameCrc);
    return extraField(0x7075, data + "\xE8\xA1\xA8.d88");
  };
  const auto rawCrc =
      static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uInt>(raw.size())));
  const auto dir = read(zipImage({{.name = raw, .extra = unicode(rawCrc)}, {.name = raw, .extra = unicode(rawCrc ^ 1)}}));
  ASSERT_EQ(dir.entries.size(), 2u);
  EXPECT_EQ(dir.entries[0].unicodePath, "\xE8\xA1\xA8.d88");
  EXPECT_TRUE(dir.entries[0].unicodePathCurrent);
  EXPECT_FALSE(dir.entries[1].unicodePathCurrent);
}

TEST(ZipDirectory, EndSignatureInsideTheCommentIsNotTaken) {
  std::string fake;
  put32(fake, 0x06054b50);
  fake += std::string(18, '\0');
  const auto dir = read(zipImage({{.name = "a.bin"}}, "comment " + fake + " more comment"));
  EXPECT_FALSE(dir.error);
  ASSERT_EQ(dir.entries.size(), 1u);
  EXPECT_EQ(dir.entries[0].rawName, "a.bin");
}

TEST(ZipDirectory, DeclaredCountIsNotTrustedButTheDirectorySizeIs) {
  std::string image(100, 'd');
  const std::string directory = directoryRecord({.name = "a"}) + directoryRecord({.name = "b"}) + directoryRecord({.name = "c"});
  // Writers without zip64 let the count wrap at 65536.
  image += directory + endRecord(1, static_cast<std::uint32_t>(directory.size()), 100);
  EXPECT_EQ(read(image).entries.size(), 3u);
}

TEST(ZipDirectory, DataBeforeTheArchiveShiftsTheDirectory) {
  const std::string zip = zipImage({{.name = "a.bin"}, {.name = "b.bin"}});
  const auto dir = read(std::string(3000, 'x') + zip);
  EXPECT_FALSE(dir.error);
  EXPECT_EQ(dir.entries.size(), 2u);
}

TEST(ZipDirectory, BrokenDirectoriesKeepTheEntriesBeforeTheBreak) {
  const std::string first = directoryRecord({.name = "first.bin"});
  const std::string second = directoryRecord({.name = "second.bin"});
  // The second record cut inside its name.
  std::string cut = std::string(100, 'd') + first + second.substr(0, 50);
  cut += endRecord(2, static_cast<std::uint32_t>(first.size() + 50), 100);
  auto dir = read(cut);
  EXPECT_EQ(dir.error, "central directory cut short");
  ASSERT_EQ(dir.entries.size(), 1u);
  EXPECT_EQ(dir.entries[0].rawName, "first.bin");

  // Something other than a directory record after the first one.
  std::string foreign = std::string(100, 'd') + first + std::string(46, 'z');
  foreign += endRecord(2, static_cast<std::uint32_t>(first.size() + 46), 100);
  dir = read(foreign);
  EXPECT_EQ(dir.error, "damaged central directory");
  EXPECT_EQ(dir.entries.size(), 1u);
}

TEST(ZipDirectory, ImpossibleOrMissingEndRecords) {
  auto dir = read(std::string(100, 'd') + endRecord(1, 0xFFFFFF00, 0));
  EXPECT_EQ(dir.error, "central directory larger than the file");
  EXPECT_TRUE(dir.entries.empty());
  dir = read("PK\x03\x04 only a local header");
  EXPECT_EQ(dir.error, "no zip end record");
  dir = read("");
  EXPECT_EQ(dir.error, "no zip end record");
  std::string multi = endRecord(0, 0, 0);
  multi[4] = 1;  // this is disk 1 of several
  EXPECT_EQ(read(multi).error, "multi-volume zip files are not supported");
}

}  // namespace
