// Management of the four master tables (machines, media, genres, age-rating
// marks) over a DbConnection: listing, adding, editing, deleting, the order
// numbers and the icon list contents. Every message goes through the sink.
//
// What the dialogs call (the dialogs themselves are Win32 code):
// - Management dialog of a kind: listNames() fills its list; "add" calls
//   mayAdd() before opening the property dialog; "delete" calls removeEntry()
//   (it asks first) and, when it returns true, rebuilds the kind's icon lists
//   from iconSlots() and refreshes its list.
// - Property dialog: labels from textsOf(kind); for an edit, loadEntry() with
//   the chosen name, which is kept as the old name (nothing back: the dialog
//   goes on as an add); machines fill their media drop-down from
//   listNames(Kind::Media). On OK, saveEntry() with the old name (none for an
//   add): Saved closes the dialog, rebuilds the kind's icon lists (and for
//   genres and marks the selection lists) and refreshes the list; anything
//   else leaves the dialog open. Limit the name field to kMaxNameBytes.
// - Start-up with "-rebuildmaster": renumberAll(); then, as on every start,
//   the icon lists of all four kinds from iconSlots().
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/masters/master_kind.h"
#include "app/masters/master_sql.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"

namespace qm::master {

// The kind's names in name order; nothing after a reported failure.
std::optional<std::vector<std::string>> listNames(db::DbConnection& db, Kind kind, platform::MessageSink& sink);

// Whether another entry fits (fewer than kCapacity); a refusal is reported.
bool mayAdd(db::DbConnection& db, Kind kind, platform::MessageSink& sink);

// The stored entry `name` for editing; nothing after a reported failure.
std::optional<Entry> loadEntry(db::DbConnection& db, Kind kind, const std::string& name,
                               platform::MessageSink& sink);

enum class NameCheck { Ok, Empty, Reserved, NotFolderName };
// "指定なし" is reserved for media, genres and marks ("no value" in their
// choosers); a machine name must be usable as a folder name.
NameCheck checkName(Kind kind, const std::string& name);

enum class SaveOutcome { Saved, Refused, Failed };

// Validates and stores `entry`: an add without `oldName`, else an edit of
// the entry of that name. A machine whose default media changes asks whether
// its images follow; a renamed machine takes its "\emuconf\" folder and ".ini"
// under `programFolder` along. On success the kind is renumbered and list_view
// dropped. Refused (invalid or duplicate name) and Failed are reported.
SaveOutcome saveEntry(db::DbConnection& db, Kind kind, const Entry& entry, const std::optional<std::string>& oldName,
                      const std::string& programFolder, platform::MessageSink& sink);

// Asks, deletes the entry and renumbers; true when it is gone. Images keep
// the name; emulator settings are not touched.
bool removeEntry(db::DbConnection& db, Kind kind, const std::string& name, platform::MessageSink& sink);

// Numbers the kind's entries 1, 2, 3, ... in name order, in one transaction.
bool renumber(db::DbConnection& db, Kind kind, platform::MessageSink& sink);

// "-rebuildmaster": says so, then renumbers the four kinds in order.
void renumberAll(db::DbConnection& db, platform::MessageSink& sink);

enum class IconSource {
  Default,  // the program's default icon (bitmap resource 102)
  File,     // the bitmap file at `path`, loaded at 32 x 32 and 16 x 16
  Missing,  // the program's missing-icon bitmap (resource 103)
};
// What an icon path shows: "" the default icon, a missing file the
// missing-icon bitmap.
IconSource iconSourceOf(const std::string& path);

struct IconSlot {
  std::string name;  // "" for slot 0
  std::string path;
  IconSource source = IconSource::Default;
};

// The kind's icon lists, position by position: slot 0 the default icon, then
// one slot per entry in order-number order. Nothing after a reported failure.
std::optional<std::vector<IconSlot>> iconSlots(db::DbConnection& db, Kind kind, platform::MessageSink& sink);

}  // namespace qm::master
