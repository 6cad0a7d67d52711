// The size of an image as its file or archive member has it now: the library
// does not keep sizes. Each archive is listed once, however many of its
// members are asked for.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace qm::datverify {

class ImageSizes {
public:
  // Nothing when the file or member cannot be found or read.
  std::optional<std::uint64_t> sizeOf(const std::string& key);

private:
  std::map<std::string, std::map<std::string, std::uint64_t>> archives_;
};

// The image's own file name: the last part of the member's name for a key
// "archive*member", else of the path.
std::string imageFileName(const std::string& key);

}  // namespace qm::datverify
