#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "common/platform/device_name.h"

namespace qm::platform {
namespace {

TEST(DeviceName, EveryDeviceInAnyCaseWithAnyExtension) {
  std::vector<std::string> devices = {"AUX", "CLOCK$", "CON", "CONFIG$", "NUL", "PRN"};
  for (const char* prefix : {"COM", "LPT"})
    for (char digit = '1'; digit <= '9'; ++digit) devices.push_back(prefix + std::string(1, digit));
  for (const std::string& device : devices) {
    std::string lower = device;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& name : {device, lower, device + ".txt", lower + ".a.b", device + " .d88", device + ". ",
                                    device + "..ini"})
      EXPECT_TRUE(isDeviceName(name)) << name;
  }
}

TEST(DeviceName, NamesThatOnlyLookLikeDevices) {
  for (const char* name : {"COM0", "LPT0", "COM10", "CONSOLE.txt", "NULL", "xCON", "AUX1.d88", "PRN_.ini", "", ".",
                           "\x83\x52\x83\x93.txt", "CON\x81\x40"})
    EXPECT_FALSE(isDeviceName(name)) << name;
}

}  // namespace
}  // namespace qm::platform
