// Emptying the extract folder after the last emulator ended. Deleting every
// file of a folder is only done to a folder that is plainly a scratch place.
#pragma once

#include <string>

namespace qm::launch {

enum class CleanupRefusal {
  None,
  NotAbsolute,     // empty, or relative to whatever the current folder is
  Missing,         // no such folder
  DriveRoot,       // "C:\", "\\server\share", "/"
  ProgramFolder,   // the program's own folder
  HoldsImages,     // the library has images (or alter egos) in it or below it
};

// Why `folder` must not be emptied, None when it may.
CleanupRefusal checkExtractFolder(const std::string& folder, const std::string& programFolder,
                                  const std::string& dbPath);

// Deletes the files (not folders) directly in a folder that passed the
// check; returns how many, or -1 when refused.
int emptyExtractFolder(const std::string& folder, const std::string& programFolder, const std::string& dbPath);

}  // namespace qm::launch
