// Streaming into the caller's sink: blocks in order and bounded in size, a
// sink that refuses stops the unpacking, and a memory limit holds.
#include <gtest/gtest.h>

#include <archive.h>
#include <zlib.h>

#include "common/archive/archive_versions.h"
#include "common/archive/member_reader.h"
#include "common/archive/member_walk.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/common/archive/archive_fixtures.h"
#include "tests/support/file_bytes.h"

namespace {

using qm::archive::ArchiveErrorKind;
using qm::text::sjis;

// The shape a CRC accumulator has: bytes in, nothing kept.
class CountingSink : public qm::archive::MemberSink {
public:
  bool write(std::span<const std::uint8_t> block) override {
    EXPECT_LE(block.size(), qm::archive::kBlockBytes);
    crc = static_cast<std::uint32_t>(crc32(crc, block.data(), static_cast<uInt>(block.size())));
    bytes += block.size();
    ++blocks;
    return bytes <= refuseAfter;
  }
  std::uint32_t crc = 0;
  std::uint64_t bytes = 0;
  int blocks = 0;
  std::uint64_t refuseAfter = UINT64_MAX;
};

TEST(Streaming, LargeMemberArrivesInBoundedBlocks) {
  QM_NEED_FIXTURES();
  const std::string name = sjis("ゲーム (Disk 1).fdi");
  const auto original =
      qm::test::crc32Of(*qm::test::readFile(qm::platform::joinPath(fixtures->folder, "originals/1.bin")));
  for (const char* archive : {"python-utf8.zip", "p7zip.7z"}) {
    CountingSink sink;
    EXPECT_FALSE(qm::archive::readMember(fixtures->path(archive), name, sink)) << archive;
    EXPECT_EQ(sink.bytes, 300000u) << archive;
    EXPECT_EQ(sink.crc, original) << archive;
    EXPECT_GE(sink.blocks, 2) << archive;
  }
}

TEST(Streaming, RefusingSinkStopsTheUnpacking) {
  QM_NEED_FIXTURES();
  CountingSink sink;
  sink.refuseAfter = 1000;
  const auto error = qm::archive::readMember(fixtures->path("python-cp932.zip"), sjis("ゲーム (Disk 1).fdi"), sink);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, ArchiveErrorKind::Stopped);
  EXPECT_LT(sink.bytes, 300000u);
}

TEST(Streaming, MemorySinkLimit) {
  QM_NEED_FIXTURES();
  qm::archive::MemorySink small(100000);
  const auto error = qm::archive::readMember(fixtures->path("python-utf8.zip"), sjis("ゲーム (Disk 1).fdi"), small);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, ArchiveErrorKind::Stopped);
  EXPECT_LE(small.bytes().size(), 100000u);
  qm::archive::MemorySink enough(300000);
  EXPECT_FALSE(qm::archive::readMember(fixtures->path("python-utf8.zip"), sjis("ゲーム (Disk 1).fdi"), enough));
  EXPECT_EQ(enough.bytes().size(), 300000u);
}

TEST(Streaming, EmptyMemberGivesNoBlocks) {
  QM_NEED_FIXTURES();
  for (const char* archive : {"debian-zip.zip", "p7zip.7z", "utf8-names.rar"}) {
    CountingSink sink;
    EXPECT_FALSE(qm::archive::readMember(fixtures->path(archive), sjis("空.bin"), sink)) << archive;
    EXPECT_EQ(sink.bytes, 0u);
  }
}

TEST(Streaming, ArchiveInMemory) {
  QM_NEED_FIXTURES();
  const std::string bytes = *qm::test::readFile(fixtures->path("cp932-names.rar"));
  qm::archive::MemorySource source(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  const auto walk = qm::archive::listMembers(qm::archive::ArchiveType::Rar, source, "in memory");
  EXPECT_FALSE(walk.error);
  ASSERT_EQ(walk.members.size(), 2u);
  EXPECT_EQ(walk.members[1], (qm::archive::Member{"readme.txt", 7, std::nullopt}));
}

TEST(ArchiveVersions, OneLinePerTypeNamingLibarchive) {
  const std::string reader = std::string("\t\tlibarchive ") + ARCHIVE_VERSION_ONLY_STRING;
  EXPECT_EQ(qm::archive::archiveVersionLines(),
            (std::vector<std::string>{"lzh" + reader, "zip" + reader, "rar" + reader, "7z" + reader}));
}

}  // namespace
