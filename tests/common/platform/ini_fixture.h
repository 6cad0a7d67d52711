// INI cases run the same way natively and under Wine, each on a file of its
// own: Wine caches profiles by name, so reusing one could read stale data.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/platform/ini.h"
#include "tests/common/platform/raw_file.h"
#include "tests/support/temp_folder.h"

namespace qm::test {

class IniTest : public ::testing::Test {
protected:
  std::string freshPath() { return folder_.file("case" + std::to_string(++files_) + ".ini"); }

  platform::IniFile fileWith(std::string_view bytes) {
    std::string path = freshPath();
    writeBytes(path, bytes);
    return platform::IniFile(path);
  }

  TempFolder folder_;

private:
  int files_ = 0;
};

}  // namespace qm::test
