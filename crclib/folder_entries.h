// The entries of one folder for the registration walk, in name order on every
// platform (ASCII case ignored, then by bytes), so that the images of a set are
// numbered alike on Linux and Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm::reg {

struct FolderEntry {
  std::string name;  // program text, without the folder
  bool isFolder = false;
};

struct FolderListing {
  std::vector<FolderEntry> entries;
  // Names program text cannot hold (outside code page 932), shown as well as
  // it can: left out of `entries`, since no path in program text reaches them.
  std::vector<std::string> unnamed;
};

// "." and ".." are left out. Nothing when the folder cannot be read (gone, not
// a folder, or a path longer than the system takes).
std::optional<FolderListing> listFolder(const std::string& folder);

// The order listFolder sorts by.
bool nameOrder(const FolderEntry& a, const FolderEntry& b);
void sortByName(std::vector<FolderEntry>& entries);

}  // namespace qm::reg
