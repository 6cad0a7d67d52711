// The configurable shortcut keys of Quillmoor2_Key.ini: the catalogue of
// entries, the value encoding, matching against a pressed key and the labels
// they write into the menus. The message hook (keyboard_hook_win.h) and the
// assignment dialog are the window side.
//
// A value packs the virtual-key code in bits 0-11 (0: no key), the Alt flag in
// bits 12-15, Ctrl in bits 16-19 and Shift from bit 20 up; a flag counts as
// held when its field is 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/ini.h"

namespace qm::shell::keys {

inline constexpr const char* kKeyFileName = "Quillmoor2_Key.ini";
inline constexpr const char* kKeySection = "KeyConfig";
inline constexpr int kTabKey = 9;

// Panes the focus may be in when a key arrives.
enum class Pane : std::uint8_t { ItemList, QueryView, GroupView, SearchBar, TextField, Other };

enum class Action : std::uint8_t {
  Command,         // the menu command `menuId`
  EmulatorChoice,  // opens the "エミュレータで起動" submenu
  ItemListSearch,
  SelectAll,
  FocusMove,       // from `from` to `to`
  DragModifier,    // held while dragging in the item list; never an action of its own
};

struct Entry {
  const char* key;       // INI key
  int fallback;          // value when the file has none
  Action action;
  std::uint16_t menuId;  // the command, and the menu item whose label it sets; 0 for none
  const char* title;     // UTF-8, for the assignment dialog
  Pane from = Pane::Other;
  Pane to = Pane::Other;
};

inline constexpr std::size_t kEntryCount = 21;
// The first kLabelledEntries entries set menu labels, in table order.
inline constexpr std::size_t kLabelledEntries = 12;
const std::array<Entry, kEntryCount>& entries();

// Values in the order of entries().
using KeyValues = std::array<int, kEntryCount>;

KeyValues defaultKeys();
// A missing file or key gives the default.
KeyValues loadKeys(const platform::IniFile& ini);
// All 21 keys as decimal text, in table order. False when a write failed.
bool saveKeys(const platform::IniFile& ini, const KeyValues& values);

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

int keyCode(int value);
Modifiers modifiersOf(int value);
int encodeKey(int code, Modifiers modifiers);

// The pressed key is the value's code (never 0) and each modifier is held
// exactly when the value asks for it.
bool matches(int value, int pressedCode, Modifiers held);

// The keys the assignment dialog offers, 0 (none) first: letters, digits,
// F1-F12, Tab, Enter, Space, Delete and the other editing keys, the arrows
// and the punctuation keys.
std::vector<int> assignableKeys();

// "SHIFT+", "CTRL+", "ALT+" in this order, then the key's character: letters,
// digits and Tab as their code, the other keys by name ("F5", "DEL", "LEFT").
std::string shortcutLabel(int value);
// The label cut after its tab, with shortcutLabel appended; a label without a
// tab is returned as it is.
std::string relabel(const std::string& label, int value);
// As the assignment dialog lists a key: "TAB" for Tab, "" for no key.
std::string dialogKeyText(int value);
// The menu label entry `entry` sets, from the menu table, relabelled with
// `value`; nothing for the entries without a menu item.
std::optional<std::string> menuLabel(std::size_t entry, int value);

// The entry to carry out for a key pressed with the focus in `focus`: the
// first in table order that matches and applies there. Focus moves apply in
// the pane they leave; in a text field (the search bar or an edit box) only
// those apply, so typed letters stay letters.
std::optional<std::size_t> findShortcut(const KeyValues& values, int pressedCode, Modifiers held, Pane focus);

// The group pane's own keys, which are not configurable: Ctrl+PageDown shows
// the next group kind, Ctrl+PageUp the one before, and Tab moves the focus
// between the pane's list and its tabs, where Right and Left switch kinds too.
// Configured shortcuts are matched first.
enum class GroupPaneKey : std::uint8_t { None, NextKind, PreviousKind, TabsOrList };
GroupPaneKey groupPaneKey(int pressedCode, Modifiers held, Pane focus, bool onTabs);

}  // namespace qm::shell::keys
