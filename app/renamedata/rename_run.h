// The rename-data update of one machine: every image's key asked of the
// plug-in for the ticked items, the found values written in one transaction
// that any failed statement rolls back. The test mode asks the same and
// writes nothing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/renamedata/found_values.h"
#include "app/renamedata/rename_items.h"
#include "app/renamedata/rename_keys.h"
#include "app/renamedata/rename_plugin.h"
#include "common/platform/message_sink.h"
#include "common/run/stop_flag.h"
#include "common/text/normalize_options.h"
#include "common/text/text_normalizer.h"

namespace qm::renamedata {

// What the dialog shows while a run goes on. Called on the run's thread.
class RenameObserver {
public:
  virtual ~RenameObserver() = default;
  virtual void status(const std::string& line) = 0;    // replaces the status line
  virtual void testLine(const std::string& line) = 0;  // a line of the test result
};

struct RenameRequest {
  std::string dbPath;
  std::string machine;  // program text
  KeyType keyType = KeyType::Crc32;
  std::vector<RenameItem> items;  // ticked; those the plug-in lacks are passed by
  bool test = false;
  text::SymbolTables tables;  // for the smart title
};

// The images to walk: (key, file_name) pairs.
struct RenameKeys {
  std::vector<std::pair<std::string, std::string>> rows;
};

enum class RenameStatus {
  Declined,      // the user stopped at the question about missing CRCs
  NoKeys,        // no image has the key (reported)
  SelectFailed,  // reported
  Completed,
  Stopped,       // the rows done so far are kept (a test writes nothing anyway)
  Failed,        // a statement failed: nothing of the run was kept
};

struct RenameResult {
  RenameStatus status = RenameStatus::Completed;
  int total = 0;
  int found = 0;      // keys with anything found
  std::string error;  // Failed: the message for the box (program text)
};

// On the interface thread, before the walk: asks about images without the
// CRC and reads the keys. Nothing when the run ends here; `ended` says why.
std::optional<RenameKeys> selectRenameKeys(const RenameRequest& request, platform::MessageSink& sink,
                                           RenameObserver& observer, RenameStatus& ended);

// The walk; no message boxes (a failure comes back in the result).
RenameResult runRename(const RenameRequest& request, const RenameKeys& keys, const RenamePlugin& plugin,
                       const platform::ReadOnlyText& list, RenameObserver& observer, const StopFlag& stop);

// What the plug-in finds for one key, as stored; `smartTitles` is built from
// the request's tables once per run.
FoundValues findValues(const RenameRequest& request, const RenamePlugin& plugin, const PluginKey& key,
                       const text::TextNormalizer& smartTitles);

// The most keys a test matches before it ends.
inline constexpr int kTestMatches = 100;

std::string databaseFailureCaption();  // "DBエラー"

}  // namespace qm::renamedata
