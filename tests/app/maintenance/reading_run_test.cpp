#include "app/maintenance/reading_run.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

using qm::maintenance::MachineChoice;
using qm::maintenance::ReadingRun;
using qm::maintenance::RunStatus;
using qm::text::sjis;
using Strings = std::vector<std::string>;

class ReadingRunTest : public qm::test::MaintenanceTest {
protected:
  ReadingRunTest() {
    addImage("a.d88", "PC98", "ナムコ ソニー");
    addImage("b.d88", "PC98", "ｶﾞﾚｰｼﾞ ＶＳ");
    addImage("c.d88", "MSX", "スタジアム'94");
    execute("UPDATE main_table SET kana='old' WHERE file_name='c.d88';");
  }

  qm::maintenance::RunResult run(MachineChoice machine, bool onlyEmpty = false) {
    ReadingRun what{std::move(machine), onlyEmpty, {}, qm::text::SymbolTables::defaults()};
    return qm::maintenance::generateReadings(context(), what);
  }
};

TEST(ReadingSelect, Statements) {
  const MachineChoice all = MachineChoice::everyMachine();
  const MachineChoice one = MachineChoice::only("Tom's");
  EXPECT_EQ(qm::maintenance::readingSelectStatement(all, false), "SELECT file_name,title FROM main_table;");
  EXPECT_EQ(qm::maintenance::readingSelectStatement(all, true),
            "SELECT file_name,title FROM main_table WHERE kana='';");
  EXPECT_EQ(qm::maintenance::readingSelectStatement(one, false),
            "SELECT file_name,title FROM main_table WHERE machine_name='Tom''s';");
  EXPECT_EQ(qm::maintenance::readingSelectStatement(one, true),
            "SELECT file_name,title FROM main_table WHERE machine_name='Tom''s' AND kana='';");
}

TEST_F(ReadingRunTest, EveryRowOfEveryMachine) {
  execute("CREATE VIEW list_view AS SELECT file_name FROM main_table;");
  const auto result = run(MachineChoice::everyMachine());
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.rows, 3);
  EXPECT_EQ(rows("SELECT file_name, kana FROM main_table ORDER BY file_name;"),
            (Strings{"a.d88|なむこそにー", "b.d88|がれーじVS", "c.d88|すたじあむ94"}));
  EXPECT_EQ(observer.lines, (Strings{"処理を開始します", "ナムコ ソニー -> なむこそにー", "ｶﾞﾚｰｼﾞ ＶＳ -> がれーじVS",
                                     "スタジアム'94 -> すたじあむ94", "処理を終了しました"}));
  EXPECT_EQ(observer.ranges, (std::vector<int>{3}));
  EXPECT_EQ(observer.steps, 3);
  EXPECT_TRUE(rows("SELECT name FROM sqlite_master WHERE name='list_view';").empty()) << "dropped for the run";
  EXPECT_EQ(itemList.emptiedCount, 1);
  EXPECT_EQ(itemList.refreshCount, 1);
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(ReadingRunTest, OneMachineOnlyEmptyReadingsWithItsOptions) {
  addImage("d.d88", "MSX", "ガンダム");
  ReadingRun what{MachineChoice::only("MSX"), true, {}, qm::text::SymbolTables::defaults()};
  what.options.kanaMode = 1;
  what.options.unvoiced = true;
  EXPECT_EQ(qm::maintenance::generateReadings(context(), what).status, RunStatus::Completed);
  EXPECT_EQ(rows("SELECT file_name, kana FROM main_table ORDER BY file_name;"),
            (Strings{"a.d88|", "b.d88|", "c.d88|old", "d.d88|ガンダム"}));
}

