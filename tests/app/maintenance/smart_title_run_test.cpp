#include "app/maintenance/smart_title_run.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

using qm::maintenance::MachineChoice;
using qm::maintenance::RunStatus;
using qm::maintenance::SmartTitleMode;
using Strings = std::vector<std::string>;

class SmartTitleRunTest : public qm::test::MaintenanceTest {
protected:
  SmartTitleRunTest() {
    addImage("a.d88", "PC98", "スーパー ロボット パズルⅣ");
    addImage("b.d88", "PC98", "すーぱーろぼっとぱずる4");
    addImage("c.d88", "X68000", "ｽｰﾊﾟｰﾛﾎﾞｯﾄﾊﾟｽﾞﾙ4");
    addImage("d.d88", "X68000", "!!!");
  }

  qm::maintenance::RunResult run(SmartTitleMode mode, MachineChoice machine) {
    return qm::maintenance::rebuildSmartTitles(context(), mode, machine, qm::text::SymbolTables::defaults());
  }
};

TEST(SmartTitleSelect, Statements) {
  using qm::maintenance::smartTitleSelectStatement;
  EXPECT_EQ(smartTitleSelectStatement(SmartTitleMode::Update, MachineChoice::only("x")),
            "SELECT file_name,title FROM main_table WHERE smart_title='';");
  EXPECT_EQ(smartTitleSelectStatement(SmartTitleMode::Rebuild, MachineChoice::everyMachine()),
            "SELECT file_name,title FROM main_table;");
  EXPECT_EQ(smartTitleSelectStatement(SmartTitleMode::Rebuild, MachineChoice::only("O'Neil")),
            "SELECT file_name,title FROM main_table WHERE machine_name='O''Neil';");
}

TEST_F(SmartTitleRunTest, RebuildOfOneMachine) {
  const auto result = run(SmartTitleMode::Rebuild, MachineChoice::only("X68000"));
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(rows("SELECT file_name, smart_title FROM main_table ORDER BY file_name;"),
            (Strings{"a.d88|", "b.d88|", "c.d88|スーパーロボットパズル4", "d.d88|!!!"}));
  EXPECT_EQ(observer.lines,
            (Strings{"処理を開始します", "ｽｰﾊﾟｰﾛﾎﾞｯﾄﾊﾟｽﾞﾙ4 -> OK", "!!! -> OK", "処理を終了しました"}));
  EXPECT_EQ(itemList.emptiedCount, 1);
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST_F(SmartTitleRunTest, UpdateFillsOnlyEmptySmartTitlesAndKeepsTheView) {
  execute("UPDATE main_table SET smart_title='kept' WHERE file_name IN ('a.d88', 'd.d88');");
  EXPECT_EQ(run(SmartTitleMode::Update, MachineChoice::only("")).status, RunStatus::Completed);
  EXPECT_EQ(rows("SELECT smart_title FROM main_table ORDER BY file_name;"),
            (Strings{"kept", "スーパーロボットパズル4", "スーパーロボットパズル4", "kept"}));
  EXPECT_EQ(itemList.emptiedCount, 0);
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST_F(SmartTitleRunTest, NoRowsEndsWithoutAMessage) {
  execute("UPDATE main_table SET smart_title='x';");
  EXPECT_EQ(run(SmartTitleMode::Update, MachineChoice::everyMachine()).status, RunStatus::NoRows);
  EXPECT_TRUE(sink.messages().empty());
  EXPECT_TRUE(observer.lines.empty());
}

TEST_F(SmartTitleRunTest, StopInTheMiddleKeepsTheRowsDone) {
  observer.stopAtRow(3);
  const auto result = run(SmartTitleMode::Rebuild, MachineChoice::everyMachine());
  EXPECT_EQ(result.status, RunStatus::Stopped);
  EXPECT_EQ(rows("SELECT count(*) FROM main_table WHERE smart_title<>'';"), Strings{"3"});
  EXPECT_EQ(rows("SELECT smart_title FROM main_table WHERE file_name='d.d88';"), Strings{""});
  EXPECT_EQ(observer.lines.back(), "ユーザーからの要求で処理を中断しました");
}

TEST_F(SmartTitleRunTest, AFailedUpdateIsLogged) {
  execute("CREATE TRIGGER refuse BEFORE UPDATE OF smart_title ON main_table WHEN new.file_name='b.d88' "
          "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
  const auto result = run(SmartTitleMode::Rebuild, MachineChoice::everyMachine());
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(observer.lines.at(2), "すーぱーろぼっとぱずる4 -> [ERROR] refused");
}

TEST_F(SmartTitleRunTest, CheckShowsTheValueOrTheError) {
  execute("UPDATE main_table SET smart_title='SMART' WHERE file_name='a.d88';");
  const auto found = qm::maintenance::checkSmartTitle(dbPath, "a.d88");
  EXPECT_TRUE(found.ok);
  EXPECT_EQ(found.text, "SMART");
  execute("DROP TABLE main_table;");
  const auto failed = qm::maintenance::checkSmartTitle(dbPath, "a.d88");
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(qm::text::sjisToUtf8(failed.text), "スマートタイトルが取得できません。\nno such table: main_table");
  EXPECT_EQ(qm::text::sjisToUtf8(qm::maintenance::smartTitleCheckCaption()), "スマートタイトルの確認");
}

}  // namespace
