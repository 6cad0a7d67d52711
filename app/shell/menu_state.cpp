#include "app/shell/menu_state.h"

#include "app/menus/menu_table.h"

namespace qm::shell {

std::vector<ItemState> editMenuStates(const FirstSelected* first) {
  using namespace menu;
  std::vector<ItemState> states;
  for (std::uint16_t id = kEditRecord; id <= kResetBootInfo; ++id) {
    const bool favourite = id >= kFavourite0 && id < kFavourite0 + 10;
    // The creator change is usable without a selection; the favourites have
    // no greying of their own and stop when nothing is selected.
    bool enabled = first != nullptr || favourite || id == kBulkCreator;
    bool checked = false;
    if (first) {
      if (id == kReleaseMultiImage) enabled = first->ply == "1";
      if (id == kReleaseEmulatorChoice) enabled = !first->emusetName.empty();
      if (id == kAlterEgo) checked = first->alterEgo == "1";
      if (favourite) checked = first->fave.find(static_cast<char>('0' + (id - kFavourite0))) != std::string::npos;
    }
    states.push_back({id, enabled && commandAvailable(id), checked});
  }
  return states;
}

std::string favouriteLabel(int slot, const std::string& name) {
  std::string label(1, static_cast<char>('0' + slot));
  return name.empty() ? label : label + ": " + name;
}

}  // namespace qm::shell
