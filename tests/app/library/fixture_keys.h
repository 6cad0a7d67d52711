// Keys of three images of the list fixture that the item commands' tests act on.
#pragma once

#include <string>

namespace qm::shell::test {

inline const std::string kHoshi = "C:\\roms\\hoshi.nes";  // favourites "13" in the fixture
inline const std::string kUmi = "C:\\roms\\umi.sfc";
inline const std::string kKiri = "C:\\roms\\kiri_1.d88";

}  // namespace qm::shell::test
