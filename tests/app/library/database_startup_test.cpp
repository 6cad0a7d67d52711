// Start-up's binding of the database library by path: the library must be
// there, have both entry points and be new enough before it may touch the file.
#include "app/library/database_startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "common/text/encoding.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::shell {
namespace {

namespace fs = std::filesystem;

// The library under the name the program looks for, in a fresh program folder.
void installLibrary(const std::string& builtName, const test::TempFolder& folder) {
  fs::copy_file(fs::current_path() / builtName, fs::path(folder.path()) / "Quillmoor2_Lib.DLL");
}

DatabaseStartup startupIn(const test::TempFolder& folder) {
  DatabaseStartup startup;
  startup.programFolder = folder.path();
  startup.settingsPath = folder.file("Quillmoor2.ini");
  return startup;
}

TEST(DatabaseStartupTest, TheCurrentLibraryCreatesTheDatabase) {
  test::TempFolder folder;
  installLibrary(platform::sharedLibraryFileName("Quillmoor2_Lib"), folder);
  test::RecordingSink sink;
  DatabaseStartup startup = startupIn(folder);
  EXPECT_TRUE(prepareDatabase(startup, nullptr, sink));
  EXPECT_EQ(startup.dbPath, folder.file("Quillmoor.db"));
  EXPECT_GT(platform::fileSize(startup.dbPath).value_or(0), 0u);
  EXPECT_FALSE(startup.upgradeDeclined);
}

TEST(DatabaseStartupTest, AnOutdatedLibraryIsRefusedBeforeItRuns) {
  test::TempFolder folder;
  installLibrary(platform::sharedLibraryFileName("qm_old_library"), folder);
  test::RecordingSink sink;
  DatabaseStartup startup = startupIn(folder);
  EXPECT_FALSE(prepareDatabase(startup, nullptr, sink));
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, text::sjis("Quillmoor2_Lib.DLLが古いようです"));
  EXPECT_EQ(sink.messages()[0].caption, "");
  EXPECT_FALSE(platform::fileExists(startup.dbPath));
}

TEST(DatabaseStartupTest, AMissingLibraryEndsWithAMessage) {
  test::TempFolder folder;
  test::RecordingSink sink;
  DatabaseStartup startup = startupIn(folder);
  EXPECT_FALSE(prepareDatabase(startup, nullptr, sink));
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].caption, text::sjis("起動エラー"));
  EXPECT_NE(sink.messages()[0].text.find("Quillmoor2_Lib.DLL"), std::string::npos);
}

}  // namespace
}  // namespace qm::shell
