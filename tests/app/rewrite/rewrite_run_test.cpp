#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "app/rewrite/fake_registry.h"
#include "app/rewrite/rewrite_run.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::rewrite {
namespace {

using namespace std::string_literals;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using qm::test::readFile;
using qm::test::sameBytes;
using text::sjis;

void makeReadOnly(const std::string& path) {
#ifdef _WIN32
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
  chmod(text::sjisToUtf8(path).c_str(), 0444);
#endif
}

constexpr const char* kUser = "HKEY_CURRENT_USER";
constexpr const char* kSubkey = "Software\\Emu";
// Blank lines, blanks around "=" and a comment: a write through the profile
// functions would change them all, so only a restore from the backup gives
// these bytes back.
const std::string kOriginal = "; emulator\r\n[Screen]\r\nwidth = 640\r\n\r\nheight=400\r\n[Sound]\r\nvol=3\r\n";

class RewriteRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    ini = folder.file("emu.ini");
    ASSERT_TRUE(qm::test::writeFile(ini, kOriginal));
    registry->set(kUser, kSubkey, "Speed", {kRegDword, "\x04\0\0\0"s});
    registry->set(kUser, kSubkey, "Big", {kRegQword, "\x01\0\0\0\0\0\0\0"s});
    registry->set(kUser, kSubkey, "Disks", {kRegMultiSz, "x\0\0"s});
    registry->set(kUser, kSubkey, "Name", {kRegSz, "old\0"s});
    setup.place = {folder.path(), "PC88"};
    setup.values.databasePath = folder.file("Quillmoor.db");
    setup.values.programFolder = folder.path();
    setup.values.item.title = "Kiri";
    setup.registry = registry;
  }
  // The script's INI lines name emu.ini through the library's folder.
  static std::string iniLines(const std::string& section, const std::string& key, const std::string& value) {
    return "INI-OPENFILE=$qlm_pathemu.ini\nINI-SETSECTION=" + section + "\nINI-SETKEY=" + key + "\nINI-REWRITE=" +
           value + "\n";
  }
  static std::string regLines(const std::string& name, const std::string& data) {
    return "REG-OPENKEY=HKEY_CURRENT_USER\\Software\\Emu\nREG-SETVALUENAME=" + name + "\nREG-REWRITE=" + data + "\n";
  }
  std::vector<RewriteReport> launch(const std::string& script, RewriteJournal& journal) {
    RewriteLog log(RewriteMode::Launch, sink);
    runRewriteScript(setup, script, log, &journal);
    return log.reports();
  }
  std::vector<RewriteReport> test(const std::string& script) {
    RewriteLog log(RewriteMode::Test, sink);
    runRewriteScript(setup, script, log, nullptr);
    return log.reports();
  }
  std::string iniValue(const std::string& section, const std::string& key) {
    return platform::IniFile(ini).find(section, key).value_or("<absent>");
  }
  RegistryValue value(const std::string& name) {
    return registry->get(kUser, kSubkey, name).value_or(RegistryValue{kRegNone, "<absent>"});
  }

  qm::test::TempFolder folder;
  qm::test::RecordingSink sink{MessageAnswer::Yes};
  std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
  RewriteSetup setup;
  std::string ini;
};

TEST_F(RewriteRunTest, TwoKeysOfOneFileShareOneBackupAndComeBackByteForByte) {
  {
    RewriteJournal journal(registry);
    launch(iniLines("screen", "WIDTH", "$title wide") + "INI-SETKEY=height\nINI-REWRITE=\"480\"", journal);
    EXPECT_EQ(iniValue("Screen", "width"), "Kiri wide");
    EXPECT_EQ(iniValue("Screen", "height"), "480");
    EXPECT_TRUE(sameBytes(readFile(ini + kIniBackupSuffix), kOriginal));
    EXPECT_EQ(journal.iniFiles(), std::vector<std::string>{ini});
    journal.restore();
    EXPECT_TRUE(sameBytes(readFile(ini), kOriginal));
    EXPECT_FALSE(platform::fileExists(ini + kIniBackupSuffix));
    ASSERT_TRUE(qm::test::writeFile(ini, "changed after the restore"));
  }
  EXPECT_TRUE(sameBytes(readFile(ini), "changed after the restore"));  // a second restore has nothing left
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RewriteRunTest, MissingSectionsKeysAndFilesAreNeverCreated) {
  RewriteJournal journal(registry);
  const auto reports = launch(iniLines("Screen", "depth", "8") + iniLines("Nothing", "width", "1") +
                                  "INI-OPENFILE=$qlm_pathgone.ini\nINI-REWRITE=1\n",
                              journal);
  EXPECT_TRUE(sameBytes(readFile(ini), kOriginal));
  EXPECT_FALSE(platform::fileExists(ini + kIniBackupSuffix));
  EXPECT_FALSE(platform::fileExists(folder.file("gone.ini")));
  EXPECT_EQ(reports.size(), 3u);
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RewriteRunTest, ABackupLeftByAnEarlierLaunchIsKeptAndPutBack) {
  const std::string oldest = "[Screen]\r\nwidth=320\r\n";
  ASSERT_TRUE(qm::test::writeFile(ini + kIniBackupSuffix, oldest));
  RewriteJournal journal(registry);
  launch(iniLines("Screen", "width", "1024"), journal);
  EXPECT_TRUE(sameBytes(readFile(ini + kIniBackupSuffix), oldest));
  journal.restore();
  EXPECT_TRUE(sameBytes(readFile(ini), oldest));
}

