// Every engine against the byte-wise reference and the catalogued check values.
#include <gtest/gtest.h>

#include <random>
#include <string_view>
#include <vector>

#include "crclib/crc_accumulator.h"
#include "crclib/crc_tables.h"
#include "tests/crclib/crc_samples.h"

namespace qm::crc::test {
namespace {

std::vector<const Engine*> engines() {
  std::vector<const Engine*> all{&bytewiseEngine(), &slicingEngine()};
  if (foldingEngine()) all.push_back(foldingEngine());
  return all;
}

TEST(CrcTablesTest, EntriesOfTheByteWiseTables) {
  EXPECT_EQ(kCrc32Tables[0][1], 0x77073096u);
  EXPECT_EQ(kCrc16Tables[0][1], 0x1189);
  EXPECT_EQ(kCrc16Tables[0][2], 0x2312);
  EXPECT_EQ(kCrc16Tables[0][3], 0x329B);
}

TEST(CrcEnginesTest, CheckValues) {
  struct Case {
    std::string_view data;
    const char* crc32;
    const char* crc16;
  };
  const Case cases[] = {{"123456789", "CBF43926", "6F91"}, {"abc", "352441C2", "61DA"}, {"", "00000000", "FFFF"}};
  for (const Engine* engine : engines()) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(engine->name) + " over \"" + std::string(c.data) + "\"");
      CrcAccumulator accumulator(CrcSet::Both, *engine);
      accumulator.update(c.data.data(), c.data.size());
      EXPECT_EQ(crc32Text(accumulator.values().crc32), c.crc32);
      EXPECT_EQ(crc16Text(accumulator.values().crc16), c.crc16);
    }
  }
}

// Every length up to a few folding blocks at every alignment, some long ones,
// each from a register that is not the start value.
TEST(CrcEnginesTest, AgreeWithTheByteWiseEngine) {
  const std::vector<unsigned char> data = randomBytes((1 << 20) + 64, 7);
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 300; ++n) lengths.push_back(n);
  for (std::size_t n : {1023u, 4096u + 7u, 65536u + 13u, 1u << 20}) lengths.push_back(n);
  std::mt19937 random(11);
  const Engine& reference = bytewiseEngine();
  for (const Engine* engine : engines()) {
    for (std::size_t length : lengths) {
      for (std::size_t align = 0; align < (length > 4096 ? 3u : 16u); ++align) {
        const unsigned char* p = data.data() + align;
        const auto reg32 = static_cast<std::uint32_t>(random());
        const auto reg16 = static_cast<std::uint16_t>(random());
        ASSERT_EQ(engine->crc32(reg32, p, length), reference.crc32(reg32, p, length))
            << engine->name << " length " << length << " alignment " << align;
        ASSERT_EQ(engine->crc16(reg16, p, length), reference.crc16(reg16, p, length))
            << engine->name << " length " << length << " alignment " << align;
      }
    }
  }
}

TEST(CrcAccumulatorTest, PiecesGiveTheCrcOfTheWhole) {
  const std::vector<unsigned char> data = randomBytes(300000, 3);
  CrcAccumulator whole;
  whole.update(data.data(), data.size());
  CrcAccumulator pieces, crc32Only(CrcSet::Crc32), crc16Only(CrcSet::Crc16);
  std::mt19937 random(5);
  for (std::size_t at = 0; at < data.size();) {
    const std::size_t n = std::min<std::size_t>(random() % 70000, data.size() - at);
    for (CrcAccumulator* a : {&pieces, &crc32Only, &crc16Only}) a->update(data.data() + at, n);
    at += n;
  }
  EXPECT_EQ(pieces.values().crc32, whole.values().crc32);
  EXPECT_EQ(pieces.values().crc16, whole.values().crc16);
  // A CRC left out keeps its value over no data.
  EXPECT_EQ(crc16Text(crc32Only.values().crc16), "FFFF");
  EXPECT_EQ(crc32Only.values().crc32, whole.values().crc32);
  EXPECT_EQ(crc32Text(crc16Only.values().crc32), "00000000");
  EXPECT_EQ(crc16Only.values().crc16, whole.values().crc16);
}

TEST(CrcTextTest, UpperCaseWithLeadingZeros) {
  EXPECT_EQ(crc32Text(0x00ABCDEF), "00ABCDEF");
  EXPECT_EQ(crc32Text(0xFFFFFFFF), "FFFFFFFF");
  EXPECT_EQ(crc16Text(0x00E), "000E");
  EXPECT_EQ(crc16Text(0xBEEF), "BEEF");
}

}  // namespace
}  // namespace qm::crc::test
