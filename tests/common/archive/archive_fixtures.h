// The archives tools/archive-fixtures.py makes before the tests run (a CTest
// fixture), with what every reader must find in them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qm::test {

struct ExpectedMember {
  std::string name;  // program text, as Python's cp932 codec writes it
  std::uint64_t size = 0;
  std::optional<std::uint32_t> statedCrc32;
  std::uint32_t contentCrc32 = 0;
  std::string original;  // path of the original file, or "" when there is none
};

struct ArchiveFixtures {
  std::string folder;  // program text
  std::map<std::string, std::vector<ExpectedMember>> archives;  // by file name
  std::set<std::string> missing;  // libarchive samples not in the cache

  std::string path(const std::string& archive) const;
};

// Nothing when the fixture script has not run.
const ArchiveFixtures* archiveFixtures();

std::uint32_t crc32Of(const std::string& bytes);

}  // namespace qm::test

// Skips the test with the reason when the fixtures, or one sample, are absent.
#define QM_NEED_FIXTURES()                                                                                   \
  const ::qm::test::ArchiveFixtures* fixtures = ::qm::test::archiveFixtures();                               \
  if (!fixtures) GTEST_SKIP() << "no archive fixtures: run tools/archive-fixtures.py (ctest does it first)"; \
  (void)fixtures

#define QM_NEED_SAMPLE(sample)                                                                         \
  if (fixtures->missing.count(sample))                                                                 \
  GTEST_SKIP() << sample << " is not in the cache of libarchive's samples: run tools/deps.sh, or set " \
                              "QM_LIBARCHIVE_TESTS to a folder of libarchive/test/*.uu"
