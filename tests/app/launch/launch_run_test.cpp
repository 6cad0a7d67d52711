#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "app/launch/launch_run.h"
#include "app/launch/path_parts.h"
#include "common/platform/files.h"
#include "tests/app/launch/launch_fixture.h"
#include "tests/support/file_bytes.h"

namespace qm::launch::test {
namespace {

using platform::joinPath;

// Starts nothing: records what would start and runs `whileRunning` as the
// emulator's run, on a clock of its own.
class StandInHost : public LaunchHost {
public:
  struct Process : EmulatorProcess {
    StandInHost& host;
    explicit Process(StandInHost& h) : host(h) {}
    bool waitUntilIdle(bool) override {
      if (auto starting = std::exchange(host.whileStarting, nullptr)) starting();
      return host.becomesIdle;
    }
    void waitForEnd() override {
      if (host.whileRunning) host.whileRunning();
      host.clock += host.runMs;
    }
  };

  std::unique_ptr<EmulatorProcess> start(const ProcessRequest& request) override {
    started.push_back(request.program + (request.arguments.empty() ? "" : " " + request.arguments));
    if (request.program == failingProgram) return nullptr;
    return std::make_unique<Process>(*this);
  }
  void waitWhileTitleShown(const std::string& text, int intervalMs) override {
    titleSearches.push_back(text + "@" + std::to_string(intervalMs));
    clock += runMs;
  }
  void sleep(int ms) override {
    clock += ms;
    if (onSleep) onSleep(ms);
  }
  long long nowMilliseconds() override { return clock; }
  void itemChanged(const std::string& key) override { changed.push_back(key); }
  void emulatorRunning() override { ++runningNotices; }
  void emulatorEnded() override { ++endedNotices; }

  long long clock = 0;
  long long runMs = 6000;
  bool becomesIdle = true;
  std::string failingProgram;
  std::function<void()> whileRunning;
  std::function<void()> whileStarting;  // once, while the emulator is becoming idle
  std::function<void(int)> onSleep;
  std::vector<std::string> started;
  std::vector<std::string> titleSearches;
  std::vector<std::string> changed;
  int runningNotices = 0;
  int endedNotices = 0;
};

class LaunchRunTest : public LaunchTest {
protected:
  void SetUp() override {
    LaunchTest::SetUp();
    emulator = makeFile("emu/emu.exe", "");
    setting.exec = emulator;
    setting.option = "-boot $image1 -second $image2";
    env.place = {root(), dbPath()};
    env.counters = &counters;
    env.host = &host;
    env.sink = &sink;
  }
  LaunchRequest request(const std::string& key, const std::string& settingName = "A") {
    LaunchRequest r;
    r.item = loadLaunchItem(dbPath(), key).value_or(LaunchItem{});
    r.settingName = settingName;
    return r;
  }
  void addSetInZip() {
    zip = makeZip("roms/kiri.zip", {{"kiri 1.d88", "1"}, {"kiri 2.d88", "2"}, {"kiri 3.d88", "3"}});
    std::string sql = "INSERT INTO main_table(file_name, file_title, file_ext, file_arc_title, file_arc_ext, "
                      "machine_name, title, ply, ply_file_name, play_time) VALUES ";
    for (int k = 1; k <= 3; ++k) {
      sql += std::string(k > 1 ? "," : "") + "('" + zip + "*kiri " + std::to_string(k) + ".d88', 'kiri', 'zip', 'kiri " +
             std::to_string(k) + "', 'd88', 'PC88', 'kiri', " + std::to_string(k) + ", '" +
             (k > 1 ? zip + "*kiri 1.d88" : "") + "', '000:59''50\"')";
    }
    run(sql + "; INSERT INTO tmp_maxdisk VALUES ('" + zip + "*kiri 1.d88', 3);");
  }
  std::string parentKey() const { return zip + "*kiri 1.d88"; }