TEST_F(ReadingRunTest, NothingToDoIsSaidWithTheRightMessage) {
  struct Case {
    MachineChoice machine;
    bool onlyEmpty;
    const char* message;
  };
  const Case cases[] = {
      {MachineChoice::only("FM-7"), false, "|指定された機種のデータはありません。"},
      {MachineChoice::only("MSX"), true, "|指定された機種で読み仮名が未入力のデータはありません。"},
  };
  for (const Case& c : cases) {
    sink.clear();
    EXPECT_EQ(run(c.machine, c.onlyEmpty).status, RunStatus::NoRows);
    EXPECT_EQ(qm::test::boxes(sink), Strings{c.message});
    EXPECT_EQ(sink.messages().at(0).icon, qm::platform::MessageIcon::Information);
  }
  EXPECT_TRUE(observer.lines.empty());
  EXPECT_EQ(itemList.refreshCount, 2) << "the view comes back even when nothing was done";
}

TEST_F(ReadingRunTest, AnEmptyMachineTextDoesNothing) {
  EXPECT_EQ(run(MachineChoice::only("")).status, RunStatus::NoMachine);
  EXPECT_EQ(itemList.emptiedCount + itemList.refreshCount, 0);
}

TEST_F(ReadingRunTest, StopInTheMiddleKeepsTheRowsDone) {
  observer.stopAtRow(2);
  const auto result = run(MachineChoice::everyMachine());
  EXPECT_EQ(result.status, RunStatus::Stopped);
  EXPECT_EQ(result.done, 2);
  EXPECT_EQ(rows("SELECT count(*) FROM main_table WHERE kana NOT IN ('', 'old');"), Strings{"2"});
  EXPECT_EQ(observer.lines.back(), "ユーザーからの要求で処理を中止しました");
  EXPECT_EQ(observer.lines.size(), 4u);
}

TEST_F(ReadingRunTest, AFailedUpdateIsLoggedAndTheWalkGoesOn) {
  execute("CREATE TRIGGER refuse BEFORE UPDATE OF kana ON main_table WHEN new.file_name='a.d88' "
          "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
  const auto result = run(MachineChoice::everyMachine());
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(observer.lines.at(1), "ナムコ ソニー -> なむこそにー -> [ERROR] refused");
  EXPECT_EQ(rows("SELECT kana FROM main_table WHERE file_name='b.d88';"), Strings{"がれーじVS"});
}

// A row that rolls the whole transaction back leaves nothing to commit: the
// run must say so instead of logging success.
TEST_F(ReadingRunTest, AFailedCommitIsReportedNotLoggedAsSuccess) {
  execute("CREATE TRIGGER undo BEFORE UPDATE OF kana ON main_table WHEN new.file_name='c.d88' "
          "BEGIN SELECT RAISE(ROLLBACK, 'undone'); END;");
  const auto result = run(MachineChoice::everyMachine());
  EXPECT_EQ(result.status, RunStatus::CommitFailed);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(qm::text::sjisToUtf8(sink.messages()[0].caption), "DBエラー");
  EXPECT_EQ(sink.messages()[0].icon, qm::platform::MessageIcon::Error);
  for (const auto& line : observer.lines) EXPECT_NE(line, "処理を終了しました");
  EXPECT_EQ(observer.lines.back().rfind("[ERROR] ", 0), 0u) << observer.lines.back();
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST(ReadingRunFailure, ASelectionThatFailsIsReported) {
  qm::test::TempFolder folder;
  qm::test::RecordingSink sink;
  qm::maintenance::StopFlag stop{0};
  qm::test::RecordingObserver observer(stop);
  qm::test::RecordingItemList itemList;
  const qm::maintenance::RunContext context{folder.file("empty.db"), sink, observer, itemList, stop};
  const ReadingRun what{MachineChoice::everyMachine(), false, {}, qm::text::SymbolTables::defaults()};
  const auto result = qm::maintenance::generateReadings(context, what);
  EXPECT_EQ(result.status, RunStatus::SelectFailed);
  EXPECT_EQ(qm::test::boxes(sink), Strings{"|メインテーブルを選択できませんでした。\nno such table: main_table"});
  EXPECT_EQ(itemList.refreshCount, 1);
}

}  // namespace
