// The rar 4 file headers as the block chain gives them, from rar 4 bytes made
// here, and the CRC check they allow on a stored member's bytes.
#include "common/archive/rar4_file_headers.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "common/archive/member_reader.h"
#include "tests/common/archive/archive_fixtures.h"

namespace {

using qm::archive::Rar4FileHeader;

std::string le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

// A block: HEAD_CRC (not checked here: libarchive checks it), type, flags, size.
std::string block(int type, unsigned flags, const std::string& body) {
  return le16(0) + static_cast<char>(type) + le16(flags) + le16(static_cast<unsigned>(7 + body.size())) + body;
}

struct File {
  std::string name, data;
  unsigned flags = 0x8000;
  int method = 0x30;
  std::uint32_t high = 0;  // HIGH_PACK_SIZE and HIGH_UNP_SIZE when flags has 0x100
};

std::string fileBlock(const File& f) {
  const auto size = static_cast<std::uint32_t>(f.data.size());
  std::string body = le32(size) + le32(size) + '\2' +
                     le32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(f.data.data()), size))) +
                     le32(0) + '\x14' + static_cast<char>(f.method) + le16(static_cast<unsigned>(f.name.size())) +
                     le32(0x20);
  if (f.flags & 0x100) body += le32(f.high) + le32(f.high);
  return block(0x74, f.flags, body + f.name) + f.data;
}

std::string rar4(const std::vector<File>& files, unsigned archiveFlags = 0) {
  std::string out = std::string("Rar!\x1a\x07\x00", 7) + block(0x73, archiveFlags, std::string(6, '\0'));
  for (const File& f : files) out += fileBlock(f);
  return out + block(0x7B, 0x4000, "");
}

std::vector<Rar4FileHeader> headersOf(const std::string& bytes) {
  qm::archive::MemorySource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  return qm::archive::readRar4FileHeaders(source);
}

struct Seen {
  std::uint32_t crc32;
  std::uint64_t size;
  bool stored, whole;
  bool operator==(const Seen&) const = default;
};

std::vector<Seen> seen(const std::vector<Rar4FileHeader>& headers) {
  std::vector<Seen> out;
  for (const auto& h : headers) out.push_back({h.crc32, h.unpackedSize, h.stored, h.whole});
  return out;
}

TEST(Rar4FileHeaders, EachFileHeaderInArchiveOrder) {
  const std::vector<File> files = {{"a.d88", "123456789"}, {"dir", "", 0x80E0}, {"b.bin", "abc", 0x8000, 0x33}};
  const std::vector<Seen> expected = {{0xCBF43926, 9, true, true}, {0, 0, true, false}, {0x352441C2, 3, false, true}};
  const std::string plain = rar4(files);
  EXPECT_EQ(seen(headersOf(plain)), expected);
  // A block with data of its own (a comment) between two members is stepped over.
  const std::size_t second = plain.find("dir") - 32;
  const std::string commented = plain.substr(0, second) + block(0x7A, 0x8000, le32(5)) + "notes" + plain.substr(second);
  EXPECT_EQ(seen(headersOf(commented)), expected);
}

TEST(Rar4FileHeaders, FlagsThatRuleOutTheCheckAndLargeSizes) {
  const std::vector<File> files = {{"split.bin", "x", 0x8002}, {"locked.bin", "x", 0x8004},
                                   {"large.bin", "y", 0x8100, 0x30, 1}};
  const auto headers = headersOf(rar4(files));
  ASSERT_EQ(headers.size(), 3u);
  EXPECT_FALSE(headers[0].whole);
  EXPECT_FALSE(headers[1].whole);
  EXPECT_TRUE(headers[2].whole);
  EXPECT_EQ(headers[2].unpackedSize, (std::uint64_t{1} << 32) + 1);
}

TEST(Rar4FileHeaders, NoneFromWhatIsNotARar4ArchiveOrHidesItsHeaders) {
  const std::string good = rar4({{"a.d88", "123456789"}});
  EXPECT_TRUE(headersOf("").empty());
  EXPECT_TRUE(headersOf(std::string("Rar!\x1a\x07\x01\x00", 8) + good.substr(7)).empty()) << "rar 5";
  EXPECT_TRUE(headersOf("PK\x03\x04" + good).empty());
  EXPECT_TRUE(headersOf(rar4({{"a.d88", "123456789"}}, 0x0080)).empty()) << "encrypted headers";
}

TEST(Rar4FileHeaders, DamageEndsTheChainWithTheHeadersBefore) {
  const std::string two = rar4({{"a.d88", "123456789"}, {"b.d88", "abc"}});
  const std::size_t second = two.find("b.d88") - 32;
  struct Case {
    std::string bytes;
    std::size_t headers;
  } cases[] = {
      {two.substr(0, second + 20), 1},                                     // cut inside the second header
      {two.substr(0, second + 5) + le16(3) + two.substr(second + 7), 1},   // shorter than a block head
      {two.substr(0, second + 5) + le16(20) + two.substr(second + 7), 1},  // too short for a file's fields
      {two.substr(0, two.size() - 10), 2},  // the last data cut: its header stands, libarchive tells the rest
  };
  for (const Case& c : cases) EXPECT_EQ(headersOf(c.bytes).size(), c.headers) << c.bytes.size();
}

TEST(Rar4FileHeaders, AStoredMemberWhoseBytesDoNotMatchItsCrcFailsToRead) {
  QM_NEED_FIXTURES();
  qm::archive::MemorySink bad, good;
  const auto error = qm::archive::readMember(fixtures->path("corrupt-stored.rar"), "bad.d88", bad);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, qm::archive::ArchiveErrorKind::Damaged);
  EXPECT_EQ(error->message, fixtures->path("corrupt-stored.rar") + ": bad.d88: CRC error");
  EXPECT_FALSE(qm::archive::readMember(fixtures->path("corrupt-stored.rar"), "good.d88", good));
  EXPECT_EQ(good.bytes().size(), 3000u);
}

}  // namespace
