// Putting the images where the emulator reads them: archived images
// extracted to the extract folder, plain ones copied there in mode 2, and
// the prepared files renamed for the launch. Renames are journalled and put
// back when the journal goes, whatever way the launch ends.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/launch/image_list.h"

namespace qm::launch {

struct PreparationResult {
  bool ok = true;
  std::string failure;  // the first failure, kept even when later images succeed
};

// Extracts (mode >= 1, archived image) or copies (mode 2, plain image, never
// over an existing file) every row; plain images in mode 0 or 1 stay where
// they are.
PreparationResult prepareImages(const std::vector<ImageRow>& rows, const ImageListOptions& options);

// Every journal with renames registers itself, so that a program shutting
// down while emulators run can put the files back (restorePendingRenames)
// before its workers are cut off.
class RenameJournal {
public:
  RenameJournal();
  RenameJournal(const RenameJournal&) = delete;
  RenameJournal& operator=(const RenameJournal&) = delete;
  ~RenameJournal();

  // Renames and records; false (nothing recorded) when the move failed.
  bool rename(const std::string& from, const std::string& to);
  // Moves every renamed file back, latest first. Safe to call twice.
  void restore();
  std::vector<std::pair<std::string, std::string>> renames() const;

private:
  friend void restorePendingRenames();
  void restoreLocked();
  std::vector<std::pair<std::string, std::string>> renames_;
};

// Puts back the renames of every journal still open (at shutdown).
void restorePendingRenames();

// Renames the prepared files as buildImageList named them (hand-over mode 2
// or an alter-ego launch). False when one could not be renamed; `leftover`,
// when given, then names a file already under the launch name (left by a run
// cut short), or stays empty.
bool renamePreparedImages(const std::vector<ImageRow>& rows, const ImageListOptions& options,
                          RenameJournal& journal, std::string* leftover = nullptr);

}  // namespace qm::launch
