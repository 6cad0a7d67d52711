// The exports' behaviour without the C boundary: texts and message boxes.
#include <gtest/gtest.h>

#include "crclib/crc_calls.h"
#include "crclib/file_source.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::crc::test {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;

TEST(CrcCallsTest, FailedOpenShowsOneBoxPerCallWithTheSystemText) {
  qm::test::TempFolder temp;
  const std::string missing = temp.file("missing.bin");
  qm::test::RecordingSink sink;
  EXPECT_EQ(fileCrcText(missing, CrcKind::Crc32, {}, nullptr, sink), "00000000");
  EXPECT_EQ(fileCrcText(missing, CrcKind::Crc16, {}, nullptr, sink), "FFFF");
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.captions(), (std::vector<std::string>{"CRC32 calc error", "CRC16 calc error"}));
  for (const auto& message : sink.messages()) {
    EXPECT_EQ(message.text, openFileSource(missing).error);
    EXPECT_EQ(message.icon, MessageIcon::None);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
  }
}

TEST(CrcCallsTest, EmptyFileAndEmptyWindowAreSilent) {
  qm::test::TempFolder temp;
  const std::string empty = temp.file("empty.bin"), nine = temp.file("nine.bin");
  ASSERT_TRUE(qm::test::writeFile(empty, ""));
  ASSERT_TRUE(qm::test::writeFile(nine, "123456789"));
  qm::test::RecordingSink sink;
  EXPECT_EQ(fileCrcText(empty, CrcKind::Crc32, {}, nullptr, sink), "00000000");
  EXPECT_EQ(fileCrcText(empty, CrcKind::Crc16, {}, nullptr, sink), "FFFF");
  EXPECT_EQ(fileCrcText(nine, CrcKind::Crc32, {9, 0}, nullptr, sink), "00000000");
  EXPECT_EQ(fileCrcText(nine, CrcKind::Crc16, {10, 1}, nullptr, sink), "FFFF");
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
}  // namespace qm::crc::test
