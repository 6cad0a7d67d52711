// Multi-image items: one parent (ply 1) and its children (ply 2, 3, ... with
// ply_file_name naming the parent), each a row of main_table. Joining drops
// items onto a target, dissolving makes a set's rows singles again, removal
// from the library takes a parent's children with it. Every operation ends by
// rebuilding tmp_maxdisk, whatever happened before, so the list counts the
// disks the database now holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/platform/message_sink.h"

namespace qm::maintenance {

// An item as the list shows it (list_view's file_name, machine_name, ply and
// alter_ego), program text.
struct SetItem {
  std::string fileName;
  std::string machineName;
  std::string ply;       // "0" single, "1" parent, "2".. child
  std::string alterEgo;  // "1": the item launches through an alter ego
};

struct SetOutcome {
  bool ran = false;     // the library was written to (or tried): the list is filled again
  bool failed = false;  // a statement failed (reported)
};

// Drops `dropped` (in list order) onto `target`. A target that is itself
// among the dropped items is left out of them.
SetOutcome joinIntoSet(const std::string& dbPath, const SetItem& target, const std::vector<SetItem>& dropped,
                       platform::MessageSink& sink);
// Makes the set whose parent is `parent` singles again; nothing for a non-parent.
SetOutcome dissolveSet(const std::string& dbPath, const SetItem& parent, platform::MessageSink& sink);
// Removes the rows (after the user's Yes); a parent's children go with it.
// The image files are never touched.
SetOutcome removeFromLibrary(const std::string& dbPath, const std::vector<SetItem>& selected,
                             platform::MessageSink& sink);

// The items of `keys` as read from the library, in order; a key without a row
// goes to `missing`. For callers without a list (the command-line tool).
struct SetItemLookup {
  std::vector<SetItem> items;
  std::vector<std::string> missing;
  std::optional<std::string> error;
};
SetItemLookup readSetItems(const std::string& dbPath, const std::vector<std::string>& keys);

}  // namespace qm::maintenance
