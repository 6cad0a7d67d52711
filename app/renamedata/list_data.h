// The rename list handed to the plug-in: a file read whole, or the first
// ".xml" or ".dat" member of a zip unpacked into memory, in read-only pages. The program
// never reads the list itself, but hands it over as program text: a UTF-8 or
// UTF-16 list is converted, or refused when it cannot be converted whole; a
// DAT file goes over as it is, for the plug-in that reads DATs converts it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "common/platform/read_only_memory.h"

namespace qm::renamedata {

// The most a zip member may unpack to: no list of titles comes near it, and
// a crafted archive must not fill the memory.
inline constexpr std::size_t kZipListLimit = 64u * 1024 * 1024;

struct ListData {
  std::optional<platform::ReadOnlyText> text;
  std::string failure;  // program text for the status line when there is no text
  std::string notice;   // what was converted (program text), or empty
};

ListData loadListData(const std::string& path, std::size_t zipLimit = kZipListLimit);

}  // namespace qm::renamedata
