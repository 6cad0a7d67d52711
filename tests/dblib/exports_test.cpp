// The two C exports, loaded from the built library as the program loads them.
#include <gtest/gtest.h>

#include <cstdint>

#include "common/platform/export.h"
#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "tests/dblib/legacy_fixtures.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <thread>

#include "common/text/encoding.h"
#endif

namespace qm::dblib::test {
namespace {

using GetLibVersion = int(QM_STDCALL*)();
using MakeDbAndTable = int(QM_STDCALL*)(const char*, void*, std::int16_t*, const char*, const char*, const char*);

class ExportsTest : public ::testing::Test {
protected:
  void SetUp() override {
    // The tests run in the folder the library is built into.
    library = platform::SharedLibrary(
        platform::joinPath(platform::currentFolder(), platform::sharedLibraryFileName("Quillmoor2_Lib")));
    ASSERT_TRUE(library.loaded()) << library.error();
    getLibVersion = library.function<GetLibVersion>("getLibVersion");
    makeDb = library.function<MakeDbAndTable>("MakeDBandTable");
    ASSERT_TRUE(getLibVersion && makeDb);
  }

  int callMakeDb(std::int16_t* declined) {
    const SetupPaths& p = harness.paths;
    return makeDb(p.dbPath.c_str(), nullptr, declined, p.programFolder.c_str(), p.dbFileName.c_str(),
                  p.settingsPath.c_str());
  }

  platform::SharedLibrary library;
  GetLibVersion getLibVersion = nullptr;
  MakeDbAndTable makeDb = nullptr;
  SetupHarness harness;
};

TEST_F(ExportsTest, LibraryVersion) { EXPECT_EQ(getLibVersion(), 100008); }

TEST_F(ExportsTest, CreatesTheDatabaseAndNeverClearsTheDeclinedFlag) {
  std::int16_t declined = 1;
  EXPECT_EQ(callMakeDb(&declined), 0);
  EXPECT_EQ(declined, 1);
  EXPECT_EQ(qm::test::queryRows(harness.paths.dbPath,
                                "SELECT (SELECT ver FROM qlm_table), (SELECT count(*) FROM media_info_table);"),
            std::vector<std::string>{"8|13"});
}

#ifdef _WIN32
// Presses a button of the message box with the given caption once it shows.
class BoxAnswerer {
public:
  BoxAnswerer(const std::string& captionUtf8, int button)
      : caption_(text::sjis(captionUtf8)), button_(button), thread_([this] { run(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  bool answered() const { return answered_; }

private:
  void run() {
    for (int wait = 0; wait < 600 && !stop_; ++wait) {
      if (HWND box = FindWindowA("#32770", caption_.c_str())) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
        answered_ = true;
        return;
      }
      Sleep(100);
    }
  }

  std::string caption_;
  int button_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> answered_{false};
  std::thread thread_;
};

TEST_F(ExportsTest, DeclinedUpgradeSetsTheFlag) {
  ASSERT_NO_FATAL_FAILURE(legacy::build(harness.paths.dbPath, 7, 7));
  const auto original = qm::test::readFile(harness.paths.dbPath);
  std::int16_t declined = 0;
  int result;
  {
    BoxAnswerer cancel("DB構造のアップデート", IDCANCEL);
    result = callMakeDb(&declined);
    EXPECT_TRUE(cancel.answered());
  }
  EXPECT_EQ(result, -1);
  EXPECT_EQ(declined, 1);
  EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(harness.paths.dbPath), original));
  EXPECT_TRUE(harness.backups().empty());
}
#else
// Natively the export has no window to ask in and takes every question as OK.
TEST_F(ExportsTest, UpgradesWithoutAWindow) {
  ASSERT_NO_FATAL_FAILURE(legacy::build(harness.paths.dbPath, 7, 7));
  std::int16_t declined = 0;
  EXPECT_EQ(callMakeDb(&declined), 0);
  EXPECT_EQ(declined, 0);
  EXPECT_EQ(harness.storedVersion(), "8");
  EXPECT_EQ(harness.backups().size(), 1u);
}
#endif

}  // namespace
}  // namespace qm::dblib::test
