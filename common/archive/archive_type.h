// The four archive types the program reads, told apart by file extension only,
// as the registration walk and the launch decide which reader to use.
#pragma once

#include <optional>
#include <string_view>

namespace qm::archive {

enum class ArchiveType { Lzh, Zip, Rar, SevenZip };

// "lzh", "zip", "rar" or "7z", ASCII case ignored.
std::optional<ArchiveType> archiveTypeFromText(std::string_view type);
// From the text after the last "." of the file name (program text).
std::optional<ArchiveType> archiveTypeOf(std::string_view path);
// The type's extension in lower case.
const char* archiveTypeText(ArchiveType type);

}  // namespace qm::archive
