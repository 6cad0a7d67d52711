// The WH_GETMESSAGE hook of the user-interface thread: a mouse wheel over a
// pane of the main window focuses that pane and scrolls it, and key-down
// messages are matched against the shortcut keys of Quillmoor2_Key.ini. The
// shortcut labels of the menus follow the keys.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/keys/shortcut_keys.h"
#include "common/platform/message_sink.h"

namespace qm::shell {

struct KeyboardPanes {
  HWND main = nullptr;
  HWND itemList = nullptr;
  HWND queryView = nullptr;
  HWND groupView = nullptr;
  HWND searchBar = nullptr;  // may be missing: its focus moves then do nothing
  HWND info = nullptr;       // only for the mouse wheel
  HWND groupTabs = nullptr;  // counts as the group view
  // Shows the group kind `step` tabs further (+1 next, -1 previous).
  std::function<void(int step)> stepGroupKind;
};

// Loads the keys, writes their labels into `menus` (the bar and its context
// copies) and installs the hook; a hook that cannot be installed is reported
// and the program goes on without shortcuts.
void startKeyboard(const std::string& programFolder, const KeyboardPanes& panes, std::vector<HMENU> menus,
                   platform::MessageSink& sink);
void stopKeyboard();
// At exit: key-up events for Right Alt, Shift and Left Ctrl, 200 ms apart and
// 200 ms after the last, so that no modifier a key script pressed stays held
// down once the program is gone.
void releaseModifierKeys();
// After the assignment dialog saved: reads the file again and relabels.
void reloadShortcutKeys();
// For the panes built later: the search bar, and what the item-list search
// key starts. Until set, their keys stay with the focused control.
void setSearchBar(HWND searchBar);
void setItemListSearch(std::function<void()> start);
// The keys in use (the drag modifier of the item list reads it).
const keys::KeyValues& shortcutKeys();

// Writes the first entries' labels into the items of `menu` and its submenus.
void applyShortcutLabels(HMENU menu, const keys::KeyValues& values);

}  // namespace qm::shell
