#include <gtest/gtest.h>

#include <algorithm>

#include "app/launch/launch_menu.h"
#include "app/launch/setting_store.h"
#include "tests/app/launch/launch_fixture.h"

namespace qm::launch::test {
namespace {

std::string marks(const std::vector<SettingMenuEntry>& entries) {
  std::string out;
  for (const SettingMenuEntry& e : entries)
    out += e.label + (e.isDefault ? "*" : "") + (e.checked ? "+" : "") + " ";
  return out;
}

TEST(SettingMenuEntries, DefaultBoldAndCurrentCheckedIgnoringCase) {
  const std::vector<std::string> names = {"Alpha", "beta", "Gamma"};
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "", "Alpha beta Gamma "},
      {"BETA", "", "Alpha beta*+ Gamma "},
      {"beta", "gamma", "Alpha beta* Gamma+ "},
      {"", "alpha", "Alpha+ beta Gamma "},
      {"none", "", "Alpha beta Gamma "},
  };
  for (const auto& [fallback, own, expected] : cases)
    EXPECT_EQ(marks(settingMenuEntries(names, fallback, own)), expected) << fallback << "/" << own;
  EXPECT_EQ(settingMenuEntries(std::vector<std::string>(150, "x"), "", "").size(), 100u);
}

using ImageMenuTest = LaunchTest;

TEST_F(ImageMenuTest, ParentThenChildrenByMemberOrFileTitle) {
  run("INSERT INTO main_table(file_name, file_title, file_ext, file_arc_title, machine_name, title, ply, "
      "ply_file_name) VALUES ('p', 'pt', 'd88', '', 'M', 't', 1, ''), ('c3', 'c3t', 'd88', 'member 3', 'M', 't', 3, 'p'),"
      "('c2', 'c2t', 'd88', '', 'M', 't', 2, 'p');"
      "INSERT INTO machine_info_table(machine) VALUES ('Z');");
  const auto parent = loadLaunchItem(dbPath(), "p");
  ASSERT_TRUE(parent);
  EXPECT_EQ(imageMenuLabels(dbPath(), *parent), (std::vector<std::string>{"pt", "c2t", "member 3"}));
  const auto machines = libraryMachines(dbPath()).value_or(std::vector<std::string>{});
  EXPECT_TRUE(std::is_sorted(machines.begin(), machines.end()));
  EXPECT_EQ(std::count(machines.begin(), machines.end(), "M"), 1) << "from the images";
  EXPECT_EQ(std::count(machines.begin(), machines.end(), "Z"), 1) << "from the master table";
}

}  // namespace
}  // namespace qm::launch::test
