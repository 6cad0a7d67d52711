// The management dialog of the master tables (a tab per kind, the list of
// its entries with their icons, add, edit, delete, renumber) and the property
// dialog of one entry. The logic is master_tables.h; these only gather input
// and show results.
#pragma once

#include <windows.h>

#include <string>

#include "app/masters/master_icons_win.h"
#include "app/masters/master_kind.h"

namespace qm::master {

// Control identifiers, also used by the end-to-end driver.
enum ManagementControl {
  kManageTab = 100,
  kManageList = 101,
  kManageAdd = 102,
  kManageEdit = 103,
  kManageDelete = 104,
  kManageRenumber = 105,
};
enum PropertyControl {
  kPropName = 200,
  kPropIcon = 201,
  kPropIconBrowse = 202,
  kPropIconPreview = 203,
  kPropNumber = 204,
  kPropSearchExt = 205,
  kPropDefaultMedia = 206,
  kPropSnapPath1 = 210,    // 211 and 212 the second and third
  kPropSnapBrowse1 = 215,  // 216 and 217 the second and third
  kPropSnapOwn = 220,
  kPropSnapFill = 221,
  kPropSnapFit = 222,
  kPropSnapPortrait = 223,
  kPropSnapThreshold = 224,
  kPropSnapTallMode = 225,
  kPropSnapShortMode = 226,
};

struct ManagementContext {
  HWND owner = nullptr;
  std::string dbPath;
  std::string programFolder;
  IconLists* icons = nullptr;  // rebuilt here after every change
};

// Shows the management dialog on the kind's tab until it is closed. True
// when an entry was added, changed, deleted or renumbered: the item list
// must then be filled again (list_view may be gone).
bool runManagement(const ManagementContext& context, Kind kind);

}  // namespace qm::master
