#include "app/capture/snapshot_steps.h"

#include "app/capture/snapshot_files.h"
#include "app/capture/snapshot_result.h"

namespace qm::capture {
namespace {

// `success` when any name got it, else the last failure (10 or more), else `current`.
template <typename Save>
int overNames(const std::vector<std::string>& names, int success, int current, Save save) {
  bool succeeded = false;
  int failure = 0;
  for (const std::string& name : names) {
    const int result = save(name);
    if (result == success) succeeded = true;
    if (result >= kNoSnapshotFolder) failure = result;
  }
  if (succeeded) return success;
  return failure ? failure : current;
}

}  // namespace

int saveRunPictures(const SnapshotPlan& plan, const std::function<std::optional<Picture>()>& clipboardPicture) {
  const std::vector<std::string> names = snapshotNames(plan.naming, plan.names);
  int result = kNoPicture;
  if (plan.source == 2 || plan.source == 3) {
    const std::optional<Picture> picture = clipboardPicture ? clipboardPicture() : std::nullopt;
    result = overNames(names, kClipboardSaved, result,
                       [&](const std::string& name) { return savePictureAsPng(plan.folders[0], name, picture); });
  }
  if (plan.source == 1 || plan.source == 3) {
    result = overNames(names, kNewestCopied, result, [&](const std::string& name) {
      return copyNewestPicture(plan.extractFolder, plan.folders[0], name, plan.runStart);
    });
  }
  return result;
}

int keepChosenSnapshots(const SnapshotPlan& plan, const std::array<std::string, kSnapshotSlots>& chosen) {
  const std::vector<std::string> names = snapshotNames(plan.naming, plan.names);
  int failure = 0;
  for (int slot = 0; slot < kSnapshotSlots; ++slot) {
    if (chosen[slot].empty()) continue;
    for (const std::string& name : names)
      if (const int result = copySnapshotFile(chosen[slot], plan.folders[slot], name)) failure = result;
  }
  return failure;
}

}  // namespace qm::capture
