#include <gtest/gtest.h>

#include "app/rewrite/rewrite_script.h"

namespace qm::rewrite {
namespace {

TEST(RewriteScript, RecognisesDirectivesInAnyCaseAndRefusesMalformedOnes) {
  struct Case {
    const char* line;
    LineKind kind;
    const char* value;
  };
  const Case cases[] = {
      {"INI-OPENFILE=C:\\emu\\a.ini", LineKind::IniOpenFile, "C:\\emu\\a.ini"},
      {"  ini-setsection = Screen  ", LineKind::IniSetSection, "Screen"},
      {"Ini-SetKey=a=b", LineKind::IniSetKey, "a=b"},
      {"INI-REWRITE=", LineKind::IniRewrite, ""},
      {"INI-REWRITE = 1 2 ", LineKind::IniRewrite, "1 2"},
      {"reg-openkey=HKEY_CURRENT_USER\\Software", LineKind::RegOpenKey, "HKEY_CURRENT_USER\\Software"},
      {"REG-SETVALUENAME=", LineKind::RegSetValueName, ""},
      {"REG-REWRITE=|a|b", LineKind::RegRewrite, "|a|b"},
      {"inc: common ", LineKind::Include, "common"},
      {"; a note", LineKind::Comment, ""},
      {"", LineKind::Comment, ""},
      {"INI-SET=1", LineKind::Comment, ""},
      {"INI-SETKEY width", LineKind::Malformed, ""},
      {"INI-REWRITE", LineKind::Malformed, ""},
      {"INI-REWRITEX=1", LineKind::Malformed, ""},
      {"INI-OPENFILE=", LineKind::Malformed, ""},
      {"REG-OPENKEY = ", LineKind::Malformed, ""},
      {"INC:", LineKind::Malformed, ""},
  };
  for (const Case& c : cases) {
    const ScriptLine line = parseLine(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.line;
    EXPECT_EQ(line.value, c.value) << c.line;
  }
}

TEST(RewriteScript, NormalisingDropsCarriageReturnsAndEmptyLines) {
  EXPECT_EQ(normalizeScript("\r\n\na\r\n\r\n\nb\n"), "a\nb\n");
  const auto lines = scriptLines("a\nb\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "b");
}

}  // namespace
}  // namespace qm::rewrite