  std::string emulator;
  std::string zip;
  EmulatorSetting setting;
  LaunchCounters counters;
  StandInHost host;
  LaunchEnvironment env;
};

TEST_F(LaunchRunTest, ASetInsideAZipIsExtractedStartedCountedAndCleanedUp) {
  addSetInZip();
  const std::string x = makeFolder("x");
  setting.extract = 1;
  setting.extractPath = x;
  setting.extractAllDelete = 1;
  setting.endPrograms[0] = {"after.exe", "$body_noext", 0};
  writeSetting("PC88", "A", setting);
  bool filesSeen = false;
  host.runMs = 20000;
  host.whileRunning = [&] { filesSeen = platform::fileExists(joinPath(x, "kiri 3.d88")); };
  LaunchRequest r = request(parentKey());
  r.chosenImage = 3;
  const LaunchReport report = runLaunch(env, r);
  ASSERT_EQ(report.outcome, LaunchOutcome::Ran);
  EXPECT_EQ(report.commandLine, "\"" + emulator + "\" -boot " + joinPath(x, "kiri 3.d88") + " -second " +
                                    joinPath(x, "kiri 2.d88"));
  EXPECT_EQ(report.folder, joinPath(root(), "emu"));
  EXPECT_TRUE(filesSeen);
  EXPECT_EQ(report.extractFilesDeleted, 3);
  EXPECT_FALSE(platform::fileExists(joinPath(x, "kiri 1.d88")));
  EXPECT_EQ(host.started.back(), "after.exe kiri 3");
  EXPECT_TRUE(report.counted);
  EXPECT_EQ(cell("SELECT boot_count || ' ' || play_time || ' ' || (last_boot <> '') FROM main_table WHERE ply=1;"),
            "1 001:00'10\" 1") << "59:50 and a run of 20 s";
  EXPECT_EQ(host.changed, std::vector<std::string>{parentKey()});
  EXPECT_EQ(host.runningNotices, 1);
  EXPECT_EQ(host.endedNotices, 1);
  EXPECT_TRUE(sink.messages().empty());
}

// Alter-ego files are the user's own copies: the names they carry while the
// emulator runs are recorded, so that a launch cut short (here: the first
// file left renamed by an earlier crash) is put right by the next.
TEST_F(LaunchRunTest, AlterEgoRenamesAreRecordedAndPutBack) {
  const std::string ego = makeFolder("ego");
  const std::string first = makeFile("ego/my disk 1.d88", "1");
  const std::string second = makeFile("ego/my disk 2.d88", "2");
  const std::string crashed = joinPath(ego, "my_disk_1.d88");
  ASSERT_TRUE(platform::moveFile(first, crashed));
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
      "('p.d88', 'p', 'd88', 'PC88', 't');"
      "INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego, ply_pfile_ae, ren_file_name) VALUES "
      "('p.d88', '" + first + "', 1, '', '" + crashed + "'), ('p.d88*2', '" + second + "', 2, 'p.d88', '');"
      "INSERT INTO tmp_maxdisk VALUES ('p.d88', 2);");
  setting.fileNameReplace = 1;
  writeSetting("PC88", "A", setting);
  std::string recorded;
  bool renamedWhileRunning = false;
  host.whileRunning = [&] {
    recorded = cell("SELECT group_concat(ren_file_name, '|') FROM alter_ego_table ORDER BY alter_ego;");
    renamedWhileRunning = platform::fileExists(crashed) && !platform::fileExists(first);
  };
  ASSERT_EQ(runLaunch(env, request("p.d88")).outcome, LaunchOutcome::Ran);
  EXPECT_TRUE(renamedWhileRunning);
  EXPECT_EQ(recorded, crashed + "|" + joinPath(ego, "my_disk_2.d88"));
  EXPECT_TRUE(platform::fileExists(first));
  EXPECT_TRUE(platform::fileExists(second));
  EXPECT_FALSE(platform::fileExists(crashed));
  EXPECT_EQ(cell("SELECT count(*) FROM alter_ego_table WHERE ren_file_name<>'';"), "0");
  EXPECT_TRUE(sink.messages().empty());
}

// Renamed alter-ego files stay the first launch's until it ends: a second
// launch of the item, renaming or not, is refused without moving them back,
// and once the first has ended the item launches again.
TEST_F(LaunchRunTest, ASecondLaunchOfARenamedAlterEgoIsRefusedWhileTheFirstRuns) {
  const std::string first = makeFile("ego/my disk 1.d88", "1");
  const std::string renamed = joinPath(platform::folderOf(first), "my_disk_1.d88");
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
      "('p.d88', 'p', 'd88', 'PC88', 't');"
      "INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego, ply_pfile_ae, ren_file_name) VALUES "
      "('p.d88', '" + first + "', 1, '', '');");
  setting.fileNameReplace = 1;
  writeSetting("PC88", "A", setting);
  setting.fileNameReplace = 0;
  writeSetting("PC88", "B", setting);
  struct Second {
    const char* setting;
    const char* name;
  };
  for (const Second& second : {Second{"A", "renaming"}, Second{"B", "not renaming"}}) {
    sink.clear();
    host.started.clear();
    LaunchOutcome secondOutcome = LaunchOutcome::Ran;
    bool renamedAfterSecond = false;
    std::string recordedAfterSecond;
    bool inSecond = false;
    host.whileRunning = [&] {
      if (std::exchange(inSecond, true)) return;
      secondOutcome = runLaunch(env, request("p.d88", second.setting)).outcome;
      renamedAfterSecond = platform::fileExists(renamed) && !platform::fileExists(first);
      recordedAfterSecond = cell("SELECT ren_file_name FROM alter_ego_table;");
    };
    ASSERT_EQ(runLaunch(env, request("p.d88")).outcome, LaunchOutcome::Ran) << second.name;
    EXPECT_EQ(secondOutcome, LaunchOutcome::AlterEgoInUse) << second.name;
    EXPECT_TRUE(renamedAfterSecond) << second.name;
    EXPECT_EQ(recordedAfterSecond, renamed) << second.name;
    EXPECT_EQ(host.started.size(), 1u) << "only the first emulator starts: " << second.name;
    ASSERT_EQ(sink.messages().size(), 1u) << second.name;
    EXPECT_EQ(sink.messages()[0].text, sj("この分身アイテムは起動中です。\nエミュレータを終了してから起動し直して下さい。"));
    EXPECT_EQ(sink.messages()[0].caption, sj("エミュレータが起動できませんでした"));
    EXPECT_TRUE(platform::fileExists(first)) << "put back by the first launch: " << second.name;
    EXPECT_EQ(cell("SELECT ren_file_name FROM alter_ego_table;"), "");
  }
  sink.clear();
  host.whileRunning = nullptr;
  EXPECT_EQ(runLaunch(env, request("p.d88")).outcome, LaunchOutcome::Ran) << "free again once the first ended";
  EXPECT_TRUE(sink.messages().empty());
}

