// Adding images and the emulator settings need a machine: the count, its
// two refusals and the failed count, each with its message.
#include "app/masters/machine_precondition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::master {
namespace {

using Strings = std::vector<std::string>;

class MachinePreconditionTest : public search::test::LibraryTest {
protected:
  Strings boxes() const {
    Strings out;
    for (const auto& m : sink.messages()) out.push_back(text::sjisToUtf8(m.caption) + "|" + text::sjisToUtf8(m.text));
    return out;
  }
};

TEST_F(MachinePreconditionTest, OfBothCommands) {
  EXPECT_TRUE(haveMachine(dbPath(), MachineNeed::AddImages, sink));
  EXPECT_TRUE(sink.messages().empty());

  run("DELETE FROM machine_info_table;");
  EXPECT_FALSE(haveMachine(dbPath(), MachineNeed::AddImages, sink));
  EXPECT_FALSE(haveMachine(dbPath(), MachineNeed::EmulatorSettings, sink));
  run("DROP TABLE machine_info_table;");
  EXPECT_FALSE(haveMachine(dbPath(), MachineNeed::EmulatorSettings, sink));
  EXPECT_EQ(boxes(),
            (Strings{"ファイル追加|イメージを追加するには、最低１つの機種登録が必要です。\n\nメニューの[管理]→[機種]"
                     "から機種を追加できます。\n",
                     "エミュレータ設定|エミュレータの設定には、最低１つの機種登録が必要です。\n\nメニューの[管理]→["
                     "機種]から機種を追加できます。\n",
                     "DBエラー|機種管理レコードを参照できませんでした。\nno such table: machine_info_table"}));
}

}  // namespace
}  // namespace qm::master
