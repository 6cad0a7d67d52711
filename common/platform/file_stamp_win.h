// A FileStamp from any of the Win32 records that carry a file's size and last
// write time (WIN32_FILE_ATTRIBUTE_DATA, BY_HANDLE_FILE_INFORMATION), so that
// a stamp taken by path and one taken from an open handle always compare.
#pragma once

#include <cstdint>

#include "common/platform/files.h"

namespace qm::platform {

template <typename Info>
FileStamp stampFrom(const Info& info) {
  FileStamp stamp;
  stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                             info.ftLastWriteTime.dwLowDateTime);
  return stamp;
}

}  // namespace qm::platform
