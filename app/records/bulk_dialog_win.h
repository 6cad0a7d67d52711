// The bulk-change dialogs (commands 1125-1127, 1129, 1132-1134), the genre
// and extended rating popups (1128, 1131) and the adult toggle (1130) over
// the item list's selected items.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm::search {
class MigemoSource;
}

namespace qm::records {

struct BulkPlace {
  HWND owner = nullptr;
  std::string dbPath;
  std::string settingsPath;
  std::string programFolder;
  search::MigemoSource* migemo = nullptr;  // for the suggestions; may be null
  bool migemoOn = true;
  int migemoClassLimit = 12;
};

// Asks for the value of command `command`'s field and sets it for `keys`
// in one transaction. True when the library changed.
bool runBulkDialog(const BulkPlace& place, int command, const std::vector<std::string>& keys);

// The popup of the genres (`adultMarks` false) or of the extended rating
// marks at the mouse, then the chosen entry for `keys`. True when the
// library changed.
bool runMarkPopup(const BulkPlace& place, bool adultMarks, const std::vector<std::string>& keys);

}  // namespace qm::records
