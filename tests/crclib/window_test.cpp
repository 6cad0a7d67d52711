#include <gtest/gtest.h>

#include "crclib/crc_window.h"

namespace qm::crc::test {
namespace {

TEST(CrcWindowTest, CutAtTheEndAndNothingBeyondIt) {
  struct Case {
    std::uint64_t size, offset, length;
    std::optional<std::uint64_t> start, count;
  };
  constexpr std::uint64_t k4G = std::uint64_t{1} << 32;
  const Case cases[] = {
      {40, 16, 0, 16, 24},
      {40, 16, 8, 16, 8},
      {40, 16, 100, 16, 24},
      {40, 0, 0, 0, 40},
      {40, 0, 40, 0, 40},
      {40, 39, 0, 39, 1},
      {40, 40, 0, {}, {}},  // an empty window
      {40, 40, 5, {}, {}},
      {40, 41, 0, {}, {}},
      {0, 0, 0, {}, {}},
      // offset + length past 2^32 does not wrap around to a small window
      {100, 10, 0xFFFFFFFF, 10, 90},
      {k4G + 100, k4G, 0, k4G, 100},
      {k4G + 100, 10, 0, 10, k4G + 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << " offset " << c.offset << " length " << c.length);
    const auto range = resolveWindow(c.size, {c.offset, c.length});
    ASSERT_EQ(range.has_value(), c.start.has_value());
    if (!range) continue;
    EXPECT_EQ(range->start, *c.start);
    EXPECT_EQ(range->count, *c.count);
  }
}

}  // namespace
}  // namespace qm::crc::test
