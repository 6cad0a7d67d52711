// The word size a library file was built for, read from its header (a PE
// file's optional-header magic, an ELF file's class), so that a 32-bit
// plug-in is refused by name instead of failing to load for a reason the
// user cannot read.
#pragma once

#include <string>
#include <string_view>

namespace qm::renamedata {

enum class BinaryWidth { Unknown, Bits32, Bits64 };

BinaryWidth binaryWidth(std::string_view header);  // the file's first bytes
BinaryWidth binaryWidthOfFile(const std::string& path);

}  // namespace qm::renamedata
