// A picture in memory: rows from the top, three bytes (red, green, blue) a pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace qm::capture {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

  Picture() = default;
  Picture(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}
  bool empty() const { return width <= 0 || height <= 0; }
};

}  // namespace qm::capture
