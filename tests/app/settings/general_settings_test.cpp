// The general settings as the file holds them and the warning before safe
// loading is turned off.
#include "app/settings/general_settings.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::shell {
namespace {

using text::sjis;

TEST(GeneralSettings, DefaultsAndTheKeysWritten) {
  qm::test::TempFolder folder;
  platform::IniFile ini(folder.file("Quillmoor2.ini"));
  GeneralSettings values = readGeneralSettings(ini);
  EXPECT_TRUE(values.dllSafeLoad);
  EXPECT_EQ(values.searchFontHeight, 0);

  ASSERT_TRUE(writeGeneralSettings(ini, {false, 14}));
  EXPECT_EQ(qm::test::readFile(ini.path()), "[etcSetting]\r\nDLLSafeLoad=0\r\nSearchFontHeight=14\r\n");
  values = readGeneralSettings(ini);
  EXPECT_FALSE(values.dllSafeLoad);
  EXPECT_EQ(values.searchFontHeight, 14);
  EXPECT_EQ(dllSafeLoadWarning(),
            sjis("DLLロード先はパスの通った全ディレクトリが対象になります。\n\nマルウェア等により環境変数PATHの書き換え"
                 "やDLLを設置された場合の脆弱性が生じます。\nチェックを外しますか？"));
}

}  // namespace
}  // namespace qm::shell
