#include <gtest/gtest.h>

#include <functional>

#include "app/launch/launch_run.h"
#include "app/rewrite/fake_registry.h"
#include "app/rewrite/launch_rewrite.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "tests/app/launch/launch_fixture.h"
#include "tests/support/file_bytes.h"

namespace qm::launch::test {
namespace {

using namespace std::string_literals;
using qm::test::readFile;
using qm::test::sameBytes;
using rewrite::kIniBackupSuffix;
using rewrite::kRegistryBackupSuffix;

// Starts nothing; runs `whileRunning` as the emulator's run.
class QuietHost : public LaunchHost {
public:
  struct Process : EmulatorProcess {
    QuietHost& host;
    explicit Process(QuietHost& h) : host(h) {}
    bool waitUntilIdle(bool) override { return host.becomesIdle; }
    void waitForEnd() override {
      if (host.whileRunning) host.whileRunning();
    }
  };
  std::unique_ptr<EmulatorProcess> start(const ProcessRequest& request) override {
    if (request.program == failingProgram) return nullptr;
    return std::make_unique<Process>(*this);
  }
  void waitWhileTitleShown(const std::string&, int) override {}
  void sleep(int) override {}
  long long nowMilliseconds() override { return 0; }

  bool becomesIdle = true;
  std::string failingProgram;
  std::function<void()> whileRunning;
};

const std::string kOriginal = "[Video]\r\nmode = 1\r\n\r\n";
const std::string kScript = "INI-OPENFILE=$emu_pathemu.ini\r\nINI-SETSECTION=Video\r\nINI-SETKEY=mode\r\n"
                            "INI-REWRITE=$title\r\nREG-OPENKEY=HKEY_CURRENT_USER\\Software\\Emu\r\n"
                            "REG-SETVALUENAME=Speed\r\nREG-REWRITE=9\r\n";

class LaunchRewriteTest : public LaunchTest {
protected:
  void SetUp() override {
    LaunchTest::SetUp();
    setting.exec = makeFile("emu/emu.exe", "");
    emulatorIni = makeFile("emu/emu.ini", kOriginal);
    settingPath = writeSetting("PC88", "A", setting);
    writeCompanion(settingPath, Companion::RewriteScript, kScript);
    registry->set("HKEY_CURRENT_USER", "Software\\Emu", "Speed", {rewrite::kRegDword, "\x01\0\0\0"s});
    run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, smart_title) "
        "VALUES ('a.rom', 'a', 'rom', 'PC88', 'Fast', 'Fast');");
    env = {{root(), dbPath()}, &counters, &host, &sink, registry};
  }
  LaunchRequest request() { return {loadLaunchItem(dbPath(), "a.rom").value_or(LaunchItem{}), "A", 0}; }
  std::string speed() {
    const auto value = registry->get("HKEY_CURRENT_USER", "Software\\Emu", "Speed");
    return value ? value->bytes.substr(0, 1) : "<absent>";
  }
  bool backupValueExists() {
    return registry->get("HKEY_CURRENT_USER", "Software\\Emu", "Speed"s + kRegistryBackupSuffix).has_value();
  }

  EmulatorSetting setting;
  std::string emulatorIni;
  std::string settingPath;
  std::shared_ptr<rewrite::FakeRegistry> registry = std::make_shared<rewrite::FakeRegistry>();
  LaunchCounters counters;
  QuietHost host;
  LaunchEnvironment env;
};

TEST_F(LaunchRewriteTest, SettingsHoldTheNewValuesWhileTheEmulatorRunsAndTheOldBytesAfter) {
  std::string during;
  bool backupsDuring = false;
  host.whileRunning = [&] {
    during = platform::IniFile(emulatorIni).getString("Video", "mode") + " " + std::to_string(speed()[0]);
    backupsDuring = platform::fileExists(emulatorIni + kIniBackupSuffix) && backupValueExists();
    // Edited while the emulator runs: the restore must not depend on it.
    writeCompanion(settingPath, Companion::RewriteScript, "INI-OPENFILE=elsewhere.ini\n");
  };
  EXPECT_EQ(runLaunch(env, request()).outcome, LaunchOutcome::Ran);
  EXPECT_EQ(during, "Fast 9");
  EXPECT_TRUE(backupsDuring);
  EXPECT_TRUE(sameBytes(readFile(emulatorIni), kOriginal));
  EXPECT_FALSE(platform::fileExists(emulatorIni + kIniBackupSuffix));
  EXPECT_EQ(speed(), "\x01");
  EXPECT_FALSE(backupValueExists());
}

TEST_F(LaunchRewriteTest, AFailedStartPutsTheSettingsBackToo) {
  struct Case {
    const char* name;
    bool starts;
    bool becomesIdle;
    LaunchOutcome outcome;
  };
  for (const Case& c : {Case{"start failed", false, true, LaunchOutcome::StartFailed},
                        Case{"timed out", true, false, LaunchOutcome::TimedOut}}) {
    host.failingProgram = c.starts ? "" : setting.exec;
    host.becomesIdle = c.becomesIdle;
    EXPECT_EQ(runLaunch(env, request()).outcome, c.outcome) << c.name;
    EXPECT_TRUE(sameBytes(readFile(emulatorIni), kOriginal)) << c.name;
    EXPECT_EQ(speed(), "\x01") << c.name;
    EXPECT_FALSE(backupValueExists()) << c.name;
  }
}

TEST_F(LaunchRewriteTest, ShutdownRestoresTheJournalsOfLaunchesStillRunning) {
  host.whileRunning = [&] {
    rewrite::restorePendingRewrites();
    EXPECT_TRUE(sameBytes(readFile(emulatorIni), kOriginal));
    EXPECT_EQ(speed(), "\x01");
  };
  runLaunch(env, request());
  EXPECT_TRUE(sameBytes(readFile(emulatorIni), kOriginal));
}

TEST_F(LaunchRewriteTest, TheCommandLineTestListsWhatTheLaunchWouldChange) {
  const LaunchPlace place{root(), dbPath()};
  const auto plan = planLaunch(place, request(), sink);
  ASSERT_TRUE(plan);
  qm::test::RecordingSink quiet(platform::MessageAnswer::Yes);
  const auto reports = rewrite::testLaunchScript(place, *plan, request().item, registry, quiet);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].change.target, emulatorIni);
  EXPECT_EQ(reports[0].change.name, "[Video]mode");
  EXPECT_EQ(reports[0].change.before + ">" + reports[0].change.after, "1>Fast");
  EXPECT_EQ(reports[1].change.type + " " + reports[1].change.before + ">" + reports[1].change.after,
            "REG_DWORD 1>9");
  EXPECT_TRUE(sameBytes(readFile(emulatorIni), kOriginal));
}

}  // namespace
}  // namespace qm::launch::test
