// Every archive the fixture script made, in every format: the walk finds the
// members the other tools put there (names, sizes, stated CRCs, in order), and
// each member unpacks to the original file's bytes, or to the CRC-32 another
// tool states for it.
#include <gtest/gtest.h>

#include <deque>
#include <ostream>

#include "common/archive/member_reader.h"
#include "common/archive/member_walk.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/common/archive/archive_fixtures.h"
#include "tests/support/file_bytes.h"

namespace qm::archive {

std::ostream& operator<<(std::ostream& out, const Member& m) {
  out << text::sjisToUtf8(m.name) << " size " << m.size << " crc ";
  if (m.statedCrc32) return out << std::hex << *m.statedCrc32 << std::dec;
  return out << "none";
}

}  // namespace qm::archive

namespace {

using qm::archive::Member;

std::vector<Member> expectedMembers(const std::vector<qm::test::ExpectedMember>& expected) {
  std::vector<Member> members;
  for (const auto& e : expected) members.push_back({e.name, e.size, e.statedCrc32});
  return members;
}

TEST(FixtureMembers, EveryArchiveListsWhatItsMakerPutThere) {
  QM_NEED_FIXTURES();
  for (const auto& [archive, expected] : fixtures->archives) {
    SCOPED_TRACE(archive);
    const auto walk = qm::archive::listMembers(fixtures->path(archive));
    EXPECT_FALSE(walk.error) << walk.error->message;
    EXPECT_EQ(walk.members, expectedMembers(expected));
  }
}

TEST(FixtureMembers, EveryMemberUnpacksToItsOriginalBytes) {
  QM_NEED_FIXTURES();
  int checked = 0;
  for (const auto& [archive, expected] : fixtures->archives) {
    for (const auto& member : expected) {
      SCOPED_TRACE(archive + " " + qm::text::sjisToUtf8(member.name));
      qm::archive::MemorySink sink;
      const auto error = qm::archive::readMember(fixtures->path(archive), member.name, sink);
      ASSERT_FALSE(error) << error->message;
      EXPECT_EQ(sink.bytes().size(), member.size);
      EXPECT_EQ(qm::test::crc32Of(sink.bytes()), member.contentCrc32);
      if (!member.original.empty()) {
        const auto original = qm::test::readFile(qm::platform::joinPath(fixtures->folder, member.original));
        EXPECT_TRUE(qm::test::sameBytes(sink.bytes(), original));
      }
      ++checked;
    }
  }
  EXPECT_GE(checked, 30);
}

// One pass over a solid 7z archive hands every member's bytes to its own sink.
TEST(FixtureMembers, OneWalkUnpacksSeveralMembers) {
  QM_NEED_FIXTURES();
  class AllMembers : public qm::archive::MemberVisitor {
  public:
    qm::archive::MemberSink* visit(const Member&) override { return &sinks.emplace_back(); }
    bool unpacked(const Member& m, const std::optional<qm::archive::ArchiveError>& error) override {
      EXPECT_FALSE(error) << qm::text::sjisToUtf8(m.name);
      crcs.push_back(qm::test::crc32Of(sinks.back().bytes()));
      return true;
    }
    std::deque<qm::archive::MemorySink> sinks;
    std::vector<std::uint32_t> crcs;
  } visitor;
  EXPECT_FALSE(qm::archive::visitMembers(fixtures->path("p7zip.7z"), visitor));
  std::vector<std::uint32_t> expected;
  for (const auto& m : fixtures->archives.at("p7zip.7z")) expected.push_back(m.contentCrc32);
  EXPECT_EQ(visitor.crcs, expected);
}

}  // namespace
