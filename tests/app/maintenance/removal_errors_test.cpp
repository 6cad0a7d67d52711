// Removal of missing images against every answer the file system can give:
// only "no such file" or "no such folder" on a volume that is there right now
// removes a row; every other failure keeps it and says why.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "app/maintenance/missing_images.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

namespace mt = ::qm::maintenance;
using mt::PathState;
using qm::text::sjis;
using Strings = std::vector<std::string>;

// Each path answers as told; volumes are reachable until unplugged; the clock
// moves only when the test moves it.
class ScriptedProbe : public mt::FileProbe {
public:
  mt::PathLook look(const std::string& path) override {
    ++looks;
    clock += tick;
    if (unplugAfterLooks && looks > unplugAfterLooks) unplugged = true;
    const auto it = answers.find(path);
    return it == answers.end() ? mt::PathLook{PathState::Present, ""} : it->second;
  }
  bool reachable(const std::string&) override {
    ++rootChecks;
    return !unplugged;
  }
  std::chrono::steady_clock::time_point now() override { return clock; }

  std::map<std::string, mt::PathLook> answers;
  bool unplugged = false;
  int unplugAfterLooks = 0;
  int looks = 0, rootChecks = 0;
  std::chrono::steady_clock::time_point clock{};
  std::chrono::steady_clock::duration tick{};
};

class RemovalErrorsTest : public qm::test::MaintenanceTest {
protected:
  mt::RunResult run() { return mt::removeImages(context(), {mt::MachineChoice::everyMachine(), true}, probe); }
  Strings keys() { return rows("SELECT file_name FROM main_table ORDER BY file_name;"); }
  void add(const std::string& name, PathState state, const std::string& reason = "") {
    addImage("S:\\roms\\" + name, "PC98", name);
    probe.answers["S:\\roms\\" + name] = {state, reason};
  }
  ScriptedProbe probe;
};

TEST_F(RemovalErrorsTest, OnlyANameTheSystemDoesNotKnowIsMissing) {
  add("present.d88", PathState::Present);
  add("missing.d88", PathState::Missing);
  add("denied.d88", PathState::Unreadable, sjis("アクセスが拒否されました。"));
  add("net.d88", PathState::Unreadable, sjis("ネットワーク エラー"));
  const auto result = run();
  EXPECT_EQ(result.status, mt::RunStatus::Completed);
  EXPECT_EQ(result.removed, 1);
  EXPECT_EQ(result.skipped, 2);
  EXPECT_EQ(keys(), (Strings{"S:\\roms\\denied.d88", "S:\\roms\\net.d88", "S:\\roms\\present.d88"}));
  // The rows come in key order.
  EXPECT_EQ(observer.lines, (Strings{"処理を開始します", "スキップ：S:\\roms\\denied.d88 （アクセスが拒否されました。）",
                                     "削除：S:\\roms\\missing.d88", "スキップ：S:\\roms\\net.d88 （ネットワーク エラー）",
                                     "処理を終了しました"}));
}

// A share that drops in the middle of a run: "not found" answers after the drop
// must not remove rows, so the root is asked again before every removal once
// its last good answer is older than the grace.
TEST_F(RemovalErrorsTest, AVolumeThatGoesAwayMidRunKeepsItsRows) {
  for (int i = 1; i <= 6; ++i) add("gone" + std::to_string(i) + ".d88", PathState::Missing);
  probe.unplugAfterLooks = 2;
  probe.tick = std::chrono::seconds(10);  // every look is slower than the grace, as on a slow share
  const auto result = run();
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(result.skipped, 4);
  EXPECT_EQ(keys().size(), 4u);
  EXPECT_EQ(probe.rootChecks, 6);
}

// Good answers are kept for a few seconds: a run over one healthy volume asks
// its root once, not once per row; a bad answer is never kept.
TEST_F(RemovalErrorsTest, AReachableRootIsAskedOnceWithinTheGrace) {
  for (int i = 1; i <= 5; ++i) add("gone" + std::to_string(i) + ".d88", PathState::Missing);
  EXPECT_EQ(run().removed, 5);
  EXPECT_EQ(probe.rootChecks, 1);
  for (int i = 1; i <= 3; ++i) add("again" + std::to_string(i) + ".d88", PathState::Missing);
  probe.unplugged = true;
  probe.rootChecks = 0;
  observer.lines.clear();
  EXPECT_EQ(run().skipped, 3);
  EXPECT_EQ(probe.rootChecks, 3);
  EXPECT_EQ(observer.lines[1], "スキップ：S:\\roms\\again1.d88 （ドライブ又は共有フォルダが見つかりません）");
}

// Present files never need their volume asked.
TEST_F(RemovalErrorsTest, PresentFilesCostNoRootCheck) {
  for (int i = 1; i <= 4; ++i) add("here" + std::to_string(i) + ".d88", PathState::Present);
  probe.unplugged = true;
  EXPECT_EQ(run().removed, 0);
  EXPECT_EQ(probe.rootChecks, 0);
}

}  // namespace
