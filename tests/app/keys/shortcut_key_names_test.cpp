// Keys beyond letters and digits in the assignment dialog and the menu
// labels, and the group pane's own keys.
#include <gtest/gtest.h>

#include <set>

#include "app/keys/shortcut_keys.h"

namespace qm::shell::keys {
namespace {

TEST(ShortcutKeyNames, EveryOfferedKeyHasItsOwnReadableName) {
  const std::vector<int> offered = assignableKeys();
  ASSERT_EQ(offered.front(), 0);
  std::set<std::string> names;
  std::set<int> codes;
  for (std::size_t i = 1; i < offered.size(); ++i) {
    const int code = offered[i];
    SCOPED_TRACE(code);
    EXPECT_TRUE(codes.insert(code).second);
    const std::string listed = dialogKeyText(code);
    EXPECT_FALSE(listed.empty());
    EXPECT_TRUE(names.insert(listed).second) << listed;
    // Printable ASCII only: no control bytes in a label, no half-width kana.
    for (char c : listed) EXPECT_TRUE(c >= 0x21 && c <= 0x7E) << listed;
    // The value round-trips through the file's encoding with every modifier.
    const int value = encodeKey(code, {true, true, true});
    EXPECT_EQ(keyCode(value), code);
    EXPECT_EQ(dialogKeyText(value), "SHIFT+CTRL+ALT+" + listed);
  }
  for (int code : {int{'A'}, int{'Z'}, int{'0'}, int{'9'}, 0x70, 0x7B, 0x0D, 0x20, 0x2E, 0x25, 0x28, 0xBC, 0xE2, kTabKey})
    EXPECT_TRUE(codes.count(code)) << code;
}

TEST(ShortcutKeyNames, LabelsNameKeysThatAreNoCharacter) {
  struct Case {
    int value;
    const char* label;
    const char* listed;
  };
  const Case cases[] = {
      {0x74, "F5", "F5"},                // 't' as a character
      {0x7B, "F12", "F12"},
      {0x10071, "CTRL+F2", "CTRL+F2"},
      {0x2E, "DEL", "DEL"},              // '.'
      {0x0D, "ENTER", "ENTER"},          // a carriage return
      {0x20, "SPACE", "SPACE"},
      {0x25, "LEFT", "LEFT"},            // '%'
      {0x100028, "SHIFT+DOWN", "SHIFT+DOWN"},
      {0xBC, ",", ","},                  // a half-width kana byte
      {0xDC, "\\", "\\"},
      {'E', "E", "E"},
      {0x10009, "CTRL+\t", "CTRL+TAB"},  // Tab keeps its character in a label
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(shortcutLabel(c.value), c.label);
    EXPECT_EQ(dialogKeyText(c.value), c.listed);
  }
  EXPECT_EQ(relabel("x\tE", 0x77), "x\tF8");
}

TEST(GroupPaneKeys, SwitchKindsAndReachTheTabs) {
  const Modifiers none, ctrl{false, true, false}, shiftCtrl{true, true, false}, alt{false, false, true};
  struct Case {
    int code;
    Modifiers held;
    Pane focus;
    bool onTabs;
    GroupPaneKey key;
  };
  const Case cases[] = {
      {0x22, ctrl, Pane::GroupView, false, GroupPaneKey::NextKind},
      {0x21, ctrl, Pane::GroupView, true, GroupPaneKey::PreviousKind},
      {0x22, none, Pane::GroupView, false, GroupPaneKey::None},  // a page down in the pane's list
      {0x22, shiftCtrl, Pane::GroupView, false, GroupPaneKey::None},
      {0x22, ctrl, Pane::ItemList, false, GroupPaneKey::None},
      {0x22, ctrl, Pane::SearchBar, false, GroupPaneKey::None},
      {0x27, none, Pane::GroupView, true, GroupPaneKey::NextKind},
      {0x25, none, Pane::GroupView, true, GroupPaneKey::PreviousKind},
      {0x27, none, Pane::GroupView, false, GroupPaneKey::None},  // the list's own arrow
      {0x27, ctrl, Pane::GroupView, true, GroupPaneKey::None},
      {kTabKey, none, Pane::GroupView, false, GroupPaneKey::TabsOrList},
      {kTabKey, none, Pane::GroupView, true, GroupPaneKey::TabsOrList},
      {kTabKey, ctrl, Pane::GroupView, false, GroupPaneKey::None},  // focus_g2l's key
      {kTabKey, alt, Pane::GroupView, false, GroupPaneKey::None},
      {kTabKey, none, Pane::QueryView, false, GroupPaneKey::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " in pane " + std::to_string(static_cast<int>(c.focus)));
    EXPECT_EQ(groupPaneKey(c.code, c.held, c.focus, c.onTabs), c.key);
  }
  // With the defaults, no configured shortcut takes these keys in the pane first.
  EXPECT_FALSE(findShortcut(defaultKeys(), 0x22, ctrl, Pane::GroupView));
  EXPECT_FALSE(findShortcut(defaultKeys(), kTabKey, none, Pane::GroupView));
}

}  // namespace
}  // namespace qm::shell::keys
