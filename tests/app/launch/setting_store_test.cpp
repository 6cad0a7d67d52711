#include <gtest/gtest.h>

#include <functional>

#include "app/launch/setting_store.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "tests/app/launch/launch_fixture.h"

namespace qm::launch::test {
namespace {

class SettingStoreTest : public LaunchTest {
protected:
  SettingPlace place() const { return {root(), dbPath()}; }
  SettingForm form(const std::string& name) const {
    SettingForm f;
    f.machine = "PC88";
    f.name = name;
    return f;
  }
  std::string assignment(const std::string& key) {
    return cell("SELECT emuset_name FROM use_emuset_table WHERE pfile_ue='" + key + "';");
  }
  void addImages() {
    run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
        "('a', 'a', '', 'PC88', 'a'), ('b', 'b', '', 'PC88', 'b'), ('c', 'c', '', 'PC88', 'c'), "
        "('d', 'd', '', 'MSX', 'd');"
        "INSERT INTO use_emuset_table VALUES ('a', 'A'), ('b', 'A'), ('c', 'A'), ('d', 'A');");
  }
};

TEST_F(SettingStoreTest, RefusalsWriteNothingAndSayWhy) {
  struct Refusal {
    const char* message;
    std::function<void(SettingForm&)> change;
  };
  const Refusal refusals[] = {
      {"圧縮ファイルの解凍先フォルダを指定してください。", [](SettingForm& f) { f.setting.extract = 1; }},
      {"設定名の入力は必須です。", [](SettingForm& f) { f.name = ""; }},
      {"設定名に使用できない文字が含まれているか、使用できない文字列です。", [](SettingForm& f) { f.name = "a.b"; }},
      {"設定名に使用できない文字が含まれているか、使用できない文字列です。", [](SettingForm& f) { f.machine = ".."; }},
      {"同時起動アプリケーションのエミュ起動遅延(秒)は半角数値で入力してください。",
       [](SettingForm& f) { f.endWaits[1] = "-5"; }},
      {"エミュレータ終了検知の検索間隔(秒)は半角数値で入力してください。", [](SettingForm& f) { f.interval = "3s"; }},
      {"エミュレータ終了検知の文字列が指定されていません。",
       [](SettingForm& f) {
         f.setting.checkType = 1;
         f.setting.titleCheckText = 1;
       }},
      {"[Emulator] Option の値が長すぎます。1040 バイトまでにしてください。",
       [](SettingForm& f) { f.setting.option.assign(1041, 'o'); }},
      {"[StartCommand] opt1 の値が長すぎます。519 バイトまでにしてください。",
       [](SettingForm& f) { f.setting.startPrograms[0].arguments.assign(260, '"'); }},
  };
  for (const Refusal& refusal : refusals) {
    sink.clear();
    SettingForm f = form("A");
    refusal.change(f);
    EXPECT_FALSE(saveSetting(place(), f, sink).saved) << refusal.message;
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0].text, sj(refusal.message));
    EXPECT_EQ(sink.messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(platform::fileExists(emuconfFolder(root())));
  }
}

TEST_F(SettingStoreTest, SaveWritesDelaysScriptsAndAsksBeforeOverwriting) {
  SettingForm f = form("A");
  f.startWaits = {"3", ""};
  f.interval = "2";
  f.keyScript = "{ENTER}";
  ASSERT_TRUE(saveSetting(place(), f, sink).saved);
  const std::string path = settingFile(root(), "PC88", "A");
  EXPECT_EQ(platform::IniFile(path).getString("StartCommand", "wait1"), "3");
  EXPECT_EQ(platform::IniFile(path).getString("StartCommand", "wait2"), "0");
  EXPECT_EQ(readCompanion(path, Companion::KeyScript), "{ENTER}");
  f.originalMachine = "PC88";
  f.originalName = "A";
  f.keyScript = "";
  ASSERT_TRUE(saveSetting(place(), f, sink).saved);
  EXPECT_TRUE(sink.messages().empty()) << "saving the same setting asks nothing";
  EXPECT_FALSE(platform::fileExists(companionPath(path, Companion::KeyScript)));
  sink.setAnswer(platform::MessageAnswer::No);
  EXPECT_FALSE(saveSetting(place(), form("A"), sink).saved);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, sj("指定された機種に、同じ設定名が存在します。上書きしますか？"));
}

