// The file around the INI text: absence, failures, paths, and values too long
// for a first guess at a buffer.
#include <string>
#include <vector>

#include "common/platform/files.h"
#include "tests/common/platform/ini_fixture.h"
#include "tests/common/platform/sjis_samples.h"

namespace qm::test {
namespace {

using platform::IniFile;

TEST_F(IniTest, AbsentFileReadsAsEmpty) {
  const IniFile ini(freshPath());
  EXPECT_EQ(ini.find("S", "k"), std::nullopt);
  EXPECT_EQ(ini.getString("S", "k", "fb"), "fb");
  EXPECT_EQ(ini.getInt("S", "k", 7), 7);
  EXPECT_TRUE(ini.keys("S").empty());
  EXPECT_TRUE(ini.sections().empty());
}

TEST_F(IniTest, DeletingFromAnAbsentFileSucceedsAndCreatesNothing) {
  const IniFile ini(freshPath());
  EXPECT_TRUE(ini.deleteKey("S", "k"));
  EXPECT_TRUE(ini.deleteSection("S"));
  EXPECT_FALSE(platform::fileExists(ini.path()));
}

TEST_F(IniTest, WritesFailUnderAMissingFolderOrOnAFolder) {
  const std::vector<std::string> paths = {folder_.file("missing") + platform::kPathSeparator + "x.ini",
                                          folder_.path()};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const IniFile ini(path);
    EXPECT_FALSE(ini.writeString("S", "k", "v"));
    EXPECT_FALSE(ini.writeInt("S", "k", 1));
    EXPECT_FALSE(ini.deleteKey("S", "k"));
    EXPECT_FALSE(ini.deleteSection("S"));
    EXPECT_EQ(ini.getString("S", "k", "fb"), "fb");
  }
  EXPECT_FALSE(platform::fileExists(folder_.file("missing")));
}

TEST_F(IniTest, ShiftJisFileName) {
  const IniFile ini(folder_.file(sjis::kSoft + ".ini"));
  ASSERT_TRUE(ini.writeString("S", "k", "v"));
  EXPECT_EQ(readBytes(ini.path()), "[S]\r\nk=v\r\n");
  EXPECT_EQ(ini.getString("S", "k"), "v");
}

TEST_F(IniTest, WrittenValuesReadBackTrimmedAndUnquoted) {
  const IniFile ini(freshPath());
  ASSERT_TRUE(ini.writeString("S", "quoted", "\"q\""));
  ASSERT_TRUE(ini.writeString("S", "blanks", "  v  "));
  ASSERT_TRUE(ini.writeString("S", "path", "C:\\" + sjis::kSoft + "\\"));
  EXPECT_EQ(ini.getString("S", "quoted"), "q");
  EXPECT_EQ(ini.getString("S", "blanks"), "v");
  EXPECT_EQ(ini.getString("S", "path"), "C:\\" + sjis::kSoft + "\\");
}

// Buffers on Windows start small and grow; these are far beyond the start.
TEST_F(IniTest, LongValuesAndListsComeBackWhole) {
  const std::string longest = std::string(platform::kMaxIniValueBytes - 6, 'x') + sjis::kSoft;
  const IniFile ini(freshPath());
  ASSERT_TRUE(ini.writeString("S", "long", longest));
  const std::string inner = longest.substr(2);
  ASSERT_TRUE(ini.writeString("S", "quoted", std::string("'").append(inner).append("'")));
  EXPECT_TRUE(ini.getString("S", "long") == longest);
  EXPECT_TRUE(ini.getString("S", "quoted") == inner);

  const std::string huge(200000, 'h');
  EXPECT_TRUE(fileWith("[S]\r\nk=" + huge + "\r\n").getString("S", "k") == huge);

  std::string many;
  for (int i = 0; i < 400; ++i) many += "[section" + std::to_string(i) + "]\r\nkey" + std::to_string(i) + "=1\r\n";
  const IniFile big = fileWith("[S]\r\n" + many);
  EXPECT_EQ(big.sections().size(), 401u);
  EXPECT_EQ(big.sections().back(), "section399");
  EXPECT_EQ(big.keys("section399"), std::vector<std::string>{"key399"});
}

// Wine would store garbage for a longer value, or crash.
TEST_F(IniTest, ValuesBeyondTheLimitAreRefusedAndChangeNothing) {
  const IniFile ini = fileWith("[S]\r\nk=old\r\n");
  EXPECT_FALSE(ini.writeString("S", "k", std::string(platform::kMaxIniValueBytes + 1, 'x')));
  EXPECT_FALSE(ini.writeString("S", "new", std::string(100000, 'x')));
  EXPECT_EQ(readBytes(ini.path()), "[S]\r\nk=old\r\n");
}

// Lengths around the point where a buffer is two bytes short, where a cut
// list or a cut quoted value is easiest to mistake for a whole one.
TEST_F(IniTest, ValuesOfEveryLengthNearTheFirstBuffer) {
  const IniFile ini(freshPath());
  for (std::size_t length = 240; length < 270; ++length) {
    const std::string value(length, 'v');
    ASSERT_TRUE(ini.writeString("S", "plain", value));
    ASSERT_TRUE(ini.writeString("S", "quoted", "'" + value + "'"));
    ASSERT_TRUE(ini.writeString(value, "k", "1"));
    EXPECT_EQ(ini.getString("S", "plain"), value);
    EXPECT_EQ(ini.getString("S", "quoted"), value);
    EXPECT_EQ(ini.keys("S"), (std::vector<std::string>{"plain", "quoted"}));
    EXPECT_EQ(ini.sections().back(), value);
    ASSERT_TRUE(ini.deleteSection(value));
  }
}

}  // namespace
}  // namespace qm::test
