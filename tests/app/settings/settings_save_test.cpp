// Saving the settings at exit: a file that cannot be written is reported once,
// however many keys failed; a declined upgrade writes and reports nothing.
#include <gtest/gtest.h>

#include "app/settings/settings.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm {
namespace {

TEST(SettingsAtExit, AFileThatCannotBeWrittenIsReportedOnce) {
  qm::test::TempFolder folder;
  qm::test::RecordingSink sink;
  Settings settings;
  struct Case {
    const char* name;
    std::string path;
    bool declined;
    SaveResult result;
    std::size_t boxes;
  };
  // A folder where the file should be: every key fails.
  platform::createFolder(folder.file("Quillmoor2.ini"));
  const Case cases[] = {
      {"a folder in its place", folder.file("Quillmoor2.ini"), false, SaveResult::Failed, 1},
      {"its folder gone", platform::joinPath(folder.file("gone"), "Quillmoor2.ini"), false, SaveResult::Failed, 1},
      {"upgrade declined", folder.file("Quillmoor2.ini"), true, SaveResult::Refused, 0},
      {"a writable file", folder.file("ok.ini"), false, SaveResult::Saved, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sink.clear();
    EXPECT_EQ(saveAtShutdown(settings, platform::IniFile(c.path), c.declined, sink), c.result);
    ASSERT_EQ(sink.messages().size(), c.boxes);
    if (c.boxes == 1) {
      EXPECT_EQ(text::sjisToUtf8(sink.messages()[0].text), "設定ファイルに書き込めませんでした。\n" + c.path);
      EXPECT_EQ(text::sjisToUtf8(sink.messages()[0].caption), "設定の保存");
      EXPECT_EQ(sink.messages()[0].icon, platform::MessageIcon::Error);
    }
  }
  EXPECT_TRUE(platform::fileSize(folder.file("ok.ini")).value_or(0) > 0);
}

}  // namespace
}  // namespace qm