// Alter-ego launches that rename nothing leave the files where they are and
// may run side by side, as launches of plain images do.
TEST_F(LaunchRunTest, AlterEgoLaunchesWithoutRenamesRunSideBySide) {
  const std::string first = makeFile("ego/my disk 1.d88", "1");
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
      "('p.d88', 'p', 'd88', 'PC88', 't');"
      "INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego, ply_pfile_ae, ren_file_name) VALUES "
      "('p.d88', '" + first + "', 1, '', '');");
  writeSetting("PC88", "A", setting);
  LaunchOutcome secondOutcome = LaunchOutcome::NoSetting;
  bool inSecond = false;
  host.whileRunning = [&] {
    if (std::exchange(inSecond, true)) return;
    secondOutcome = runLaunch(env, request("p.d88")).outcome;
  };
  EXPECT_EQ(runLaunch(env, request("p.d88")).outcome, LaunchOutcome::Ran);
  EXPECT_EQ(secondOutcome, LaunchOutcome::Ran);
  EXPECT_EQ(host.started.size(), 2u);
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(LaunchRunTest, OverlappingLaunchesRunTheEndProgramOnceAfterTheLast) {
  addSetInZip();
  setting.endPrograms[1] = {"after.exe", "", 0};
  writeSetting("PC88", "A", setting);
  int endProgramsDuringSecond = -1;
  host.whileRunning = [&] {
    host.whileRunning = nullptr;
    EXPECT_EQ(counters.running.load(), 1);
    runLaunch(env, request(parentKey()));
    endProgramsDuringSecond = static_cast<int>(std::count(host.started.begin(), host.started.end(), "after.exe"));
  };
  runLaunch(env, request(parentKey()));
  EXPECT_EQ(endProgramsDuringSecond, 0);
  EXPECT_EQ(std::count(host.started.begin(), host.started.end(), "after.exe"), 1);
  EXPECT_EQ(host.started.back(), "after.exe");
  EXPECT_EQ(counters.running.load(), 0);
  EXPECT_EQ(cell("SELECT boot_count FROM main_table WHERE ply=1;"), "2");
}

