// Two threads reading two archives at once: each operation has a reader
// object of its own, so neither sees the other's state. (Also run under
// ThreadSanitizer.)
#include <gtest/gtest.h>

#include <thread>

#include "common/archive/member_reader.h"
#include "common/archive/member_walk.h"
#include "tests/common/archive/archive_fixtures.h"

namespace {

// Walks and unpacks every member a few times; the count of mismatches.
int readAll(const std::string& path, const std::vector<qm::test::ExpectedMember>& expected) {
  int mismatches = 0;
  for (int round = 0; round < 3; ++round) {
    const auto walk = qm::archive::listMembers(path);
    if (walk.error || walk.members.size() != expected.size()) ++mismatches;
    for (const auto& member : expected) {
      qm::archive::MemorySink sink;
      if (qm::archive::readMember(path, member.name, sink) || qm::test::crc32Of(sink.bytes()) != member.contentCrc32)
        ++mismatches;
    }
  }
  return mismatches;
}

TEST(TwoThreads, ReadTwoArchivesAtOnce) {
  QM_NEED_FIXTURES();
  const std::vector<std::string> archives{"python-cp932.zip", "p7zip.7z", "utf8-names.rar", "debian-zip.zip"};
  int mismatches[2] = {-1, -1};
  std::thread first([&] {
    mismatches[0] = readAll(fixtures->path(archives[0]), fixtures->archives.at(archives[0])) +
                    readAll(fixtures->path(archives[2]), fixtures->archives.at(archives[2]));
  });
  std::thread second([&] {
    mismatches[1] = readAll(fixtures->path(archives[1]), fixtures->archives.at(archives[1])) +
                    readAll(fixtures->path(archives[3]), fixtures->archives.at(archives[3]));
  });
  first.join();
  second.join();
  EXPECT_EQ(mismatches[0], 0);
  EXPECT_EQ(mismatches[1], 0);
}

}  // namespace
