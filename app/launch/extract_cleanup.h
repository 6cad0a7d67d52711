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
  LibraryFolder,   // the folder of the library file
  EmulatorFolder,  // the folder of the emulator program
  HoldsImages,     // the library has images (or alter egos) in it or below it
};

// The places an emptying must not reach, as the launch knows them.
struct CleanupPlaces {
  std::string programFolder;
  std::string dbPath;
  std::string emulatorPath;  // the program: its folder is protected
};

struct CleanupResult {
  CleanupRefusal refusal = CleanupRefusal::None;
  int deleted = -1;  // files deleted; -1 when refused
};

// Why `folder` must not be emptied, None when it may.
CleanupRefusal checkExtractFolder(const std::string& folder, const CleanupPlaces& places);

// Deletes the files (not folders) directly in a folder that passed the check.
CleanupResult emptyExtractFolder(const std::string& folder, const CleanupPlaces& places);

// What the user is told of a refusal; "" when there is nothing to tell (no
// folder given, or none there, so nothing was kept from deletion).
std::string cleanupRefusalText(CleanupRefusal refusal, const std::string& folder);

}  // namespace qm::launch
