// Where a path text is cut into folders and a name. Paths are program text
// (Shift-JIS), always scanned by character: the trail byte of "表" or "ソ" is
// 0x5C, the same byte as "\", and never separates.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm::platform {

// Which characters separate.
enum class Separators {
  // "\" and "/" on every system: for text that was typed, stored or read from
  // an archive (library keys, emulator settings, member names), which may come
  // from Windows whatever system reads it.
  Both,
  // The file system's own: "\" and "/" on Windows, "/" alone elsewhere, where
  // "\" is an ordinary character of a name the system handed us.
  Native,
};

bool isSeparator(char c, Separators which = Separators::Both);

// Position of the last separator that is a whole character, or npos.
std::size_t lastSeparator(std::string_view path, Separators which = Separators::Both);

// Position of the first separator at or after `from` (a character start) that
// is a whole character, or path.size().
std::size_t nextSeparator(std::string_view path, std::size_t from, Separators which = Separators::Both);

// A path cut at its last separator, which belongs to neither part. Without a
// separator the folder is empty and the name is the whole text.
struct PathSplit {
  std::string_view folder;
  std::string_view name;
};
PathSplit splitAtLastSeparator(std::string_view path, Separators which = Separators::Both);

// Not to be joined to a base folder: a drive ("C:", with or without a
// separator after it), a root or a network path. Both separators count.
bool isAbsolutePath(std::string_view path);

}  // namespace qm::platform
