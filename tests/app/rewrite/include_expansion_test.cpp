#include <gtest/gtest.h>

#include "app/launch/emulator_setting.h"
#include "app/rewrite/include_expansion.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::rewrite {
namespace {

using platform::MessageAnswer;

class IncludeTest : public ::testing::Test {
protected:
  void SetUp() override {
    platform::createFolder(launch::emuconfFolder(folder.path()));
    platform::createFolder(launch::machineFolder(folder.path(), "PC88"));
  }
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = platform::joinPath(launch::machineFolder(folder.path(), "PC88"), name);
    EXPECT_TRUE(qm::test::writeFile(path, bytes));
    return path;
  }
  std::string expand(const std::string& script, RewriteMode mode = RewriteMode::Test) {
    RewriteLog log(mode, sink);
    return expandIncludes(place(), script, log);
  }
  IncludePlace place() const { return {folder.path(), "PC88"}; }

  qm::test::TempFolder folder;
  qm::test::RecordingSink sink{MessageAnswer::Yes};
};

TEST_F(IncludeTest, NestedIncludesAreExpandedInPlaceAndEveryCopyOfTheLineReplaced) {
  write("outer.inc", "A\r\nINC:inner\r\n");
  write("inner.inc", "B\n");
  write("x.cfg", "C");
  EXPECT_EQ(expand("first\r\ninc: outer\n\nINC:x.cfg\nINC:outer\nlast"), "first\nA\nB\nC\nA\nB\nlast\n");
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(IncludeTest, AMissingIncludeIsReportedInATestAndSkippedSilentlyInALaunch) {
  write("empty.inc", "");
  EXPECT_EQ(expand("INC:gone\nINC:empty\nA"), "INC:gone\nINC:empty\nA\n");
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.messages()[0].text,
            platform::joinPath(launch::machineFolder(folder.path(), "PC88"), "gone.inc") +
                text::sjis("がインクルードできませんでした。スキップされます。\n\nテストを続行しますか？"));
  EXPECT_EQ(sink.messages()[0].caption, "inc:");
  sink.clear();
  expand("INC:gone\nA", RewriteMode::Launch);
  EXPECT_TRUE(sink.messages().empty());
  sink.setAnswer(MessageAnswer::No);
  RewriteLog log(RewriteMode::Test, sink);
  expandIncludes(place(), "INC:gone\nINC:empty\n", log);
  EXPECT_TRUE(log.stopped());
  EXPECT_EQ(sink.messages().size(), 1u);
}

TEST_F(IncludeTest, ASelfIncludeStopsAfter101IncludesWithTheWarning) {
  write("loop.inc", "X\nINC:loop\n");
  const std::string text = expand("INC:loop", RewriteMode::Launch);
  EXPECT_EQ(std::count(text.begin(), text.end(), 'X'), 101);
  ASSERT_EQ(sink.captions(), std::vector<std::string>{"警告"});
  EXPECT_EQ(sink.messages()[0].text,
            text::sjis("インクルードが100回を超えました。\nインクルード指定が多すぎるか、永久ループの可能性があります。\n"
                       "インクルード処理を停止して続行します。"));
}

TEST_F(IncludeTest, AFileIncludingItselfTwiceIsCappedLongBeforeItDoublesToTheLimit) {
  write("twice.inc", "INC:twice\nINC:twice\nREG-REWRITE=0123456789\n");
  const std::string text = expand("INC:twice", RewriteMode::Launch);
  EXPECT_LE(text.size(), kMaxExpandedBytes);
  EXPECT_EQ(sink.captions(), std::vector<std::string>{"警告"});
}

TEST_F(IncludeTest, DeviceNamesAreNeverOpened) {
  for (const char* name : {"con.inc", "CON", "nul.x.inc", "lpt1", "Com9.inc", "aux .inc", "C:\\x\\prn.inc",
                           "\\\\.\\pipe\\p", "\\\\?\\C:\\a.inc", "conin$"})
    EXPECT_EQ(includePath(place(), name), "") << name;
  const std::string folder = launch::machineFolder(place().root, "PC88");
  EXPECT_EQ(includePath(place(), "console"), platform::joinPath(folder, "console.inc"));
  EXPECT_EQ(includePath(place(), "com10.inc"), platform::joinPath(folder, "com10.inc"));
  EXPECT_EQ(includePath(place(), "D:\\shared\\a.inc"), "D:\\shared\\a.inc");
  expand("INC:con.inc");
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text.rfind("con.inc", 0), 0u);
}

}  // namespace
}  // namespace qm::rewrite
