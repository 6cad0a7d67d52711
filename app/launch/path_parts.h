// The path pieces that emulator templates and the launch use. Paths are
// program text; "\" separates, and "/" too (Windows takes both, and the
// command-line tool runs on systems that only know "/").
#pragma once

#include <string>
#include <string_view>

#include "common/platform/path_separators.h"

namespace qm::launch {

enum class PathPiece {
  FileName = 0,      // after the last separator
  BaseName = 1,      // file name cut before its last "." (a lone trailing dot stays)
  Extension = 2,     // after the last "." of the file name; "" without one
  Folder = 3,        // up to and including the last separator; the whole text without one
  LastFolderName = 4 // the folder's own name; "" for a drive root
};

// The piece of `path`, every double quote removed.
std::string pathPart(std::string_view path, PathPiece piece);

// A program path of a setting made absolute against the program folder:
// leading "..\" sequences climb from it, and the remaining "..\" are dropped;
// any other relative path is taken inside the program folder. Absolute paths
// (a drive, "\\server", a leading separator) come back unchanged.
std::string resolveProgramPath(std::string_view programFolder, std::string_view path);

// Templates and settings come from Windows: both separators count.
using platform::lastSeparator;

}  // namespace qm::launch
