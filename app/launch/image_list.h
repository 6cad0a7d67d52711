// The images a launch hands to the emulator: entry 0 the boot image, entries
// 1..n the item's images in set order (or its alter-ego copies), with the
// names they get in the extract folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/launch/launch_item.h"
#include "common/platform/message_sink.h"

namespace qm::launch {

// One image of the item: for an alter-ego launch only fileName (its copy) is set.
struct ImageRow {
  std::string fileName;
  std::string fileArcTitle;
  std::string fileArcExt;
  std::string fileTitle;
  std::string fileExt;
};

inline constexpr int kMaxImages = 99;

// The item and the images of its set, parent first (ply, then key), at most
// `limit` of them and never more than kMaxImages; for an alter-ego launch its
// copies. Nothing when the library cannot be read (the sink was told).
std::optional<std::vector<ImageRow>> loadImageRows(const std::string& dbPath, const LaunchItem& item,
                                                   bool alterEgo, int limit, platform::MessageSink& sink);

struct ImageListOptions {
  int handOver = 0;            // "Extract"
  bool renameForLaunch = false;// hand-over mode 2 or an alter-ego launch
  int renameMode = 0;          // "ImageFnReplace"
  bool quote = false;          // "double_quart"
  int chosenImage = 0;         // 0: none picked; k: the k-th image
  std::string extractFolder;
};

// True when the image lies inside an archive ("archive*member"): decided per
// image, so a set may mix archived and plain images.
bool isArchived(const ImageRow& row);
// Where the image is handed over from, before any rename.
std::string handOverPath(const ImageRow& row, const ImageListOptions& options);
// The name a prepared file gets for the launch: blanks of its file name to
// "_" (mode 1), or an eight-digit serial number keeping the extension
// (mode 2, `number` from 1); unchanged for mode 0.
std::string renamedForLaunch(const std::string& path, int renameMode, int number);

// Entries 0..rows.size(); empty for no rows. A chosen image beyond the list
// boots the first image.
std::vector<std::string> buildImageList(const std::vector<ImageRow>& rows, const ImageListOptions& options);

}  // namespace qm::launch
