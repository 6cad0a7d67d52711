// The exact bytes a write leaves, as Wine's WritePrivateProfileStringA leaves
// them. Wine rewrites the whole file whenever something changes, so a write
// also normalises the lines it did not touch.
#include <optional>
#include <string>
#include <vector>

#include "tests/common/platform/ini_fixture.h"
#include "tests/common/platform/sjis_samples.h"

namespace qm::test {
namespace {

using std::nullopt;

enum class Op { Write, DeleteKey, DeleteSection };

struct Step {
  Op op;
  std::string section, key, value;
};

Step write(std::string section, std::string key, std::string value) {
  return {Op::Write, std::move(section), std::move(key), std::move(value)};
}
Step eraseKey(std::string section, std::string key) { return {Op::DeleteKey, std::move(section), std::move(key), {}}; }
Step eraseSection(std::string section) { return {Op::DeleteSection, std::move(section), {}, {}}; }

bool apply(const platform::IniFile& ini, const Step& step) {
  switch (step.op) {
    case Op::Write: return ini.writeString(step.section, step.key, step.value);
    case Op::DeleteKey: return ini.deleteKey(step.section, step.key);
    case Op::DeleteSection: return ini.deleteSection(step.section);
  }
  return false;
}

struct WriteCase {
  const char* what;
  std::optional<std::string> before;  // nothing: no file yet
  std::vector<Step> steps;
  std::string after;
};

class IniWriteTest : public IniTest {
protected:
  void expect(const std::vector<WriteCase>& cases) {
    for (const WriteCase& c : cases) {
      SCOPED_TRACE(c.what);
      const std::string path = freshPath();
      if (c.before) writeBytes(path, *c.before);
      const platform::IniFile ini(path);
      for (const Step& step : c.steps) EXPECT_TRUE(apply(ini, step));
      EXPECT_EQ(readBytes(path), c.after);
    }
  }
};

TEST_F(IniWriteTest, CreatesAndAppends) {
  expect({
      {"first write creates the file", nullopt, {write("S", "Key", "Val")}, "[S]\r\nKey=Val\r\n"},
      {"empty file", "", {write("S", "k", "v")}, "[S]\r\nk=v\r\n"},
      {"blank lines only", "\r\n\r\n", {write("S", "k", "v")}, "[S]\r\nk=v\r\n"},
      {"new key at the end of its section", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", {write("S", "c", "3")},
       "[S]\r\na=1\r\nc=3\r\n[T]\r\nb=2\r\n"},
      {"new section at the end, no blank line", "[S]\r\na=1\r\n", {write("T", "b", "2")},
       "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
      {"sections built up in order", nullopt,
       {write("S", "Key", "Val"), write("S", "Key2", "Val2"), write("Sec2", "A", "B")},
       "[S]\r\nKey=Val\r\nKey2=Val2\r\n[Sec2]\r\nA=B\r\n"},
      {"new key after a trailing comment", "[S]\r\nk=1\r\n;note\r\n", {write("S", "new", "z")},
       "[S]\r\nk=1\r\n;note\r\nnew=z\r\n"},
      {"nameless section is the top of the file", "[S]\r\nk=v\r\n", {write("", "top", "1")},
       "top=1\r\n[S]\r\nk=v\r\n"},
      {"first of repeated sections", "[A]\r\nx=1\r\n[a]\r\nx=7\r\n", {write("a", "q", "9")},
       "[A]\r\nx=1\r\nq=9\r\n[a]\r\nx=7\r\n"},
      {"empty value", nullopt, {write("S", "j", "")}, "[S]\r\nj=\r\n"},
      {"quotes written as given", nullopt, {write("S", "k", "\"q\"")}, "[S]\r\nk=\"q\"\r\n"},
      {"leading blanks dropped, trailing kept", nullopt, {write("  S  ", "  k  ", "  v  ")},
       "[S  ]\r\nk  =v  \r\n"},
  });
}

TEST_F(IniWriteTest, ReplacesInPlace) {
  expect({
      {"original key spelling kept", "[Sec]\r\nKey=Old\r\nNext=1\r\n", {write("sec", "KEY", "New")},
       "[Sec]\r\nKey=New\r\nNext=1\r\n"},
      {"first of repeated keys", "[S]\r\nk=1\r\nk=2\r\n", {write("S", "k", "3")}, "[S]\r\nk=3\r\nk=2\r\n"},
      {"a line without = gets a value", "[S]\r\nplain\r\n;note\r\n", {write("S", "plain", "x")},
       "[S]\r\nplain=x\r\n;note\r\n"},
      {"values compare with case", "[S]\r\nk=v\r\n", {write("S", "k", "V")}, "[S]\r\nk=V\r\n"},
      {"value with equals signs", "k0=v0\r\n", {write("S", "k", "v"), write("S", "k", "a=b")},
       "k0=v0\r\n[S]\r\nk=a=b\r\n"},
  });
}

TEST_F(IniWriteTest, RewritesTheWholeFileNormalised) {
  expect({
      {"blank lines dropped, names and values trimmed, comments kept",
       "; top\r\n\r\n[S]  \r\n  Key  =  Value  \r\nplain line\r\n; c=1\r\n\r\n\r\n[T]\r\nx=1\r\n",
       {write("T", "y", "2")},
       "; top\r\n[S]\r\nKey=Value\r\nplain line\r\n; c=1\r\n[T]\r\nx=1\r\ny=2\r\n"},
      {"LF becomes CRLF", "[A]\na=1\n\n[B]\nb=2\n", {write("A", "c", "3")},
       "[A]\r\na=1\r\nc=3\r\n[B]\r\nb=2\r\n"},
      {"missing final line break added", "[A]\na=1", {write("A", "c", "3")}, "[A]\r\na=1\r\nc=3\r\n"},
      {"text after ] dropped", "[E] tail\r\nw=4\r\n", {write("E", "v", "5")}, "[E]\r\nw=4\r\nv=5\r\n"},
      {"an empty header is lost, its keys join the section before",
       "[A]\r\na=1\r\n[]\r\nu=6\r\n", {write("A", "b", "2")}, "[A]\r\na=1\r\nb=2\r\nu=6\r\n"},
  });
}

TEST_F(IniWriteTest, LeavesTheFileAloneWhenNothingChanges) {
  const std::string untidy = "[S]\r\n\r\nk =  v  \r\n\r\n";
  expect({
      {"same value", untidy, {write("s", "K", "v")}, untidy},
      {"same value after leading blanks", untidy, {write("S", "k", "  v")}, untidy},
      {"same quoted value", "[S]\r\n\r\nk = \"v\" \r\n", {write("S", "k", "\"v\"")}, "[S]\r\n\r\nk = \"v\" \r\n"},
      {"absent key deleted", untidy, {eraseKey("S", "absent"), eraseKey("T", "k")}, untidy},
      {"absent section deleted", untidy, {eraseSection("T")}, untidy},
  });
}

TEST_F(IniWriteTest, Deletes) {
  expect({
      {"a key", "[S]\r\nk=1\r\nj=2\r\n", {eraseKey("s", "K")}, "[S]\r\nj=2\r\n"},
      {"the first of repeated keys", "[A]\r\nk=1\r\nk=2\r\n", {eraseKey("A", "k")}, "[A]\r\nk=2\r\n"},
      {"a line without =", "[S]\r\nplain\r\n;note\r\nk=v\r\n", {eraseKey("S", "plain"), eraseKey("S", ";note")},
       "[S]\r\nk=v\r\n"},
      {"a section with its lines", "[A]\r\na=1\r\n;c\r\n[B]\r\nb=2\r\n", {eraseSection("a")}, "[B]\r\nb=2\r\n"},
      {"the first of repeated sections", "[A]\r\nk=1\r\n[B]\r\n[A]\r\nk=3\r\n", {eraseSection("A")},
       "[B]\r\n[A]\r\nk=3\r\n"},
      {"the last section leaves an empty file", "[S]\r\nk=1\r\n", {eraseSection("S")}, ""},
  });
}

TEST_F(IniWriteTest, ShiftJisKeptByteForByte) {
  using namespace sjis;
  const std::string before = "[" + kSoft + "]\r\n" + kHyouji + "=" + kSoft + "\r\n[" + kZoon + "]\r\nk=1\r\n";
  expect({
      {"new key and value with 0x5C trail bytes", before, {write(kSoft, kKii, kHyouji + "\\")},
       "[" + kSoft + "]\r\n" + kHyouji + "=" + kSoft + "\r\n" + kKii + "=" + kHyouji + "\\\r\n[" + kZoon +
           "]\r\nk=1\r\n"},
      {"value replaced under a header with a ] trail byte", before, {write(kZoon, "k", kChouon + "[")},
       "[" + kSoft + "]\r\n" + kHyouji + "=" + kSoft + "\r\n[" + kZoon + "]\r\nk=" + kChouon + "[\r\n"},
      {"new section", nullopt, {write(kKii, kSoft, kSoft)}, "[" + kKii + "]\r\n" + kSoft + "=" + kSoft + "\r\n"},
  });
}

TEST_F(IniWriteTest, WriteIntWritesDecimal) {
  const platform::IniFile ini(freshPath());
  EXPECT_TRUE(ini.writeInt("S", "min", -2147483647 - 1));
  EXPECT_TRUE(ini.writeInt("S", "zero", 0));
  EXPECT_EQ(readBytes(ini.path()), "[S]\r\nmin=-2147483648\r\nzero=0\r\n");
  EXPECT_EQ(ini.getInt("S", "min", 1), -2147483647 - 1);
}

}  // namespace
}  // namespace qm::test
