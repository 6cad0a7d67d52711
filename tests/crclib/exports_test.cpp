// The four CRC exports loaded by name, as the program binds them. The expected
// texts are the same natively and under Wine.
#include <gtest/gtest.h>

#include <string>

#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "common/text/encoding.h"
#include "crclib/crc_export_types.h"
#include "crclib/heap_text.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::crc::test {
namespace {

// A result text the caller owns: released with the library's heap.
struct HeapText {
  HeapText() { replaceHeapText(&text, "previous"); }
  ~HeapText() { freeHeapText(text); }
  std::string value() const { return text ? text : "(null)"; }
  char* text = nullptr;
};

class CrcExportsTest : public ::testing::Test {
protected:
  void SetUp() override {
    library = platform::SharedLibrary(
        platform::joinPath(platform::currentFolder(), platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
    ASSERT_TRUE(library.loaded()) << library.error();
    fileCrc32 = library.function<GetFileCrcExport>("GetFileCRC32");
    fileCrc16 = library.function<GetFileCrcExport>("GetFileCRC16");
    memCrc32 = library.function<GetMemCrcExport>("GetMemCRC32");
    memCrc16 = library.function<GetMemCrcExport>("GetMemCRC16");
    ASSERT_TRUE(fileCrc32 && fileCrc16 && memCrc32 && memCrc16);
  }

  // "CRC32 CRC16" of a file through the file exports.
  std::string fileTexts(const std::string& path, std::uint32_t offset, std::uint32_t length) {
    HeapText crc32, crc16;
    fileCrc32(path.c_str(), &crc32.text, nullptr, offset, length);
    fileCrc16(path.c_str(), &crc16.text, nullptr, offset, length);
    return crc32.value() + " " + crc16.value();
  }

  std::string memoryTexts(const void* data, std::uint32_t size, std::uint32_t offset, std::uint32_t length) {
    HeapText crc32, crc16;
    memCrc32(&data, size, offset, length, &crc32.text, nullptr);
    memCrc16(&data, size, offset, length, &crc16.text, nullptr);
    return crc32.value() + " " + crc16.value();
  }

  platform::SharedLibrary library;
  GetFileCrcExport fileCrc32 = nullptr, fileCrc16 = nullptr;
  GetMemCrcExport memCrc32 = nullptr, memCrc16 = nullptr;
  qm::test::TempFolder temp;
};

TEST_F(CrcExportsTest, TextsOfFilesAndMemoryOverWindows) {
  const std::string data = "123456789";
  // The trail byte of "ソ" is a backslash.
  const std::string path = temp.file(text::sjis("ソフト.bin"));
  ASSERT_TRUE(qm::test::writeFile(path, data));
  struct Case {
    std::uint32_t offset, length;
    const char* texts;
  };
  const Case cases[] = {
      {0, 0, "CBF43926 6F91"}, {2, 3, "34F5B50F E715"},   {3, 100, "FB16B375 F46A"},
      {8, 0, "8D076785 A3C5"}, {9, 0, "00000000 FFFF"},   {100, 5, "00000000 FFFF"},
      {3, 0xFFFFFFFF, "FB16B375 F46A"},  // offset + length beyond 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.offset << " length " << c.length);
    EXPECT_EQ(fileTexts(path, c.offset, c.length), c.texts);
    EXPECT_EQ(memoryTexts(data.data(), 9, c.offset, c.length), c.texts);
  }
}

TEST_F(CrcExportsTest, NothingToChecksumGivesTheErrorValues) {
  const std::string empty = temp.file("empty.bin");
  ASSERT_TRUE(qm::test::writeFile(empty, ""));
  EXPECT_EQ(fileTexts(empty, 0, 0), "00000000 FFFF");
  EXPECT_EQ(memoryTexts("abc", 0, 0, 0), "00000000 FFFF");
  EXPECT_EQ(memoryTexts(nullptr, 3, 0, 0), "00000000 FFFF");
  HeapText crc32;
  memCrc32(nullptr, 3, 0, 0, &crc32.text, nullptr);
  EXPECT_EQ(crc32.value(), "00000000");
}

#ifndef _WIN32
// Natively there is no box to show; the result is the error value all the same.
TEST_F(CrcExportsTest, MissingFileGivesTheErrorValues) {
  EXPECT_EQ(fileTexts(temp.file("missing.bin"), 0, 0), "00000000 FFFF");
}
#endif

}  // namespace
}  // namespace qm::crc::test
