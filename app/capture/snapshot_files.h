// Saving and copying snapshot pictures into a snapshot folder, and the
// automatic snapshots a launch leaves in its extract folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/capture/picture.h"

namespace qm::capture {

// 0 when pictures may go into `folder`, else 10 (no folder given) or 11 (no
// such folder). An existing folder is fine even with nothing in it yet.
int checkSnapshotFolder(const std::string& folder);

// Saves the picture as folder\name.PNG, replacing a file of that name:
// 1 saved, 0 no picture, 10/11 as above, 12 empty name, 104 not written.
int savePictureAsPng(const std::string& folder, const std::string& name, const std::optional<Picture>& picture);

// The newest "*.bmp", "*.png", "*.gif" or "*.jpg" of `folder` by write time,
// among those written at or after `since` (milliseconds since 1970; 0 for
// all). Nothing when there is none.
std::optional<std::string> newestPicture(const std::string& folder, std::int64_t since = 0);

// Copies the newest picture of the extract folder to snapshot folder\name
// plus its extension, never over an existing file: 2 copied, 0 no picture,
// 10/11, 12 empty name, 201 not copied.
int copyNewestPicture(const std::string& extractFolder, const std::string& snapshotFolder, const std::string& name,
                      std::int64_t since = 0);

// Copies one picture to snapshot folder\name plus its extension, replacing
// what is there: 0 copied, 10/11, 12 empty name, 201 not copied.
int copySnapshotFile(const std::string& picture, const std::string& snapshotFolder, const std::string& name);

// The automatic snapshots ("AutoSnap*.png") of the folder written at or after
// `since`, as full paths in name order.
std::vector<std::string> autoSnapshots(const std::string& folder, std::int64_t since);

// Deletes the folder's "AutoSnap*.png" files; returns how many, or -1 when
// the folder is not a plain absolute folder below a drive or share root (an
// empty extract path must never lead to deleting in the current folder or at
// a root).
int deleteAutoSnapshots(const std::string& folder);

}  // namespace qm::capture
