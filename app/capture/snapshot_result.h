// The outcome of saving or copying one snapshot, and the notice text of each.
#pragma once

#include <string>

namespace qm::capture {

enum SnapshotResult : int {
  kNoPicture = 0,
  kClipboardSaved = 1,
  kNewestCopied = 2,
  kNoSnapshotFolder = 10,
  kSnapshotFolderMissing = 11,
  kNoFileName = 12,
  kEncoderFailed = 101,
  kBitmapFailed = 102,
  kEncoderIdFailed = 103,
  kSaveFailed = 104,
  kCopyFailed = 201,
};

// The notice text (program text, Shift-JIS) of a result; "" for 0.
std::string snapshotResultText(int result);
// Success results are shown in blue with the success icon, the rest in red.
inline bool isSuccess(int result) { return result > 0 && result < 10; }

}  // namespace qm::capture
