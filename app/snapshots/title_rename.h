// Renaming the pictures that are named after a title (the title rule's names)
// when the title changes, so they stay found.
#pragma once

#include <string>
#include <vector>

namespace qm::snapshots {

struct RenameCount {
  int renamed = 0;
  int refused = 0;  // a file of the new name was there already, or the move failed
};

// In each of `folders` (duplicates and "" passed over), every picture whose
// name is `oldTitle` plus ".bmp", ".png", ".gif" or ".jpg" (ASCII case
// ignored) becomes `newTitle` with the same extension; nothing is overwritten.
// Titles that hold a path separator rename nothing.
RenameCount renameTitlePictures(const std::vector<std::string>& folders, const std::string& oldTitle,
                                const std::string& newTitle);

}  // namespace qm::snapshots
