// The pictures of one run kept after the emulator ended: the clipboard
// picture saved as PNG and/or the newest picture of the extract folder
// copied, into the first snapshot folder under each name of the naming mode;
// or, after automatic snapshots, the pictures the user chose copied into the
// three snapshot folders.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/capture/picture.h"
#include "app/capture/snapshot_names.h"

namespace qm::capture {

inline constexpr int kSnapshotSlots = 3;

struct SnapshotPlan {
  int source = 0;  // "ExtPicToSnap": 0 none, 1 newest picture, 2 clipboard, 3 both
  int naming = 0;  // "CRC32Name"
  NameSource names;
  std::array<std::string, kSnapshotSlots> folders;  // the machine's snapshot folders, resolved
  std::string extractFolder;
  std::int64_t runStart = 0;  // only pictures written since count
};

// Steps 1 and 2 of the clipboard and newest-picture source; the result code
// for the notice (0: nothing to tell). `clipboardPicture` is asked once.
int saveRunPictures(const SnapshotPlan& plan, const std::function<std::optional<Picture>()>& clipboardPicture);

// Copies the chosen pictures ("" for none) into the slots' folders under
// each name; the last failure code, else 0.
int keepChosenSnapshots(const SnapshotPlan& plan, const std::array<std::string, kSnapshotSlots>& chosen);

}  // namespace qm::capture
