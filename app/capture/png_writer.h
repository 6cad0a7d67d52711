// PNG files of pictures, compressed with zlib: one IHDR (8-bit RGB, no
// interlace), one IDAT, one IEND; every row with filter type 0.
#pragma once

#include <string>

#include "app/capture/picture.h"

namespace qm::capture {

// The whole file; "" for an empty picture.
std::string encodePng(const Picture& picture);
// Written whole, replacing a file of that name. False when it could not be.
bool writePng(const std::string& path, const Picture& picture);

}  // namespace qm::capture