// A launch counts as preparing until its emulator counts as running: a second
// launch ending inside the first one's start-up leaves the first one's
// extracted images where they are.
TEST_F(LaunchRunTest, ALaunchEndingInsideAnotherOnesStartUpLeavesItsImages) {
  addSetInZip();
  const std::string x = makeFolder("x");
  setting.extract = 1;
  setting.extractPath = x;
  setting.extractAllDelete = 1;
  writeSetting("PC88", "A", setting);
  int deletedBySecond = 0;
  host.whileStarting = [&] { deletedBySecond = runLaunch(env, request(parentKey())).extractFilesDeleted; };
  bool imagesThereWhileRunning = false;
  host.whileRunning = [&] { imagesThereWhileRunning = platform::fileExists(joinPath(x, "kiri 1.d88")); };
  const LaunchReport first = runLaunch(env, request(parentKey()));
  EXPECT_EQ(deletedBySecond, -1) << "the second launch must not empty the folder";
  EXPECT_TRUE(imagesThereWhileRunning);
  EXPECT_EQ(first.extractFilesDeleted, 3);
}

// Whether this launch was the last is read after its pause: an emulator that
// started meanwhile keeps the end programs from running under it.
TEST_F(LaunchRunTest, AnEmulatorStartedDuringThePauseKeepsTheEndProgramsBack) {
  addSetInZip();
  setting.endPrograms[1] = {"after.exe", "", 0};
  writeSetting("PC88", "A", setting);
  host.onSleep = [&](int ms) {
    if (ms == 1500) ++counters.running;
  };
  runLaunch(env, request(parentKey()));
  EXPECT_EQ(std::count(host.started.begin(), host.started.end(), "after.exe"), 0);
}

// The boot time is the emulator's own run: the settle, the pause and the end
// programs after it are not played.
TEST_F(LaunchRunTest, TheRunIsTimedFromTheEmulatorsStartToItsEnd) {
  addSetInZip();
  setting.endPrograms[1] = {"after.exe", "", 5};
  writeSetting("PC88", "A", setting);
  host.runMs = 20000;
  const LaunchReport report = runLaunch(env, request(parentKey()));
  EXPECT_EQ(report.runMilliseconds, 20100) << "the stand-in's 20 s and the 100 ms settle it runs through";
  EXPECT_EQ(cell("SELECT play_time FROM main_table WHERE ply=1;"), "001:00'10\"");
}

