// The registration exports loaded by name, as the image-add dialog binds them:
// a run started with dirAddImg, without windows, and waited for through
// setGValCRC (which waits for the previous worker).
#include <gtest/gtest.h>

#include <string>

#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "common/text/encoding.h"
#include "crclib/registration_exports.h"
#include "tests/crclib/registration_fixture.h"

namespace qm::reg::test {
namespace {

using text::sjis;

class RegistrationExportsTest : public RegistrationTest {
protected:
  void SetUp() override {
    RegistrationTest::SetUp();
    library = platform::SharedLibrary(
        platform::joinPath(platform::currentFolder(), platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
    ASSERT_TRUE(library.loaded()) << library.error();
    setGVal = library.function<SetGValCrcExport>("setGValCRC");
    dirAddImg = library.function<DirAddImgExport>("dirAddImg");
    getEsc = library.function<GetDirAddThreadEscExport>("getDirAddThreadESC");
    setEsc = library.function<SetDirAddThreadEscExport>("setDirAddThreadESC");
    version = library.function<GetLibVersionCrcExport>("getLibVersionCRC");
    ASSERT_TRUE(setGVal && dirAddImg && getEsc && setEsc && version);
  }

  platform::SharedLibrary library;
  SetGValCrcExport setGVal = nullptr;
  DirAddImgExport dirAddImg = nullptr;
  GetDirAddThreadEscExport getEsc = nullptr;
  SetDirAddThreadEscExport setEsc = nullptr;
  GetLibVersionCrcExport version = nullptr;
};

TEST_F(RegistrationExportsTest, VersionStopFlagAndARunWithoutWindows) {
  // Every name the program binds, undecorated.
  for (const char* name : {"GetFileCRC32", "GetFileCRC16", "GetMemCRC32", "GetMemCRC16", "setGValCRC",
                           "getLibVersionCRC", "dirAddImg", "setDirAddThreadESC", "getDirAddThreadESC"}) {
    EXPECT_NE(library.symbol(name), nullptr) << name;
  }
  EXPECT_EQ(version(), 4);
  setEsc(1);
  EXPECT_EQ(getEsc(), 1);
  setEsc(2);
  EXPECT_EQ(getEsc(), 2);

  const std::string root = tree("exp");
  put(root, "Game (Disk 1).d88", "123456789");
  put(root, "Game (Disk 2).d88", "abc");
  put(root, "skip.bin", "x");
  const std::string db = dbPath(), ini = folder.file("Quillmoor2.ini"), programFolder = folder.path();
  setGVal(db.c_str(), ini.c_str(), programFolder.c_str(), "", 1, nullptr);
  std::int32_t options[kOptionCount] = {};
  options[2] = 1;   // title before "("
  options[22] = 1;  // folder sets
  options[23] = options[24] = 1;
  const std::string machine = sjis("テスト");
  const char* texts[kTextCount] = {root.c_str(), machine.c_str(), "", "", "", ""};
  const std::uint32_t window[2] = {0, 0};
  EXPECT_EQ(dirAddImg(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, options, texts, window), 0);
  EXPECT_EQ(getEsc(), 0);  // cleared by the start
  setGVal(db.c_str(), ini.c_str(), programFolder.c_str(), "", 1, nullptr);
  EXPECT_EQ(rows("SELECT file_title, title, ply, crc32, crc FROM main_table ORDER BY file_name;"),
            (std::vector<std::string>{"Game (Disk 1)|Game|1|CBF43926|6F91", "Game (Disk 2)|Game|2|352441C2|61DA"}));
}

}  // namespace
}  // namespace qm::reg::test
