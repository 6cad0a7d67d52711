#include "app/capture/snapshot_files.h"

#include <algorithm>

#include "app/capture/file_time.h"
#include "app/capture/png_writer.h"
#include "app/capture/snapshot_result.h"
#include "app/launch/path_parts.h"
#include "common/platform/confined_delete.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"

namespace qm::capture {
namespace {

using platform::joinPath;

std::string extensionOf(const std::string& path) { return launch::pathPart(path, launch::PathPiece::Extension); }

}  // namespace

int checkSnapshotFolder(const std::string& folder) {
  if (folder.empty()) return kNoSnapshotFolder;
  return platform::folderExists(folder) ? 0 : kSnapshotFolderMissing;
}

int savePictureAsPng(const std::string& folder, const std::string& name, const std::optional<Picture>& picture) {
  if (!picture || picture->empty()) return kNoPicture;
  if (const int problem = checkSnapshotFolder(folder)) return problem;
  if (name.empty()) return kNoFileName;
  return writePng(joinPath(folder, name + ".PNG"), *picture) ? kClipboardSaved : kSaveFailed;
}

std::optional<std::string> newestPicture(const std::string& folder, std::int64_t since) {
  std::optional<std::string> newest;
  std::int64_t newestTime = 0;
  for (const char* pattern : {"*.bmp", "*.png", "*.gif", "*.jpg"}) {
    for (const std::string& name : platform::listMatchingFiles(folder, pattern)) {
      const std::string path = joinPath(folder, name);
      const auto written = fileWriteTime(path);
      if (!written || *written < since) continue;
      if (!newest || *written > newestTime) {
        newest = path;
        newestTime = *written;
      }
    }
  }
  return newest;
}

int copyNewestPicture(const std::string& extractFolder, const std::string& snapshotFolder, const std::string& name,
                      std::int64_t since) {
  if (const int problem = checkSnapshotFolder(snapshotFolder)) return problem;
  const auto newest = newestPicture(extractFolder, since);
  if (!newest) return kNoPicture;
  if (name.empty()) return kNoFileName;
  const std::string target = joinPath(snapshotFolder, name + "." + extensionOf(*newest));
  return platform::copyFileNoOverwrite(*newest, target) == platform::CopyResult::Copied ? kNewestCopied : kCopyFailed;
}

int copySnapshotFile(const std::string& picture, const std::string& snapshotFolder, const std::string& name) {
  if (const int problem = checkSnapshotFolder(snapshotFolder)) return problem;
  if (name.empty()) return kNoFileName;
  const std::string target = joinPath(snapshotFolder, name + "." + extensionOf(picture));
  if (target == picture) return 0;
  return platform::copyFileOver(picture, target) ? 0 : kCopyFailed;
}

std::vector<std::string> autoSnapshots(const std::string& folder, std::int64_t since) {
  std::vector<std::string> names = platform::listMatchingFiles(folder, "AutoSnap*.png");
  std::sort(names.begin(), names.end());
  std::vector<std::string> paths;
  for (const std::string& name : names) {
    const std::string path = joinPath(folder, name);
    const auto written = fileWriteTime(path);
    if (written && *written >= since) paths.push_back(path);
  }
  return paths;
}

int deleteAutoSnapshots(const std::string& folder) {
  const platform::DeleteDecision decision = platform::mayEmptyFolder({folder, {}, nullptr});
  if (!decision.allowed()) return -1;
  return platform::deleteMatchingFiles(decision.resolved, "AutoSnap*.png");
}

}  // namespace qm::capture
