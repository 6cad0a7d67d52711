// Names that Windows would refuse or change as a folder name, byte by byte.
#include <gtest/gtest.h>

#include "app/masters/folder_name.h"

namespace qm::master {
namespace {

struct NameCase {
  std::string name;  // Shift-JIS bytes
  bool valid;
};

TEST(FolderNameTest, RefusesWhatWindowsRefusesOrChanges) {
  const NameCase cases[] = {
      {"X1", true},
      {"\x83\x5C\x83\x74\x83\x67", true},  // ソフト: trail byte "\"
      {"\x95\x5C\x8E\xA6", true},          // 表示: trail byte "\"
      {"\x83\x7C", true},                  // ポ: trail byte "|"
      {"\x82\x60\x81\x40", true},          // Ａ and a full-width blank last
      {" lead", true},
      {"a.b", true},
      {"CONSOLE", true},
      {"COM0", true},
      {"LPT10", true},
      {"", false},
      {"a\\b", false}, {"a/b", false}, {"a:b", false}, {"a*b", false}, {"a?b", false},
      {"a\"b", false}, {"a<b", false}, {"a>b", false}, {"a|b", false},
      {"tab\there", false},
      {std::string("nul\0byte", 8), false},
      {"\x1F", false},
      {"name.", false}, {"name ", false}, {".", false}, {"..", false},
      {"\x83\x5C.", false},                // ソ then a trailing dot
      {"CON", false}, {"con", false}, {"Prn", false}, {"AUX", false}, {"NUL", false},
      {"COM1", false}, {"com9", false}, {"LPT1", false}, {"LPT9", false},
      {"CON.ini", false}, {"nul.x.y", false}, {"AUX .txt", false},
  };
  for (const NameCase& c : cases) EXPECT_EQ(isFolderName(c.name), c.valid) << '"' << c.name << '"';
}

}  // namespace
}  // namespace qm::master
