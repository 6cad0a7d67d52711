// The property dialog of one master entry ("AdPropertyDlg"): an add, or the
// edit of the entry of a name.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/masters/master_icons_win.h"
#include "app/masters/master_kind.h"
#include "common/db/db_connection.h"

namespace qm::master {

struct PropertyRequest {
  Kind kind = Kind::Machine;
  std::optional<std::string> name;  // the entry to edit; none for an add
  std::string programFolder;
};

// Runs the dialog until it is saved or cancelled. After a save the kind is
// renumbered and its icon lists rebuilt; the saved name comes back.
std::optional<std::string> runPropertyDialog(HWND owner, db::DbConnection& db, IconLists& icons,
                                             const PropertyRequest& request);

}  // namespace qm::master
