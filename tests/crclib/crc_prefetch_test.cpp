// The second thread's CRCs, handed over in batches: every file taken in turn
// gets its own CRCs and stamp, whatever the batch size; a file taken out of
// turn drops those before it; one never offered is left to the caller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/files.h"
#include "crclib/crc_prefetch.h"
#include "tests/crclib/crc_samples.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::reg::test {
namespace {

using crc::CrcSet;

class CrcPrefetchTest : public ::testing::Test {
protected:
  // Files of distinct sizes and bytes, so that a report handed to the wrong
  // file shows.
  std::vector<std::string> files(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      const auto bytes = crc::test::randomBytes(static_cast<std::size_t>(10 + i), static_cast<unsigned>(i));
      paths.push_back(temp.file(std::to_string(i) + ".bin"));
      EXPECT_TRUE(qm::test::writeFile(paths.back(), std::string(bytes.begin(), bytes.end())));
    }
    return paths;
  }
  static std::string expected(const std::string& path) {
    return crc::test::texts(crc::fileCrc(path, {}, CrcSet::Both).crc);
  }
  qm::test::TempFolder temp;
};

TEST_F(CrcPrefetchTest, EveryFileInTurnGetsItsOwnReport) {
  // Fewer than a batch, batches and a rest, more than the window ahead.
  for (const int count : {1, 7, 8, 9, 33, 100}) {
    SCOPED_TRACE(count);
    const std::vector<std::string> paths = files(count);
    CrcPrefetch prefetch({}, CrcSet::Both);
    prefetch.offer(paths);
    for (const std::string& path : paths) {
      const auto report = prefetch.take(path);
      // The first may be taken before the second thread reached it: then the
      // caller computes it.
      if (!report) continue;
      EXPECT_EQ(crc::test::texts(report->crc), expected(path)) << path;
      EXPECT_EQ(report->stamp->size, platform::fileStamp(path)->size) << path;
    }
  }
}

TEST_F(CrcPrefetchTest, OutOfTurnAndUnofferedFiles) {
  const std::vector<std::string> paths = files(20);
  CrcPrefetch prefetch({}, CrcSet::Both);
  prefetch.offer({paths.begin(), paths.begin() + 12});
  const auto fifth = prefetch.take(paths[4]);
  if (fifth) {
    EXPECT_EQ(crc::test::texts(fifth->crc), expected(paths[4]));
  }
  EXPECT_FALSE(prefetch.take(paths[2]).has_value());  // dropped with those before the fifth
  EXPECT_FALSE(prefetch.take(paths[15]).has_value());  // never offered: the queue is used up
  prefetch.offer({paths.begin() + 12, paths.end()});
  const auto last = prefetch.take(paths[19]);
  if (last) {
    EXPECT_EQ(crc::test::texts(last->crc), expected(paths[19]));
  }
}

}  // namespace
}  // namespace qm::reg::test
