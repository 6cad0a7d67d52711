// Quillmoor2_Key.ini: the stored values and their bytes, matching with exact
// modifiers, the menu labels, and which entry a key carries out in which pane.
#include <gtest/gtest.h>

#include <string>

#include "app/keys/shortcut_keys.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::shell::keys {
namespace {

using text::sjis;

std::size_t indexOf(const char* key) {
  for (std::size_t i = 0; i < kEntryCount; ++i)
    if (std::string(entries()[i].key) == key) return i;
  ADD_FAILURE() << key;
  return 0;
}

TEST(ShortcutKeyFile, MissingFileGivesDefaultsAndSaveWritesAll21InTableOrder) {
  test::TempFolder folder;
  platform::IniFile ini(folder.file(kKeyFileName));
  KeyValues values = loadKeys(ini);
  EXPECT_EQ(values, defaultKeys());
  EXPECT_EQ(values[indexOf("SelectAll")], 65601);
  EXPECT_EQ(values[indexOf("focus_l2t")], 65545);

  values[indexOf("BulkChange_Publisher")] = encodeKey('D', {true, true, false});
  ASSERT_TRUE(saveKeys(ini, values));
  EXPECT_EQ(test::readFile(ini.path()).value_or(""),
            "[KeyConfig]\r\nEditRecord=69\r\nSelecEmu=88\r\nBulkChange_Title=82\r\nBulkChange_Maker=77\r\n"
            "BulkChange_Publisher=1114180\r\nBulkChange_Country=0\r\nBulkChange_Creator=0\r\n"
            "BulkChange_Genre=71\r\nBulkChange_Adult=65\r\nBulkChange_CERO=0\r\nBulkChange_Version=0\r\n"
            "BulkChange_ReleaseDate=0\r\nItemListSearch=70\r\nSelectAll=65601\r\nfocus_l2t=65545\r\n"
            "focus_t2g=65545\r\nfocus_g2l=65545\r\nfocus_l2s=9\r\nfocus_s2l=9\r\nfocus_s2t=65545\r\n"
            "listdrag=0\r\n");
  EXPECT_EQ(loadKeys(ini), values);
}

TEST(ShortcutKeyFile, KeysMissingFromTheFileKeepTheirDefaults) {
  test::TempFolder folder;
  platform::IniFile ini(folder.file(kKeyFileName));
  ASSERT_TRUE(test::writeFile(ini.path(), "[KeyConfig]\r\nEditRecord=0\r\nlistdrag=1048576\r\n"));
  KeyValues values = loadKeys(ini);
  EXPECT_EQ(values[indexOf("EditRecord")], 0);
  EXPECT_EQ(values[indexOf("listdrag")], 1048576);
  EXPECT_EQ(values[indexOf("BulkChange_Title")], 'R');
}

TEST(ShortcutKeyValue, EncodingAndLabels) {
  struct Case {
    int value;
    int code;
    Modifiers modifiers;
    const char* label;
    const char* listed;
  };
  const Case cases[] = {
      {69, 'E', {}, "E", "E"},
      {65601, 'A', {false, true, false}, "CTRL+A", "CTRL+A"},
      {65545, 9, {false, true, false}, "CTRL+\t", "CTRL+TAB"},
      {0x110045, 'E', {true, true, false}, "SHIFT+CTRL+E", "SHIFT+CTRL+E"},
      {0x111058, 'X', {true, true, true}, "SHIFT+CTRL+ALT+X", "SHIFT+CTRL+ALT+X"},
      {0x1030, '0', {false, false, true}, "ALT+0", "ALT+0"},
      {0, 0, {}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(keyCode(c.value), c.code);
    const Modifiers m = modifiersOf(c.value);
    EXPECT_EQ(m.shift, c.modifiers.shift);
    EXPECT_EQ(m.ctrl, c.modifiers.ctrl);
    EXPECT_EQ(m.alt, c.modifiers.alt);
    if (c.value) {
      EXPECT_EQ(encodeKey(c.code, c.modifiers), c.value);
    }
    EXPECT_EQ(shortcutLabel(c.value), c.label);
    EXPECT_EQ(dialogKeyText(c.value), c.listed);
  }
  // A flag field holding anything but 1 is not a held modifier.
  EXPECT_FALSE(modifiersOf(0x20045).ctrl);
}

TEST(ShortcutKeyValue, RelabelCutsAtTheTabAndKeepsIt) {
  EXPECT_EQ(relabel(sjis("レコード編集\tE"), 69), sjis("レコード編集\tE"));
  EXPECT_EQ(relabel(sjis("開発元\tD"), 0), sjis("開発元\t"));
  EXPECT_EQ(relabel(sjis("拡張R指定\tShift+A"), 0x100041), sjis("拡張R指定\tSHIFT+A"));
  EXPECT_EQ(relabel(sjis("エミュレータで起動\tX"), 0x110045), sjis("エミュレータで起動\tSHIFT+CTRL+E"));
  EXPECT_EQ(relabel(sjis("終了"), 69), sjis("終了"));
}

TEST(ShortcutKeyMatch, ModifiersMustBeHeldExactly) {
  const Modifiers none, shift{true, false, false}, ctrl{false, true, false}, shiftCtrl{true, true, false},
      alt{false, false, true};
  EXPECT_TRUE(matches(69, 'E', none));
  EXPECT_FALSE(matches(69, 'E', ctrl));  // Ctrl+E is not E
  EXPECT_FALSE(matches(69, 'E', alt));
  EXPECT_FALSE(matches(69, 'F', none));
  EXPECT_TRUE(matches(0x110045, 'E', shiftCtrl));
  EXPECT_FALSE(matches(0x110045, 'E', ctrl));
  EXPECT_FALSE(matches(0x110045, 'E', shift));
  EXPECT_FALSE(matches(0x110045, 'E', {true, true, true}));
  EXPECT_TRUE(matches(0x1045, 'E', alt));
  EXPECT_FALSE(matches(0, 0, none));  // no key assigned never matches
  EXPECT_FALSE(matches(0x10000, 0, ctrl));
}

TEST(ShortcutKeyMatch, DefaultsByPane) {
  const KeyValues values = defaultKeys();
  const Modifiers none, ctrl{false, true, false};
  struct Case {
    int code;
    Modifiers held;
    Pane focus;
    const char* entry;  // nullptr: nothing happens
  };
  const Case cases[] = {
      {9, none, Pane::ItemList, "focus_l2s"},
      {9, ctrl, Pane::ItemList, "focus_l2t"},
      {9, ctrl, Pane::QueryView, "focus_t2g"},
      {9, ctrl, Pane::GroupView, "focus_g2l"},
      {9, none, Pane::SearchBar, "focus_s2l"},
      {9, ctrl, Pane::SearchBar, "focus_s2t"},
      {9, none, Pane::QueryView, nullptr},
      {9, none, Pane::TextField, nullptr},
      {'E', none, Pane::ItemList, "EditRecord"},
      {'E', none, Pane::GroupView, "EditRecord"},
      {'E', none, Pane::Other, "EditRecord"},
      {'E', ctrl, Pane::ItemList, nullptr},
      {'E', none, Pane::SearchBar, nullptr},  // typed into the search bar
      {'E', none, Pane::TextField, nullptr},
      {'A', ctrl, Pane::ItemList, "SelectAll"},
      {'A', ctrl, Pane::SearchBar, nullptr},
      {'A', none, Pane::ItemList, "BulkChange_Adult"},
      {'F', none, Pane::ItemList, "ItemListSearch"},
      {'X', none, Pane::QueryView, "SelecEmu"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " in pane " + std::to_string(static_cast<int>(c.focus)));
    const auto found = findShortcut(values, c.code, c.held, c.focus);
    if (!c.entry) {
      EXPECT_FALSE(found) << entries()[found.value_or(0)].key;
    } else {
      ASSERT_TRUE(found);
      EXPECT_STREQ(entries()[*found].key, c.entry);
    }
  }
}

TEST(ShortcutKeyMatch, TheDragModifierIsNeverAnAction) {
  KeyValues values{};
  values[indexOf("listdrag")] = 'Z';
  EXPECT_FALSE(findShortcut(values, 'Z', {}, Pane::ItemList));
}

}  // namespace
}  // namespace qm::shell::keys
