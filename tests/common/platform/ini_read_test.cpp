// What a lookup returns, as Wine's GetPrivateProfileStringA and
// GetPrivateProfileIntA answer it for the same file.
#include <optional>
#include <string>
#include <vector>

#include "tests/common/platform/ini_fixture.h"
#include "tests/common/platform/sjis_samples.h"

namespace qm::test {
namespace {

using std::nullopt;

struct LookupCase {
  const char* what;
  std::string file;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

class IniReadTest : public IniTest {
protected:
  void expect(const std::vector<LookupCase>& cases) {
    for (const LookupCase& c : cases) {
      SCOPED_TRACE(c.what);
      EXPECT_EQ(fileWith(c.file).find(c.section, c.key), c.expected);
    }
  }
};

TEST_F(IniReadTest, NamesMatchTrimmedAndIgnoringAsciiCase) {
  expect({
      {"ASCII case ignored", "[Sec]\r\nKey=Value\r\n", "sEC", "kEY", "Value"},
      {"absent key", "[Sec]\r\nKey=Value\r\n", "Sec", "Other", nullopt},
      {"absent section", "[Sec]\r\nKey=Value\r\n", "Other", "Key", nullopt},
      {"names in the file trimmed", "[ B c ]\r\n f g = h i \r\n", "B c", "f g", "h i"},
      {"names asked for trimmed", "[B]\r\nf=1\r\n", " B\t", "  f  ", "1"},
      {"indented header", "  [F]  \r\nv=5\r\n", "F", "v", "5"},
      {"first of repeated keys", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "1"},
      {"only the first of repeated sections", "[A]\r\nx=1\r\n[a]\r\nq=8\r\n", "a", "q", nullopt},
      {"lines before any header", "a=1\r\n[A]\r\n", "", "a", "1"},
      {"empty key name", "[S]\r\n=5\r\n", "S", "", "5"},
      {"a comment is a key like any", "[S]\r\n;c=1\r\n", "S", ";c", "1"},
  });
}

TEST_F(IniReadTest, LineStructure) {
  expect({
      {"value keeps later equals signs", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
      {"a line without = has no value", "[S]\r\nplain\r\n", "S", "plain", nullopt},
      {"empty value is present", "[S]\r\nk=\r\n", "S", "k", ""},
      {"blank value is present", "[S]\r\nk=  \r\n", "S", "k", ""},
      {"header without ] is an ordinary line", "[S]\r\n[D\r\nz=3\r\n", "S", "z", "3"},
      {"text after ] ignored", "[E] tail\r\nw=4\r\n", "E", "w", "4"},
      {"the last ] closes the header", "[x]y]\r\np=1\r\n", "x]y", "p", "1"},
      {"LF and lone CR end lines", "[S]\ra=1\nb=2\r\n", "S", "b", "2"},
      {"last line without line break", "[S]\r\nk=v", "S", "k", "v"},
  });
}

TEST_F(IniReadTest, ValuesTrimmedOfBlanksOnly) {
  using namespace sjis;
  expect({
      {"spaces and tabs", "[S]\r\nk=\t x \t\r\n", "S", "k", "x"},
      {"vertical tab and form feed", "[S]\r\nk=\x0bx\x0c\r\n", "S", "k", "x"},
      {"^Z", "[S]\r\nk=\x1a" "5\x1a\r\n", "S", "k", "5"},
      {"inner blanks kept", "[S]\r\nk=a  b\r\n", "S", "k", "a  b"},
      {"full-width spaces kept", "[S]\r\nk=" + kWideSpace + "x" + kWideSpace + "\r\n", "S", "k",
       kWideSpace + "x" + kWideSpace},
  });
}

TEST_F(IniReadTest, OnePairOfMatchingQuotesRemoved) {
  expect({
      {"double", "[S]\r\nk=\"abc\"\r\n", "S", "k", "abc"},
      {"single", "[S]\r\nk='abc'\r\n", "S", "k", "abc"},
      {"mixed kept", "[S]\r\nk=\"abc'\r\n", "S", "k", "\"abc'"},
      {"lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"empty quotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
      {"blanks inside kept", "[S]\r\nk=\" abc \"\r\n", "S", "k", " abc "},
      {"blanks outside trimmed first", "[S]\r\nk=  'abc'  \r\n", "S", "k", "abc"},
      {"inner quote kept", "[S]\r\nk=\"a\"b\"\r\n", "S", "k", "a\"b"},
      {"only one pair", "[S]\r\nk=\"\"abc\"\"\r\n", "S", "k", "\"abc\""},
      {"opening only", "[S]\r\nk=\"abc\r\n", "S", "k", "\"abc"},
      {"closing only", "[S]\r\nk=abc\"\r\n", "S", "k", "abc\""},
      {"not at the start", "[S]\r\nk=x\"y\"\r\n", "S", "k", "x\"y\""},
  });
}

TEST_F(IniReadTest, ShiftJisBytesKeptAndNeverTakenForAscii) {
  using namespace sjis;
  expect({
      {"0x5C trail bytes", "[" + kSoft + "]\r\n" + kHyouji + "=" + kSoft + "\r\n", kSoft, kHyouji, kSoft},
      {"[ trail bytes", "[S]\r\n" + kKii + "=" + kChouon + "[\r\n", "S", kKii, kChouon + "["},
      {"] trail byte in a header", "[" + kZoon + "]\r\nk=1\r\n", kZoon, "k", "1"},
      {"] trail byte after a header", "[E]" + kZoon + "\r\nk=1\r\n", "E", "k", "1"},
      {"double-byte letters not folded", "[" + kWideSmallA + "]\r\nk=1\r\n", kWideA, "k", nullopt},
      {"trail bytes in the letter range not folded", "[" + kA + "]\r\nk=1\r\n", kDi, "k", nullopt},
      {"control byte that absence is told by", "[S]\r\nk=\x01\r\n", "S", "k", "\x01"},
  });
}

TEST_F(IniReadTest, GetStringFallsBackOnlyWhenAbsent) {
  platform::IniFile ini = fileWith("[S]\r\nempty=\r\nplain\r\n");
  EXPECT_EQ(ini.getString("S", "empty", "fb"), "");
  EXPECT_EQ(ini.getString("S", "plain", "fb"), "fb");
  EXPECT_EQ(ini.getString("S", "absent", "  fb  "), "  fb  ");
  EXPECT_EQ(ini.getString("S", "absent"), "");
}

struct IntCase {
  std::string value;
  int expected;
};

TEST_F(IniReadTest, GetIntReadsLikeGetPrivateProfileIntA) {
  const std::vector<IntCase> cases = {
      {"12", 12}, {"-5", -5}, {"+7", 7}, {"12abc", 12}, {"1 2", 1}, {"abc", 0},
      {"- 5", 0}, {"+-3", 0}, {"--3", 0}, {"010", 10}, {"\"12\"", 12}, {"\"  12\"", 12},
      {"0x10", 16}, {"0x1f", 31}, {"-0x10", -16}, {"0X10", 0}, {"0x", 0}, {"0b101", 5},
      {"0b102", 2}, {"0o17", 15}, {"0o9", 0}, {sjis::kWideDigits, 0},
      {"2147483647", 2147483647}, {"2147483648", -2147483647 - 1}, {"4294967295", -1},
      {"4294967296", 0}, {"-2147483649", 2147483647}, {"99999999999", 1215752191},
      {"0x1FFFFFFFF", -1},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(fileWith("[S]\r\nk=" + c.value + "\r\n").getInt("S", "k", 99), c.expected);
  }
}

TEST_F(IniReadTest, GetIntFallsBackWhenAbsentOrEmpty) {
  platform::IniFile ini = fileWith("[S]\r\nempty=\r\nquotes=\"\"\r\nblank=  \r\nplain\r\n");
  EXPECT_EQ(ini.getInt("S", "empty", -3), -3);
  EXPECT_EQ(ini.getInt("S", "quotes", -3), -3);
  EXPECT_EQ(ini.getInt("S", "blank", -3), -3);
  EXPECT_EQ(ini.getInt("S", "plain", -3), -3);
  EXPECT_EQ(ini.getInt("S", "absent", -3), -3);
  EXPECT_EQ(ini.getInt("Absent", "empty", -3), -3);
}

TEST_F(IniReadTest, KeysListValuedNonCommentKeysInFileOrder) {
  using V = std::vector<std::string>;
  EXPECT_EQ(fileWith("[S]\r\nb=1\r\na=2\r\nB=3\r\n").keys("s"), (V{"b", "a", "B"}));
  EXPECT_EQ(fileWith("[S]\r\n;x=1\r\n  ;y=2\r\n#z=3\r\nw;=4\r\n=5\r\nplain\r\nk=\r\n").keys("S"),
            (V{"#z", "w;", "", "k"}));
  EXPECT_EQ(fileWith("[A]\r\nk=1\r\nk=2\r\n[B]\r\n[A]\r\nj=3\r\n").keys("A"), (V{"k", "k"}));
  EXPECT_EQ(fileWith("top=1\r\n[A]\r\nk=1\r\n").keys(""), (V{"top"}));
  EXPECT_EQ(fileWith("[A]\r\n[B]\r\nk=1\r\n").keys("A"), V{});
  EXPECT_EQ(fileWith("[A]\r\nk=1\r\n").keys("B"), V{});
}

TEST_F(IniReadTest, SectionsListNamedHeadersInFileOrder) {
  using V = std::vector<std::string>;
  const std::string file = "a=1\r\n[A]\r\n[ B c ]\r\n[]\r\nu=6\r\n[a]\r\n[" + sjis::kSoft + "]\r\n";
  EXPECT_EQ(fileWith(file).sections(), (V{"A", "B c", "a", sjis::kSoft}));
  EXPECT_EQ(fileWith("").sections(), V{});
  EXPECT_EQ(fileWith("k=1\r\n").sections(), V{});
}

}  // namespace
}  // namespace qm::test