TEST_F(SettingStoreTest, RenamingTheDefaultTakesTheDefaultAndTheAssignmentsAlong) {
  addImages();
  ASSERT_TRUE(saveSetting(place(), form("A"), sink).saved);
  ASSERT_TRUE(toggleDefaultSetting(place(), "PC88", "A"));
  SettingForm f = form("B");
  f.originalMachine = "PC88";
  f.originalName = "A";
  const SaveResult result = saveSetting(place(), f, sink);
  EXPECT_TRUE(result.saved);
  EXPECT_TRUE(result.listChanged);
  EXPECT_EQ(defaultSettingName(root(), "PC88"), "B");
  for (const char* key : {"a", "b", "c"}) EXPECT_EQ(assignment(key), "B") << key;
  EXPECT_EQ(assignment("d"), "A") << "another machine's setting of the same name";
  EXPECT_TRUE(platform::fileExists(settingFile(root(), "PC88", "A"))) << "the old files stay";
}

TEST_F(SettingStoreTest, MovingToAnotherMachineLeavesTheAssignmentsOnTheFilesThatStay) {
  addImages();
  ASSERT_TRUE(saveSetting(place(), form("A"), sink).saved);
  SettingForm f = form("A");
  f.machine = "PC98";
  f.originalMachine = "PC88";
  f.originalName = "A";
  EXPECT_TRUE(saveSetting(place(), f, sink).saved);
  EXPECT_TRUE(platform::fileExists(settingFile(root(), "PC98", "A")));
  EXPECT_TRUE(platform::fileExists(settingFile(root(), "PC88", "A")));
  EXPECT_EQ(assignment("a"), "A");
}

TEST_F(SettingStoreTest, CopiesTakeTheFirstFreeNumberAndSayWhenNoneIsLeft) {
  writeSetting("PC88", "A", {});
  writeCompanion(settingFile(root(), "PC88", "A"), Companion::KeyScript, "k");
  EXPECT_EQ(copySetting(place(), "PC88", "A", sink), sj("Aのコピー"));
  EXPECT_EQ(readCompanion(settingFile(root(), "PC88", sj("Aのコピー")), Companion::KeyScript), "k");
  EXPECT_EQ(copySetting(place(), "PC88", "A", sink), sj("Aのコピー(1)"));
  EXPECT_EQ(copySetting(place(), "PC88", "A", sink), sj("Aのコピー(2)"));
  for (int n = 3; n <= 98; ++n) makeFile(sj("emuconf/PC88/Aのコピー(") + std::to_string(n) + ").ini", "");
  EXPECT_TRUE(sink.messages().empty());
  EXPECT_EQ(copySetting(place(), "PC88", "A", sink), "");
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_FALSE(platform::fileExists(settingFile(root(), "PC88", sj("Aのコピー(99)"))));
}

TEST_F(SettingStoreTest, DeleteRemovesFilesDefaultAndAssignmentsOfItsMachine) {
  addImages();
  const std::string path = writeSetting("PC88", "A", {});
  writeCompanion(path, Companion::KeyScript, "k");
  writeCompanion(path, Companion::RewriteScript, "r");
  setDefaultSetting(root(), "PC88", "a");
  const DeleteResult result = deleteSetting(place(), "PC88", "A", sink);
  EXPECT_TRUE(result.deleted);
  EXPECT_TRUE(result.listChanged);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, sj("Aを削除します。よろしいですか？"));
  for (const std::string& file : {path, companionPath(path, Companion::KeyScript),
                                  companionPath(path, Companion::RewriteScript), machineDefaultsFile(root(), "PC88")})
    EXPECT_FALSE(platform::fileExists(file)) << file;
  EXPECT_EQ(assignment("a"), "<none>");
  EXPECT_EQ(assignment("d"), "A");
}

TEST_F(SettingStoreTest, TogglingTheDefaultTwiceLeavesNoDefaultsFile) {
  EXPECT_TRUE(toggleDefaultSetting(place(), "PC88", "A"));
  EXPECT_TRUE(platform::fileExists(machineDefaultsFile(root(), "PC88")));
  EXPECT_FALSE(toggleDefaultSetting(place(), "PC88", "A"));
  EXPECT_FALSE(platform::fileExists(machineDefaultsFile(root(), "PC88")));
}

}  // namespace
}  // namespace qm::launch::test
