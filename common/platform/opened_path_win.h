// A handle on whatever a path names, file or folder, opened only to ask what
// it is: no access asked for, every kind of sharing allowed, so a file another
// program holds open is reached too. Backup semantics opens folders, and the
// open goes through links and junctions to what they point to.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace qm::platform {

struct OpenedPathCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using OpenedPath = std::unique_ptr<void, OpenedPathCloser>;

// Null when nothing is there or it cannot be opened.
inline OpenedPath openPathForQueries(const std::string& path) {
  const HANDLE opened = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return OpenedPath(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
}

}  // namespace qm::platform