TEST_F(RewriteRunTest, LineBreaksInAValueCannotAddKeys) {
  setup.values.item.title = "a\r\nevil=1\nb";
  RewriteJournal journal(registry);
  launch(iniLines("Screen", "width", "$title"), journal);
  EXPECT_EQ(iniValue("Screen", "width"), "a  evil=1 b");
  EXPECT_EQ(iniValue("Screen", "evil"), "<absent>");
}

TEST_F(RewriteRunTest, WithoutBackupTheChangeStaysAndNothingIsRestored) {
  setup.backup = false;
  RewriteJournal journal(registry);
  launch(iniLines("Sound", "vol", "9") + regLines("Speed", "7"), journal);
  journal.restore();
  EXPECT_EQ(iniValue("Sound", "vol"), "9");
  EXPECT_FALSE(platform::fileExists(ini + kIniBackupSuffix));
  EXPECT_EQ(value("Speed").bytes, "\x07\0\0\0"s);
  EXPECT_EQ(registry->names(kUser, kSubkey).size(), 4u);
}

TEST_F(RewriteRunTest, RegistryValuesAreBackedUpBesideThemselvesAndRestored) {
  RewriteJournal journal(registry);
  launch(regLines("Speed", "300") + "REG-SETVALUENAME=Big\nREG-REWRITE=9007199254740993\n" +
             "REG-SETVALUENAME=disks\nREG-REWRITE=|$title|b\nREG-SETVALUENAME=Name\nREG-REWRITE=$title\n",
         journal);
  EXPECT_EQ(value("Speed").bytes, "\x2c\x01\0\0"s);
  EXPECT_EQ(value("Big").bytes, "\x01\0\0\0\0\0\x20\0"s);  // 2^53 + 1: all 64 bits kept
  EXPECT_EQ(value("Disks").bytes, "Kiri\0b\0\0"s);
  EXPECT_EQ(value("Name").bytes, "Kiri\0"s);
  EXPECT_EQ(value("Speed"s + kRegistryBackupSuffix).bytes, "\x04\0\0\0"s);
  EXPECT_EQ(value("Big"s + kRegistryBackupSuffix).type, kRegQword);
  EXPECT_EQ(registry->names(kUser, kSubkey).size(), 8u);
  journal.restore();
  EXPECT_EQ(value("Speed").bytes, "\x04\0\0\0"s);
  EXPECT_EQ(value("Big").bytes, "\x01\0\0\0\0\0\0\0"s);
  EXPECT_EQ(value("Disks").bytes, "x\0\0"s);
  EXPECT_EQ(registry->names(kUser, kSubkey).size(), 4u);
}

TEST_F(RewriteRunTest, RegistryLinesThatCannotBeCarriedOutChangeNothing) {
  RewriteJournal journal(registry);
  const auto reports = launch(regLines("Missing", "1") + regLines("Speed", "fast") +
                                  "REG-OPENKEY=hkey_current_user\\Software\\Emu\nREG-SETVALUENAME=Speed\nREG-REWRITE=1\n" +
                                  "REG-OPENKEY=HKEY_CURRENT_USER\\Software\\None\nREG-REWRITE=1\n",
                              journal);
  EXPECT_EQ(reports.size(), 4u);
  EXPECT_EQ(value("Speed").bytes, "\x04\0\0\0"s);
  EXPECT_EQ(registry->names(kUser, kSubkey).size(), 4u);
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RewriteRunTest, ATestReportsEachLineWithItsTextsAndChangesNothing) {
  setup.values.pathsOnly = true;  // as the settings dialog tests: no item
  const auto reports = test(iniLines("Screen", "width", "$title") + regLines("Speed", "5") + "INI-SETKEY oops\n");
  ASSERT_EQ(sink.messages().size(), 3u);
  EXPECT_EQ(sink.messages()[0].text, "SUCCESS: \"[Screen]:width\" = $title\n in \"" + ini + "\"\n" +
                                         sjis("設定ファイルにセクションとキーが正しく見つかりました。\n"
                                              "このキーを書き換えてからエミュレータが起動します。"));
  EXPECT_EQ(sink.messages()[0].caption, "ini-ReWrite");
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Information);
  EXPECT_EQ(sink.messages()[1].text,
            "SUCCESS: Speed = 5\n in [HKEY_CURRENT_USER\\Software\\Emu]\n" +
                sjis("レジストリのキーと値名が正しく見つかりました。\nこのキーを書き換えてからエミュレータが起動します。"));
  EXPECT_EQ(sink.messages()[2].caption, "rew-Syntax");
  EXPECT_EQ(sink.messages()[2].buttons, MessageButtons::YesNo);
  EXPECT_EQ(reports[1].change.before, "4");
  EXPECT_EQ(reports[1].change.after, "5");
  EXPECT_TRUE(sameBytes(readFile(ini), kOriginal));
  EXPECT_FALSE(platform::fileExists(ini + kIniBackupSuffix));
  EXPECT_EQ(registry->names(kUser, kSubkey).size(), 4u);  // the test value deleted again
}

