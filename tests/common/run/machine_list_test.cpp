// The machine list over a library file: every machine first, then the
// machine table by name, and the choice a selection makes.
#include "common/run/machine_list.h"

#include <gtest/gtest.h>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/support/schema_dump.h"
#include "tests/support/temp_folder.h"

namespace qm::maintenance {
namespace {

std::vector<std::string> utf8(const std::vector<std::string>& sjisTexts) {
  std::vector<std::string> out;
  for (const auto& t : sjisTexts) out.push_back(text::sjisToUtf8(t));
  return out;
}

class MachineListTest : public ::testing::Test {
protected:
  MachineListTest() { EXPECT_TRUE(test::executeAll(dbPath, {"CREATE TABLE machine_info_table(machine TEXT);"})); }
  void execute(const std::string& sqlUtf8) const { EXPECT_TRUE(test::executeAll(dbPath, {sqlUtf8})); }

  test::TempFolder folder;
  std::string dbPath = folder.file("Quillmoor.db");
};

TEST_F(MachineListTest, EveryMachineFirstThenTheTableByName) {
  execute("DELETE FROM machine_info_table;");
  execute("INSERT INTO machine_info_table(machine) VALUES('X1'),('FM-7'),('ＭＳＸ');");
  EXPECT_EQ(utf8(machineListEntries(dbPath)), (std::vector<std::string>{"全ての機種", "FM-7", "X1", "ＭＳＸ"}));
}

TEST_F(MachineListTest, AnUnreadableTableLeavesEntryZero) {
  execute("DROP TABLE machine_info_table;");
  EXPECT_EQ(utf8(machineListEntries(dbPath)), std::vector<std::string>{"全ての機種"});
}

TEST(MachineList, AMissingFileIsNotCreated) {
  test::TempFolder folder;
  const std::string path = folder.file("none.db");
  EXPECT_EQ(machineListEntries(path).size(), 1u);
  EXPECT_FALSE(platform::fileExists(path));
}

TEST(MachineChoice, EntryZeroIsEveryMachineAndNoSelectionIsNone) {
  EXPECT_TRUE(machineChoiceAt(0, "ignored").all);
  const MachineChoice one = machineChoiceAt(2, "X1");
  EXPECT_FALSE(one.all);
  EXPECT_EQ(one.name, "X1");
  EXPECT_TRUE(machineChoiceAt(-1, "X1").none());
  EXPECT_TRUE(machineChoiceAt(1, "").none());
}

}  // namespace
}  // namespace qm::maintenance
