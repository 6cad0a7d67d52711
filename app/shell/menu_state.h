// Which commands of the "編集" menu may be chosen and which are checked, from
// the first selected item of the item list, as the menus show them each time
// one opens. A command whose feature is not built stays greyed whatever the
// item. Also the favourite labels and the tool bar check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::shell {

// The first selected item's values, as the item list reads them.
struct FirstSelected {
  std::string ply;         // "1" for the parent of a multi-image item
  std::string emusetName;  // its own emulator setting, "" for none
  std::string alterEgo;    // "1" when it launches through an alter ego
  std::string fave;        // favourite digits
};

struct ItemState {
  std::uint16_t id;
  bool enabled;
  bool checked;
};

// The states of 1124-1151, nothing selected when `first` is absent.
std::vector<ItemState> editMenuStates(const FirstSelected* first);

// The label of favourite slot `slot`: its digit, then the group's name from
// the settings when it has one.
std::string favouriteLabel(int slot, const std::string& name);

}  // namespace qm::shell