TEST_F(RewriteRunTest, TestFaultsHaveTheirTextsAndNoStopsTheRun) {
  const std::string invalid = sjis("\nこのキーの書き換えは無効です。\n\nテストを続行しますか？");
  struct Case {
    std::string script;
    const char* caption;
    std::string text;
  };
  const std::string in = "\n in [HKEY_CURRENT_USER\\Software\\Emu]\n";
  const Case cases[] = {
      {"INI-OPENFILE=$qlm_pathgone.ini\nINI-SETSECTION=S\nINI-SETKEY=k\nINI-REWRITE=1", "ini-OpenFile",
       "ERROR: \"" + folder.file("gone.ini") + "\"\n (\"[S]:k\")\n" + sjis("設定ファイルが見つかりません。") + invalid},
      {iniLines("S", "k", "1"), "ini-ReWrite",
       "ERROR: \"[S]:k\"\n in \"" + ini + "\"\n" + sjis("セクション又はキーが見つかりません。") + invalid},
      {"REG-OPENKEY=hkcu\\x\nREG-REWRITE=1", "reg-OpenKey",
       "ERROR Key: hkcu\n in [hkcu\\x]\n" + sjis("主キーの指定に誤りがあります。") + invalid},
      {"REG-OPENKEY=HKEY_USERS\\none\nREG-REWRITE=1", "reg-OpenKey",
       "ERROR SubKey: none\n in [HKEY_USERS\\none]\n" + sjis("サブキーが見つかりません。又はアクセス許可がありません。") + invalid},
      {regLines("gone", "1"), "reg-ReWrite", "ERROR ValueName: gone" + in + sjis("値名が見つかりません。") + invalid},
      {regLines("Speed", "1x"), "reg-ReWrite",
       "ERROR Data: 1x" + in + "REG_DWORD" + sjis("のデータとして読めません。") + invalid},
  };
  sink.setAnswer(MessageAnswer::No);
  for (const Case& c : cases) {
    sink.clear();
    test(c.script + "\n" + c.script);
    ASSERT_EQ(sink.messages().size(), 1u) << c.script;  // No: the second copy is never reached
    EXPECT_EQ(sink.messages()[0].caption, c.caption);
    EXPECT_EQ(sink.messages()[0].text, c.text);
    EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Warning);
  }
}

TEST_F(RewriteRunTest, AReadOnlyFileIsReportedAndLeftAlone) {
  makeReadOnly(ini);
  auto reports = test(iniLines("Screen", "width", "1"));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].caption, "ini-ReWrite");
  EXPECT_EQ(reports[0].text, "ERROR: \"" + ini + "\"\n (\"[Screen]:width\"\n" +
                                 sjis("設定ファイルは書き込み禁止です。\nこのキーの書き換えは無効です。"));
  RewriteJournal journal(registry);
  launch(iniLines("Screen", "width", "1"), journal);
  EXPECT_FALSE(platform::fileExists(ini + kIniBackupSuffix));
  EXPECT_TRUE(platform::makeFileNormal(ini));
  EXPECT_TRUE(sameBytes(readFile(ini), kOriginal));
}

TEST_F(RewriteRunTest, ATestReportsARegistryValueItCannotWrite) {
  registry->refuseWrites(true);
  const auto reports = test(regLines("Speed", "1"));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, "ERROR ValueName?: Speed\n in [HKEY_CURRENT_USER\\Software\\Emu]\n" +
                                 sjis("値を書き換えできません。又はアクセス許可がありません。\nこのキーの書き換えは無効です。"));
}

}  // namespace
}  // namespace qm::rewrite
