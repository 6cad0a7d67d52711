// The shell's folder browser, opening at a given path; its item list is
// freed on every path out.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qm::ui {

enum class BrowseFor { Folders, FoldersAndFiles };

// The chosen path (program text), or nothing when the user cancelled or chose
// something that is not in the file system. `start` "" opens at the default.
std::optional<std::string> browseForFolder(HWND owner, const std::string& title, const std::string& start,
                                           BrowseFor what);

}  // namespace qm::ui
