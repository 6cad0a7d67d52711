#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/launch/launch_key_script.h"
#include "common/platform/files.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::launch {
namespace {

// Whether a launch types its setting's script, and with the item's values in
// its pastes: the program and the command-line tool both go by this.
TEST(LaunchKeyScript, AppliesToTheItemAndPastesItsValues) {
  qm::test::TempFolder folder;
  launch::LaunchPlan plan;
  plan.settingPath = folder.file("A.ini");
  struct Case {
    const char* name;
    const char* script;  // nullptr: no script file
    int setsOnly;
    const char* ply;
    std::optional<KeyScriptAbsence> absence;
    const char* paste;  // the clipboard event of "$title", when typed
  };
  const Case cases[] = {
      {"a single image", "$title", 0, "0", std::nullopt, "clipboard Kiri"},
      {"a set's parent, sets only", "$title", 1, "1", std::nullopt, "clipboard Kiri"},
      {"a single image, sets only", "$title", 1, "0", KeyScriptAbsence::SetsOnly, nullptr},
      {"an empty script", "", 0, "0", KeyScriptAbsence::Empty, nullptr},
      {"no script file", nullptr, 0, "0", KeyScriptAbsence::Empty, nullptr},
  };
  for (const Case& c : cases) {
    if (c.script) {
      ASSERT_TRUE(qm::test::writeFile(folder.file("A.txt"), c.script));
    } else {
      platform::deleteFile(folder.file("A.txt"));
    }
    plan.setting.enableTwoImagesOver = c.setsOnly;
    launch::LaunchItem item;
    item.title = "Kiri";
    item.ply = c.ply;
    KeyScriptAbsence absence = KeyScriptAbsence::Empty;
    const auto typed = launchKeyScript({folder.path(), folder.file("Quillmoor.db")}, plan, item, &absence);
    ASSERT_EQ(!typed, c.absence.has_value()) << c.name;
    if (!typed) {
      EXPECT_EQ(absence, *c.absence) << c.name;
      continue;
    }
    EXPECT_EQ(typed->run.setParent, std::string(c.ply) == "1") << c.name;
    keys::RecordingKeySink sink;
    keys::runKeyScript(typed->script, typed->run, sink);
    EXPECT_EQ(std::count(sink.events.begin(), sink.events.end(), c.paste), 1) << c.name;
  }
}

}  // namespace
}  // namespace qm::launch
