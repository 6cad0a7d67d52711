// What the menus show for the first selected item, the favourite labels and
// the folder to open.
#include "app/shell/menu_state.h"

#include <gtest/gtest.h>

#include <map>

#include "app/menus/menu_table.h"
#include "app/shell/image_folder.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::shell {
namespace {

using text::sjis;

// The rule's own answer per identifier; a command whose feature is not built
// is greyed whatever the rule says.
struct Expect {
  std::vector<std::uint16_t> ruleEnabled;
  std::vector<std::uint16_t> checked;
};

void expectStates(const FirstSelected* first, const Expect& expect) {
  std::vector<ItemState> states = editMenuStates(first);
  ASSERT_EQ(states.size(), 28u);
  for (const ItemState& state : states) {
    SCOPED_TRACE(state.id);
    const bool rule = std::count(expect.ruleEnabled.begin(), expect.ruleEnabled.end(), state.id) > 0;
    EXPECT_EQ(state.enabled, rule && menu::commandAvailable(state.id));
    EXPECT_EQ(state.checked, std::count(expect.checked.begin(), expect.checked.end(), state.id) > 0);
  }
}

std::vector<std::uint16_t> range(std::uint16_t from, std::uint16_t to) {
  std::vector<std::uint16_t> ids;
  for (std::uint16_t id = from; id <= to; ++id) ids.push_back(id);
  return ids;
}

std::vector<std::uint16_t> join(std::vector<std::uint16_t> a, const std::vector<std::uint16_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(EditMenuState, NothingSelectedGreysAllButFavouritesAndCreators) {
  expectStates(nullptr, {join({1134}, range(1135, 1144)), {}});
}

TEST(EditMenuState, RulesOfTheFirstSelectedItem) {
  const auto always = join(join(range(1124, 1144), range(1147, 1148)), range(1150, 1151));
  struct Case {
    const char* name;
    FirstSelected first;
    Expect expect;
  };
  const Case cases[] = {
      {"a plain single", {"0", "", "", ""}, {join(always, {1149}), {}}},
      {"a set's parent", {"1", "", "", ""}, {join(always, {1145, 1149}), {}}},
      {"a child is no parent", {"2", "", "", ""}, {join(always, {1149}), {}}},
      {"its own emulator", {"0", "MAME", "", ""}, {join(always, {1146, 1149}), {}}},
      {"an alter ego", {"0", "", "1", ""}, {join(always, {1149}), {1149}}},
      {"an alter ego flag of 0", {"0", "", "0", ""}, {join(always, {1149}), {}}},
      {"favourites 3, 9 and 0", {"0", "", "", "390"}, {join(always, {1149}), {1135, 1138, 1144}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expectStates(&c.first, c.expect);
  }
}

// The commands of this file are built: their greying is the rule's alone.
TEST(EditMenuState, BuiltCommandsFollowTheRules) {
  for (int id : {1146, 1148, 1151, 1139})
    EXPECT_TRUE(menu::commandAvailable(static_cast<std::uint16_t>(id))) << id;
  FirstSelected first{"0", "", "", ""};
  std::map<std::uint16_t, bool> enabled;
  for (const ItemState& s : editMenuStates(&first)) enabled[s.id] = s.enabled;
  EXPECT_FALSE(enabled[menu::kReleaseEmulatorChoice]);
  EXPECT_TRUE(enabled[menu::kOpenImageFolder]);
  EXPECT_TRUE(enabled[menu::kResetBootInfo]);
}

TEST(FavouriteLabel, DigitThenName) {
  EXPECT_EQ(favouriteLabel(0, ""), "0");
  EXPECT_EQ(favouriteLabel(7, sjis("ＲＰＧ名作")), sjis("7: ＲＰＧ名作"));
}

TEST(ImageFolder, SelectsTheFileOrItsArchiveQuoted) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\roms\\a.d88", "/select,\"C:\\roms\\a.d88\""},
      {"C:\\roms\\disks.zip*sub/a.d88", "/select,\"C:\\roms\\disks.zip\""},
      {"C:\\my roms,1\\a.d88", "/select,\"C:\\my roms,1\\a.d88\""},
      // "表" ends in the byte of "\", "ソ" too: neither cuts the path.
      {sjis("C:\\表\\ソ.lzh*x.d88"), sjis("/select,\"C:\\表\\ソ.lzh\"")},
  };
  for (const auto& [key, parameters] : cases) EXPECT_EQ(folderOpenFor(key).parameters, parameters) << key;
}

TEST(ImageFolder, MissingFileIsToldAndNothingOpens) {
  qm::test::TempFolder folder;
  qm::test::RecordingSink sink;
  const std::string archive = folder.file("a.zip");
  qm::test::writeFile(archive, "PK");
  auto open = imageFolderToOpen(archive + "*x.d88", sink);
  ASSERT_TRUE(open);
  EXPECT_EQ(open->file, archive);
  EXPECT_TRUE(sink.messages().empty());

  EXPECT_FALSE(imageFolderToOpen(folder.file("gone.d88"), sink));
  EXPECT_FALSE(imageFolderToOpen(folder.file("gone.zip") + "*x.d88", sink));
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.messages()[0].text, sjis("ファイルは見つかりませんでした。\n"));
}

}  // namespace
}  // namespace qm::shell
