// INI files saved in another encoding are reported by name and encoding.
#include <gtest/gtest.h>

#include <string>

#include "common/platform/ini_encoding.h"
#include "common/text/encoding.h"
#include "tests/common/platform/raw_file.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

using text::sjis;

TEST(IniEncoding, ReportsWhatTheProfileFunctionsWouldMisread) {
  TempFolder folder;
  const std::string path = folder.file("Quillmoor2.ini");
  const std::string tail = sjis("\n設定を正しく読めません。シフトJIS で保存し直してください。");
  struct Case {
    std::string bytes;
    std::string said;  // after the path; empty: nothing to report
  };
  const Case cases[] = {
      {"[Main]\r\nExec=C:\\emu\\emu.exe\r\n", ""},
      {sjis("[Main]\r\nTitle=表示ソフト\r\n"), ""},
      {"", ""},
      {"\xEF\xBB\xBF[Main]\r\nExec=a\r\n", sjis(" は UTF-8（BOM付き） で保存されています。") + tail},
      {"[Main]\r\nTitle=ポスト\r\n", sjis(" は UTF-8 で保存されています。") + tail},
      {std::string("\xFF\xFE[\0M\0]\0", 8), sjis(" は UTF-16（リトルエンディアン） で保存されています。") + tail},
      {"[Main]\r\nTitle=\xE3\x81\x82\xE3\x81\x84\r\n", sjis(" の文字コードを判別できません。") + tail},
  };
  for (const Case& c : cases) {
    writeBytes(path, c.bytes);
    EXPECT_EQ(platform::iniEncodingProblem(path), c.said.empty() ? "" : path + c.said) << c.bytes;
  }
  EXPECT_EQ(platform::iniEncodingProblem(folder.file("none.ini")), "");
}

}  // namespace
}  // namespace qm::test
