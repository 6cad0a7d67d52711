// Copying the image files of chosen items, with all disks of their sets, into
// a folder. An image inside an archive is copied as its archive or, when asked
// for, as the member alone, unpacked into a temporary folder of the run's own
// first. The library is only read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/maintenance/multi_image.h"
#include "common/platform/message_sink.h"

namespace qm::moves {

// The source frame's text: "{title} をバックアップします" for one item,
// "{title} ほか {n} ファイルをバックアップします" for n items.
std::string backupSummary(const std::string& dbPath, const std::vector<maintenance::SetItem>& selected);
// A target folder as the field shows it: with a trailing separator.
std::string withTrailingSeparator(const std::string& folder);
// "512MByte", "1.50GByte": below 1000 MByte in MByte, else GByte, two
// decimals unless both are 0.
std::string capacityText(std::uint64_t bytes);

// The keys to copy: each selected item, then a parent's disks in disk order.
// `failed` when the disks of a parent could not be read (nothing is copied then).
struct BackupKeys {
  std::vector<std::string> keys;
  bool failed = false;
  std::string error;
};
BackupKeys backupKeys(const std::string& dbPath, const std::vector<maintenance::SetItem>& selected);

// What the copy will take: the files' sizes, the members' stated sizes when
// they are unpacked, else their archives'; each source counted once.
std::uint64_t backupSize(const std::vector<std::string>& keys, bool extractMembers);

// A fresh folder under "{programFolder}/TEMP" for one run, removed with
// everything in it when the object goes: two programs running at once never
// share one.
class RunTempFolder {
public:
  explicit RunTempFolder(const std::string& programFolder);
  ~RunTempFolder();
  RunTempFolder(const RunTempFolder&) = delete;
  RunTempFolder& operator=(const RunTempFolder&) = delete;
  const std::string& path() const { return path_; }  // "" when it could not be made

private:
  std::string path_;
};

// The paths to hand to the copy, each once. A member that cannot be unpacked
// is left out after a message; members of one name from different archives get
// names of their own, so that none overwrites another.
std::vector<std::string> backupSources(const std::vector<std::string>& keys, bool extractMembers,
                                       const std::string& tempFolder, platform::MessageSink& sink);

enum class CopyOutcome { Done, Failed, Cancelled };
using FileCopy = std::function<CopyOutcome(const std::vector<std::string>& sources, const std::string& target)>;
// File by file without overwriting; an existing target file is a failure.
CopyOutcome copyPortably(const std::vector<std::string>& sources, const std::string& target,
                         platform::MessageSink& sink);

struct BackupRequest {
  std::string dbPath;
  std::string programFolder;
  std::vector<maintenance::SetItem> selected;
  bool extractMembers = true;
  std::string target;
};
// "バックアップが完了しました" or "バックアップできませんでした" follows from it.
bool backUpImages(const BackupRequest& request, platform::MessageSink& sink, const FileCopy& copy);
const std::string& backupDoneText();
const std::string& backupFailedText();

}  // namespace qm::moves
