// The query dialog (a new query in `folder`, or the query file `path`) with
// its wizard and column window, and the new-folder dialog. Each returns
// true when the tree must be built again.
#pragma once

#include <windows.h>

#include <string>

namespace qm::search {

bool runQueryDialog(HWND owner, const std::string& folder, const std::string& path);
bool runNewFolderDialog(HWND owner, const std::string& parent);

}  // namespace qm::search