// A file left under the launch name by a run cut short stops the rename: the
// message names it rather than blaming a missing extraction library.
TEST_F(LaunchRunTest, ALeftoverRenamedFileIsNamed) {
  addSetInZip();
  const std::string x = makeFolder("x");
  const std::string leftover = makeFile("x/kiri_1.d88", "from a crash");
  setting.extract = 2;
  setting.extractPath = x;
  setting.fileNameReplace = 1;
  writeSetting("PC88", "A", setting);
  EXPECT_EQ(runLaunch(env, request(parentKey())).outcome, LaunchOutcome::PreparationFailed);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, sj("名前を変えたイメージファイルが残っています。\n→") + leftover +
                                         sj("\n前回の起動が途中で終わったときのものです。元の名前に戻すか削除して下さい。"));
  EXPECT_EQ(sink.messages()[0].caption, sj("エミュレータが起動できませんでした"));
  EXPECT_EQ(qm::test::readFile(leftover), "from a crash");
  EXPECT_TRUE(platform::fileExists(joinPath(x, "kiri 1.d88"))) << "the fresh copy is left under its own name";
  EXPECT_TRUE(host.started.empty());
}

TEST_F(LaunchRunTest, FailuresSayWhyAndChangeNothing) {
  addSetInZip();
  struct Failure {
    const char* name;
    std::function<void(EmulatorSetting&, StandInHost&)> change;
    LaunchOutcome outcome;
    std::vector<const char*> messages;
  };
  const char* check = "エミュレータのパス又は、解凍・コピー先のフォルダが存在するかを確認して下さい。";
  const Failure failures[] = {
      {"missing emulator", [](EmulatorSetting& s, StandInHost&) { s.exec = "gone.exe"; },
       LaunchOutcome::FolderOrProgram, {"エミュレータ実行ファイルが見つかりませんでした\n処理を中止します", check}},
      {"no extract folder", [](EmulatorSetting& s, StandInHost&) { s.extract = 1; },
       LaunchOutcome::FolderOrProgram, {"イメージファイルの解凍先フォルダが見つかりませんでした\n処理を中止します", check}},
      {"start fails", [this](EmulatorSetting&, StandInHost& h) { h.failingProgram = emulator; },
       LaunchOutcome::StartFailed, {"プロセスの作成に失敗しました。"}},
      {"never idle", [](EmulatorSetting&, StandInHost& h) { h.becomesIdle = false; }, LaunchOutcome::TimedOut,
       {"タイムアウトされました。\nプロセスハンドルの取得に失敗しました。"}},
      {"option too long", [](EmulatorSetting& s, StandInHost&) { s.option.assign(1041, 'o'); },
       LaunchOutcome::SettingRefused, {"[Emulator] Option の値が長すぎます。1040 バイトまでにしてください。"}},
  };
  for (const Failure& failure : failures) {
    sink.clear();
    EmulatorSetting s = setting;
    StandInHost fresh;
    env.host = &fresh;
    failure.change(s, fresh);
    writeSetting("PC88", "A", s);
    EXPECT_EQ(runLaunch(env, request(parentKey())).outcome, failure.outcome) << failure.name;
    ASSERT_EQ(sink.messages().size(), failure.messages.size()) << failure.name;
    for (std::size_t i = 0; i < failure.messages.size(); ++i)
      EXPECT_EQ(sink.messages()[i].text, sj(failure.messages[i])) << failure.name;
    EXPECT_EQ(sink.messages().back().caption, sj("エミュレータが起動できませんでした"));
    EXPECT_EQ(fresh.runningNotices + fresh.endedNotices, 0) << "no emulator ran: " << failure.name;
  }
  EXPECT_EQ(cell("SELECT boot_count FROM main_table WHERE ply=1;"), "0");
  EXPECT_EQ(counters.running.load(), 0);
  EXPECT_EQ(counters.preparing.load(), 0);
}

