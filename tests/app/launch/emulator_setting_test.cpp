#include <gtest/gtest.h>

#include <functional>

#include "app/launch/emulator_setting.h"
#include "app/launch/setting_name.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "tests/app/launch/launch_fixture.h"

namespace qm::launch::test {
namespace {

TEST(IsValidSettingName, RefusesWhatCannotBeAFileName) {
  const std::pair<std::string, bool> cases[] = {
      {"X1 turbo", true},    {sj("エミュ表"), true}, {"", false},       {"a\\b", false},  {"a/b", false},
      {"a:b", false},        {"a<b", false},         {"a>b", false},    {"a?b", false},   {"a|b", false},
      {"a*b", false},        {"a\"b", false},        {"a\rb", false},   {"a\nb", false},  {"a\tb", false},
      {"a.b", false},        {"aux", false},         {"Clock$", false}, {"COM1", false},  {"com9", false},
      {"COM0", true},        {"COM10", true},        {"con", false},    {"CONFIG$", false}, {"LPT5", false},
      {"nul", false},        {"PRN", false},         {"PRN1", true},
  };
  for (const auto& [name, valid] : cases) EXPECT_EQ(isValidSettingName(name, false), valid) << name;
  EXPECT_TRUE(isValidSettingName("common.inc", true));
  EXPECT_FALSE(isSafeFileName(".."));
  EXPECT_FALSE(isSafeFileName("..\\..\\Windows"));
  EXPECT_TRUE(isSafeFileName("MSX2+"));
}

using EmulatorSettingTest = LaunchTest;

TEST_F(EmulatorSettingTest, DefaultsLongValuesAndBadDelays) {
  const std::string path = makeFile("s.ini", "");
  const platform::IniFile ini(path);
  EmulatorSetting empty = readEmulatorSetting(path);
  EXPECT_EQ(empty.backupAndRestore, 1);
  EXPECT_EQ(empty.checkType, 0);
  EXPECT_EQ(empty.exec, "");
  ini.writeString("Emulator", "Exec", std::string(259, 'e'));
  ini.writeString("Emulator", "Option", std::string(1041, 'o'));
  ini.writeString("ImageFile", "ExtractPath", std::string(258, 'p') + sj("表"));
  ini.writeString("TerminationDetective", "TTSrch_ChekInterval", "-5");
  ini.writeString("StartCommand", "wait1", "-5");
  ini.writeString("StartCommand", "wait2", "99999999");
  ini.writeString("StartCommand", "opt1", "\"\"a b\"\" -x");
  const EmulatorSetting s = readEmulatorSetting(path);
  EXPECT_EQ(s.exec.size(), 259u);
  EXPECT_EQ(s.option.size(), 1041u) << "read whole, never as empty text";
  EXPECT_EQ(s.extractPath, std::string(258, 'p') + sj("表"));
  EXPECT_EQ(s.titleIntervalSeconds, 0);
  EXPECT_EQ(s.startPrograms[0].waitSeconds, 0);
  EXPECT_EQ(s.startPrograms[1].waitSeconds, kMaxDelaySeconds);
  EXPECT_EQ(s.startPrograms[0].arguments, "\"a b\" -x");
}

TEST_F(EmulatorSettingTest, WriteThenReadKeepsEveryKey) {
  EmulatorSetting s;
  s.extract = 2;
  s.extractPath = "C:\\tmp";
  s.extractAllDelete = 1;
  s.exec = "..\\emu\\x.exe";
  s.option = "-a \"$image1\"";
  s.doubleQuote = 1;
  s.fileNameReplace = 2;
  s.checkType = 1;
  s.titleIntervalSeconds = 3;
  s.titleCheckText = 1;
  s.titleText = std::string(300, 't');
  s.startPrograms[1] = {"pre.exe", "-q \"x\"", 2};
  s.endPrograms[0] = {"post.exe", "", 4};
  s.enableTwoImagesOver = 1;
  s.backupAndRestore = 0;
  for (int i = 0; i < kClipKeyCount; ++i) s.clip[i] = i * 10;
  const std::string path = writeSetting("PC88", "A", s);
  EXPECT_EQ(platform::IniFile(path).getString("StartCommand", "opt2"), "-q \"\"x\"\"");
  EXPECT_EQ(platform::IniFile(path).getString("TerminateCommand", "opt1"), "");
  const EmulatorSetting r = readEmulatorSetting(path);
  EXPECT_EQ(r.titleText, std::string(254, 't'));
  s.titleText = r.titleText;
  EXPECT_EQ(r.extract, 2);
  EXPECT_EQ(r.option, s.option);
  EXPECT_EQ(r.startPrograms[1].arguments, "-q \"x\"");
  EXPECT_EQ(r.startPrograms[1].waitSeconds, 2);
  EXPECT_EQ(r.endPrograms[0].command, "post.exe");
  EXPECT_EQ(r.backupAndRestore, 0);
  EXPECT_EQ(r.clip, s.clip);
  EXPECT_EQ(r.checkType, 1);
  EXPECT_EQ(r.titleIntervalSeconds, 3);
}

// Reading strips one pair of enclosing quotes: a text that begins and ends
// with one is stored inside one more pair and comes back as it was.
TEST_F(EmulatorSettingTest, TextsEnclosedInQuotesComeBackWhole) {
  const std::string texts[] = {"\"$image1\" \"$image2\"", "\"x\"", "'a' 'b'", "\"", "a\"", "\"\"", "-a \"b\""};
  for (const std::string& text : texts) {
    EmulatorSetting s;
    s.option = text;
    s.exec = text;
    s.startPrograms[0] = {text, text, 0};
    const EmulatorSetting r = readEmulatorSetting(writeSetting("PC88", "Q", s));
    EXPECT_EQ(r.option, text);
    EXPECT_EQ(r.exec, text);
    EXPECT_EQ(r.startPrograms[0].command, text);
    EXPECT_EQ(r.startPrograms[0].arguments, text);
  }
  const std::string stored = platform::IniFile(settingFile(root(), "PC88", "Q")).getString("Emulator", "Option");
  EXPECT_EQ(stored, "-a \"b\"") << "a text not enclosed is stored as it is";
}

TEST_F(EmulatorSettingTest, FilesOfOlderVersionsReadAsTheyStand) {
  const std::string path = makeFile("emuconf/PC88/old.ini",
                                    "[Emulator]\r\nOption=\"$image1\" \"$image2\"\r\nExec=\"C:\\emu\\x.exe\"\r\n"
                                    "[StartCommand]\r\nopt1=\"\"a\"\" \"\"b\"\"\r\n");
  const EmulatorSetting r = readEmulatorSetting(path);
  EXPECT_EQ(r.option, "$image1\" \"$image2");
  EXPECT_EQ(r.exec, "C:\\emu\\x.exe");
  EXPECT_EQ(r.startPrograms[0].arguments, "\"a\" \"b\"") << "the outer quotes were doubled ones";
}

// Each text at the longest its read keeps, then one byte more; argument
// texts count their quotes doubled, as they are stored.
TEST_F(EmulatorSettingTest, TooLongTextsAreNamedWithTheirLimit) {
  struct LengthCase {
    const char* key;
    std::size_t maxBytes;
    std::function<void(EmulatorSetting&, std::size_t)> fill;
  };
  const LengthCase cases[] = {
      {"[Emulator] Option", 1040, [](EmulatorSetting& s, std::size_t n) { s.option.assign(n, 'o'); }},
      {"[Emulator] Exec", 259, [](EmulatorSetting& s, std::size_t n) { s.exec.assign(n, 'e'); }},
      {"[ImageFile] ExtractPath", 259, [](EmulatorSetting& s, std::size_t n) { s.extractPath.assign(n, 'p'); }},
      {"[StartCommand] cmd2", 519,
       [](EmulatorSetting& s, std::size_t n) { s.startPrograms[1].command.assign(n, 'c'); }},
      {"[TerminateCommand] opt1", 519,
       [](EmulatorSetting& s, std::size_t n) {
         s.endPrograms[0].arguments = std::string(n % 2, 'a') + std::string(n / 2, '"');
       }},
  };
  for (const LengthCase& c : cases) {
    EmulatorSetting s;
    c.fill(s, c.maxBytes);
    EXPECT_FALSE(tooLongValue(s)) << c.key;
    c.fill(s, c.maxBytes + 1);
    const auto tooLong = tooLongValue(s);
    ASSERT_TRUE(tooLong) << c.key;
    EXPECT_EQ(tooLong->key, c.key);
    EXPECT_EQ(tooLong->maxBytes, c.maxBytes);
  }
  EmulatorSetting title;
  title.titleText.assign(400, 't');
  EXPECT_FALSE(tooLongValue(title)) << "the title text is cut instead";
  EXPECT_EQ(tooLongMessage({"[Emulator] Exec", 259}), sj("[Emulator] Exec の値が長すぎます。259 バイトまでにしてください。"));
}

TEST_F(EmulatorSettingTest, SettingFilePathNamesOnlyFilesInsideTheTree) {
  const std::string folder = machineFolder(root(), "PC88");
  EXPECT_EQ(settingFilePath(root(), "PC88", ""), folder) << "no defaults file: the folder, which is no setting";
  EXPECT_EQ(settingFilePath(root(), "PC88", "A"), platform::joinPath(folder, "A.ini"));
  ASSERT_TRUE(setDefaultSetting(root(), "PC88", "B"));
  EXPECT_EQ(settingFilePath(root(), "PC88", ""), platform::joinPath(folder, "B.ini"));
  EXPECT_EQ(defaultSettingName(root(), "PC88"), "B");
  EXPECT_EQ(platform::IniFile(machineDefaultsFile(root(), "PC88")).getString("DefaultEmulator", "KEYFile"), "B.txt");
  platform::IniFile(machineDefaultsFile(root(), "PC88")).writeString("DefaultEmulator", "INIFile", "..\\..\\x.ini");
  EXPECT_FALSE(settingFilePath(root(), "PC88", ""));
  EXPECT_FALSE(settingFilePath(root(), "..", "A"));
  EXPECT_FALSE(settingFilePath(root(), "PC88", "..\\A"));
  EXPECT_FALSE(setDefaultSetting(root(), "a/b", "A"));
}

TEST_F(EmulatorSettingTest, CompanionsAndTheListOfSettings) {
  const std::string a = writeSetting("MSX", "A", {});
  writeSetting("MSX", "B", {});
  makeFolder("emuconf/MSX/folder.ini");
  EXPECT_EQ(companionPath(a, Companion::KeyScript), platform::joinPath(machineFolder(root(), "MSX"), "A.txt"));
  EXPECT_EQ(readCompanion(a, Companion::KeyScript), "");
  ASSERT_TRUE(writeCompanion(a, Companion::RewriteScript, std::string("x\0y", 3)));
  EXPECT_EQ(readCompanion(a, Companion::RewriteScript), std::string("x\0y", 3));
  ASSERT_TRUE(writeCompanion(a, Companion::RewriteScript, ""));
  EXPECT_FALSE(platform::fileExists(companionPath(a, Companion::RewriteScript)));
  std::vector<std::string> names = listSettings(root(), "MSX");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(listSettings(root(), "none").empty());
}

}  // namespace
}  // namespace qm::launch::test
