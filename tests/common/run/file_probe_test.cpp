// The volume root of a path, as the removal run asks whether a volume is there.
#include "common/run/file_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

using text::sjis;

TEST(VolumeRoot, OfEveryKindOfPath) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\roms\\a.d88", "C:\\"},
      {"c:/roms/a.d88", "c:\\"},
      {"D:", "D:\\"},
      {"D:a.d88", "D:\\"},
      {"\\\\server\\share\\roms\\a.d88", "\\\\server\\share\\"},
      {"//server/share/a.d88", "//server/share/"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      {"\\\\server", "\\\\server"},
      {"/home/user/a.d88", "/"},
      {"\\roms\\a.d88", "\\"},
      {"roms\\a.d88", ""},
      {"", ""},
      // "ソ" ends in the byte of "\": the share name goes on past it.
      {sjis("\\\\サーバ\\ソフト\\a.d88"), sjis("\\\\サーバ\\ソフト\\")},
  };
  for (const auto& [path, root] : cases) EXPECT_EQ(volumeRoot(path), root) << path;
}

}  // namespace
}  // namespace qm::maintenance