TEST_F(LaunchRunTest, NoSettingEndsSilentlyAndShortRunsAreNotCounted) {
  addSetInZip();
  EXPECT_EQ(runLaunch(env, request(parentKey(), "")).outcome, LaunchOutcome::NoSetting);
  EXPECT_TRUE(host.started.empty());
  writeSetting("PC88", "A", setting);
  host.runMs = 3000;
  const LaunchReport report = runLaunch(env, request(parentKey()));
  EXPECT_EQ(report.outcome, LaunchOutcome::Ran);
  EXPECT_FALSE(report.counted);
  EXPECT_EQ(cell("SELECT boot_count FROM main_table WHERE ply=1;"), "0");
  EXPECT_TRUE(sink.messages().empty());
}

// A value ending in a backslash before a closing quote must not swallow the
// quote and join the next argument.
TEST_F(LaunchRunTest, ArgumentsEndingInABackslashStayApart) {
  addSetInZip();
  run("UPDATE main_table SET title='Bad\\' WHERE ply=1;");
  setting.option = "-t \"$title\" -d \"$path1\" -n $image1";
  writeSetting("PC88", "A", setting);
  const auto plan = planLaunch(env.place, request(parentKey()), sink);
  ASSERT_TRUE(plan);
  const std::vector<std::string> args = splitCommandLine(plan->arguments);
  ASSERT_EQ(args.size(), 6u) << plan->arguments;
  EXPECT_EQ(args[1], "Bad\\");
  EXPECT_EQ(args[3], zip.substr(0, lastSeparator(zip) + 1)) << "the folder with its trailing separator";
  EXPECT_EQ(args[5], zip);
}

TEST_F(LaunchRunTest, WindowTitleDetectionLooksForTheBootImage) {
  addSetInZip();
  setting.checkType = 1;
  setting.titleIntervalSeconds = 3;
  setting.titleCheckImage = 1;
  writeSetting("PC88", "A", setting);
  runLaunch(env, request(parentKey()));
  EXPECT_EQ(host.titleSearches, std::vector<std::string>{"kiri@3000"}) << "mode 0 hands the archive over";
}

}  // namespace
}  // namespace qm::launch::test

namespace qm::launch::test {
namespace {

// What runs beside the emulator comes in the launch's order: the clipboard
// before the start, the script once it runs, its stop before the restores,
// the pictures after the end programs; a start that fails gets no run.
class RecordingObserver : public RunObserver {
public:
  explicit RecordingObserver(StandInHost& host) : host_(host) {}
  void beforeStart(const LaunchPlan&, const LaunchItem&) override { calls.push_back("before " + started()); }
  void running(const LaunchPlan&, const LaunchItem& item, EmulatorProcess&) override {
    calls.push_back("running " + item.title + " " + started());
  }
  void stopped() override { calls.push_back("stopped"); }
  void afterRun(const LaunchPlan&, const LaunchItem&) override { calls.push_back("after " + started()); }
  std::vector<std::string> calls;

private:
  std::string started() const { return std::to_string(host_.started.size()); }
  StandInHost& host_;
};

TEST_F(LaunchRunTest, TheObserverSeesTheRunInOrder) {
  addSetInZip();
  setting.endPrograms[0] = {"after.exe", "", 0};
  writeSetting("PC88", "A", setting);
  RecordingObserver observer(host);
  env.observer = &observer;
  host.whileRunning = [&] { observer.calls.push_back("waiting"); };
  EXPECT_EQ(runLaunch(env, request(parentKey())).outcome, LaunchOutcome::Ran);
  EXPECT_EQ(observer.calls,
            (std::vector<std::string>{"before 0", "running kiri 1", "waiting", "stopped", "after 2"}));
  observer.calls.clear();
  host.started.clear();
  host.failingProgram = emulator;
  EXPECT_EQ(runLaunch(env, request(parentKey())).outcome, LaunchOutcome::StartFailed);
  EXPECT_EQ(observer.calls, std::vector<std::string>{"before 0"});
}

}  // namespace
}  // namespace qm::launch::test
