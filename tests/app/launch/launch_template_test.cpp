#include <gtest/gtest.h>

#include "app/launch/launch_plan.h"
#include "app/launch/launch_template.h"
#include "app/launch/path_parts.h"

namespace qm::launch {
namespace {

// Images named by number, so a wrong entry shows which one it took.
TemplateValues setOf(int n, int boot = 1) {
  TemplateValues values;
  if (n < 0) return values;
  values.images.push_back("C:\\roms\\disk" + std::to_string(boot) + ".d88");
  for (int k = 1; k <= n; ++k) values.images.push_back("C:\\roms\\disk" + std::to_string(k) + ".d88");
  return values;
}

struct Case {
  const char* text;
  int n;
  int boot;
  const char* expected;
};

TEST(ExpandLaunchTemplate, NumbersPickEntriesOfTheImageList) {
  const Case cases[] = {
      {"-fd0 $image1 -fd1 $image2", 3, 1, "-fd0 C:\\roms\\disk1.d88 -fd1 C:\\roms\\disk2.d88"},
      {"-fd0 $image1 -fd1 $image2", 3, 3, "-fd0 C:\\roms\\disk3.d88 -fd1 C:\\roms\\disk2.d88"},
      {"$image", 3, 3, "C:\\roms\\disk3.d88"},
      {"$image0", 3, 3, "C:\\roms\\disk1.d88"},
      {"$image05", 3, 3, "C:\\roms\\disk1.d885"},
      {"$image12", 12, 1, "C:\\roms\\disk12.d88"},
      {"$image12", 5, 1, ""},
      {"$image99|$image100", 3, 1, "|0"},
      {"$IMAGE|$Image2", 2, 1, "C:\\roms\\disk1.d88|C:\\roms\\disk2.d88"},
      {"$path2 $body2 $body_noext2", 2, 1, "C:\\roms\\ disk2.d88 disk2"},
      {"$body_noext $body", 1, 1, "disk1 disk1.d88"},
      {"$image1 $path $body", -1, 0, "  "},
      {"$price $ $imagex", 1, 1, "$price $ C:\\roms\\disk1.d88x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(expandLaunchTemplate(c.text, setOf(c.n, c.boot)), c.expected) << c.text << " n=" << c.n;
  }
}

TEST(ExpandLaunchTemplate, QuotedEntriesKeepQuotesOnlyForTheWholeImage) {
  TemplateValues values;
  values.images = {"\"C:\\roms\\a b.d88\"", "\"C:\\roms\\a b.d88\""};
  EXPECT_EQ(expandLaunchTemplate("$image1|$path1|$body1|$body_noext1", values),
            "\"C:\\roms\\a b.d88\"|C:\\roms\\|a b.d88|a b");
  values.stripQuotes = true;
  EXPECT_EQ(expandLaunchTemplate("$image1", values), "C:\\roms\\a b.d88");
}

TEST(ExpandLaunchTemplate, ItemValuesAreExpandedOnceAndCannotAddArguments) {
  TemplateValues values = setOf(1);
  values.item.fileName = "C:\\roms\\pc88\\abc.d88";
  values.item.machineName = "PC88";
  values.item.title = "Say \"$image\" $maker";
  values.item.maker = "Maker";
  values.item.developer = "Dev";
  values.item.crc32 = "0123ABCD";
  values.item.fileTitle = "abc";
  EXPECT_EQ(expandLaunchTemplate("-t \"$title\" $machine $maker $developer $crc32 $file_body $pfolder", values),
            "-t \"Say $image $maker\" PC88 Maker Dev 0123ABCD abc pc88");
  values.item.fileName = "C:\\abc.d88";
  EXPECT_EQ(expandLaunchTemplate("[$pfolder]", values), "[]");
}

// The C runtime reads 2n backslashes before a quote as n and a delimiter:
// a value ending in backslashes before a quote gets them doubled.
TEST(ExpandLaunchTemplate, BackslashesBeforeAQuoteAreDoubledOnACommandLine) {
  struct BackslashCase {
    const char* title;
    const char* text;
    const char* expected;
    std::vector<std::string> arguments;
  };
  const std::string hyo = "\x95\x5c";  // 表 in Shift-JIS: its trail byte is no backslash
  const BackslashCase cases[] = {
      {"Bad\\", "-t \"$title\" -x", "-t \"Bad\\\\\" -x", {"-t", "Bad\\", "-x"}},
      {"Bad\\\\", "\"$title\" -x", "\"Bad\\\\\\\\\" -x", {"Bad\\\\", "-x"}},
      {"a\\b", "\"$title\"", "\"a\\b\"", {"a\\b"}},
      {"Bad\\", "$title -x", "Bad\\ -x", {"Bad\\", "-x"}},
      {"Bad\\", "\"$title!\"", "\"Bad\\!\"", {"Bad\\!"}},
      {"", "\"$title\"", "\"\"", {""}},
  };
  TemplateValues values = setOf(1);
  values.commandLine = true;
  for (const BackslashCase& c : cases) {
    values.item.title = c.title;
    const std::string line = expandLaunchTemplate(c.text, values);
    EXPECT_EQ(line, c.expected) << c.title;
    EXPECT_EQ(splitCommandLine(line), c.arguments) << line;
  }
  values.item.title = hyo;
  EXPECT_EQ(expandLaunchTemplate("\"$title\"", values), "\"" + hyo + "\"");
  values.images = {"C:\\roms\\a.d88", "C:\\roms\\a.d88"};
  EXPECT_EQ(expandLaunchTemplate("\"$path1\" \"$path\"", values), "\"C:\\roms\\\\\" \"C:\\roms\\\\\"");
  values.commandLine = false;
  values.item.title = "Bad\\";
  EXPECT_EQ(expandLaunchTemplate("\"$title\"", values), "\"Bad\\\"") << "not a command line: as it is";
}

TEST(ExpandLaunchTemplate, FoldersAndThePathsOnlyMode) {
  TemplateValues values = setOf(1);
  values.databasePath = "C:\\apps\\launcher\\Quillmoor.db";
  values.programFolder = "C:\\apps\\launcher";
  values.emulatorPath = "..\\..\\emu\\x.exe";
  values.item.title.assign(1, 'T');  // GCC 12 (mingw) warns falsely on assigning a one-letter literal here
  EXPECT_EQ(expandLaunchTemplate("$qlm_path|$emu_path|$image1|$title", values),
            "C:\\apps\\launcher\\|C:\\emu\\|C:\\roms\\disk1.d88|T");
  values.pathsOnly = true;
  EXPECT_EQ(expandLaunchTemplate("$qlm_path|$EMU_PATH|$image1|$title", values),
            "C:\\apps\\launcher\\|C:\\emu\\|$image1|$title");
}

TEST(PathPart, EveryPieceOfAPath) {
  struct PieceCase {
    const char* path;
    const char* pieces[5];
  };
  const PieceCase cases[] = {
      {"C:\\roms\\pc88\\abc.d88", {"abc.d88", "abc", "d88", "C:\\roms\\pc88\\", "pc88"}},
      {"C:\\abc.d88", {"abc.d88", "abc", "d88", "C:\\", ""}},
      {"\"C:\\a b\\x.y.z\"", {"x.y.z", "x.y", "z", "C:\\a b\\", "a b"}},
      {"C:\\roms\\name.", {"name.", "name.", "", "C:\\roms\\", "roms"}},
      {"C:\\roms\\a.b.", {"a.b.", "a.b", "", "C:\\roms\\", "roms"}},
      {"plain", {"plain", "plain", "", "plain", "plain"}},
      {"/home/u/x.rom", {"x.rom", "x", "rom", "/home/u/", "u"}},
  };
  for (const PieceCase& c : cases)
    for (int piece = 0; piece < 5; ++piece)
      EXPECT_EQ(pathPart(c.path, static_cast<PathPiece>(piece)), c.pieces[piece]) << c.path << " mode " << piece;
  // The second byte of 表 is 0x5C: never a separator.
  const std::string table = "C:\\\x95\x5C\\\x95\x5C.d88";
  EXPECT_EQ(pathPart(table, PathPiece::LastFolderName), "\x95\x5C");
  EXPECT_EQ(pathPart(table, PathPiece::FileName), "\x95\x5C.d88");
}

TEST(ResolveProgramPath, ClimbsFromTheProgramFolderAndNeverTheCurrentOne) {
  const char* folder = "C:\\apps\\launcher";
  const std::pair<const char*, const char*> cases[] = {
      {"..\\..\\emu\\x.exe", "C:\\emu\\x.exe"},
      {"..\\a\\..\\b.exe", "C:\\apps\\a\\b.exe"},
      {"..\\..\\..\\..\\x.exe", "C:\\x.exe"},
      {"D:\\emu\\x.exe", "D:\\emu\\x.exe"},
      {"\\\\server\\emu\\..\\x.exe", "\\\\server\\emu\\..\\x.exe"},
      {"emu\\x.exe", "C:\\apps\\launcher\\emu\\x.exe"},
      {"", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(resolveProgramPath(folder, path), expected) << path;
  EXPECT_EQ(resolveProgramPath("/opt/q", "../emu/x"), "/opt/emu/x");
}

}  // namespace
}  // namespace qm::launch

namespace qm::launch {
namespace {

TEST(SplitCommandLine, WindowsRulesForQuotesAndBackslashes) {
  using Args = std::vector<std::string>;
  const std::pair<const char*, Args> cases[] = {
      {"", {}},
      {"  a  b\tc ", {"a", "b", "c"}},
      {"-t \"A q\" \"C:\\roms\\a b.d88\"", {"-t", "A q", "C:\\roms\\a b.d88"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"a\\\\\\\"b", {"a\\\"b"}},
      {"\"C:\\roms\\\\\" next", {"C:\\roms\\", "next"}},
      {"\"C:\\roms\\\" next", {"C:\\roms\" next"}},
      {"x\"y z\"w", {"xy zw"}},
      {"\"\"", {""}},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(splitCommandLine(line), expected) << line;
}

}  // namespace
}  // namespace qm::launch
