#include "app/keys/shortcut_keys.h"

#include <string_view>
#include <vector>

#include "app/menus/menu_table.h"

namespace qm::shell::keys {
namespace {

constexpr int kCtrlA = 0x10041;
constexpr int kCtrlTab = 0x10009;

constexpr std::array<Entry, kEntryCount> kEntries{{
    {"EditRecord", 'E', Action::Command, menu::kEditRecord, "レコード編集"},
    {"SelecEmu", 'X', Action::EmulatorChoice, 0, "エミュレータで起動"},
    {"BulkChange_Title", 'R', Action::Command, menu::kBulkTitle, "一括変更：タイトル"},
    {"BulkChange_Maker", 'M', Action::Command, menu::kBulkMaker, "一括変更：メーカー"},
    {"BulkChange_Publisher", 0, Action::Command, menu::kBulkDeveloper, "一括変更：開発元"},
    {"BulkChange_Country", 0, Action::Command, menu::kBulkCountry, "一括変更：国名"},
    {"BulkChange_Creator", 0, Action::Command, menu::kBulkCreator, "一括変更：クリエイター"},
    {"BulkChange_Genre", 'G', Action::Command, menu::kBulkGenre, "一括変更：ジャンル"},
    {"BulkChange_Adult", 'A', Action::Command, menu::kBulkAdult, "一括変更：R指定 設定/解除"},
    {"BulkChange_CERO", 0, Action::Command, menu::kBulkAdultex, "一括変更：拡張R指定"},
    {"BulkChange_Version", 0, Action::Command, menu::kBulkVersion, "一括変更：バージョン/コメント"},
    {"BulkChange_ReleaseDate", 0, Action::Command, menu::kBulkSaleDate, "一括変更：発売年月日"},
    {"ItemListSearch", 'F', Action::ItemListSearch, 0, "アイテムリスト内サーチ"},
    {"SelectAll", kCtrlA, Action::SelectAll, 0, "アイテムリスト全選択/解除"},
    {"focus_l2t", kCtrlTab, Action::FocusMove, 0, "移動：アイテムリスト→クエリビュー", Pane::ItemList, Pane::QueryView},
    {"focus_t2g", kCtrlTab, Action::FocusMove, 0, "移動：クエリビュー→グループビュー", Pane::QueryView, Pane::GroupView},
    {"focus_g2l", kCtrlTab, Action::FocusMove, 0, "移動：グループビュー→アイテムリスト", Pane::GroupView, Pane::ItemList},
    {"focus_l2s", kTabKey, Action::FocusMove, 0, "移動：アイテムリスト→検索窓", Pane::ItemList, Pane::SearchBar},
    {"focus_s2l", kTabKey, Action::FocusMove, 0, "移動：検索窓→アイテムリスト", Pane::SearchBar, Pane::ItemList},
    {"focus_s2t", kCtrlTab, Action::FocusMove, 0, "移動：検索窓→グループビュー", Pane::SearchBar, Pane::GroupView},
    {"listdrag", 0, Action::DragModifier, 0, "リストビュードラッグ（複数枚指定）"},
}};

bool isTextField(Pane pane) { return pane == Pane::SearchBar || pane == Pane::TextField; }

bool appliesIn(const Entry& entry, Pane focus) {
  switch (entry.action) {
    case Action::FocusMove: return entry.from == focus;
    case Action::DragModifier: return false;
    default: return !isTextField(focus);
  }
}

}  // namespace

const std::array<Entry, kEntryCount>& entries() { return kEntries; }

KeyValues defaultKeys() {
  KeyValues values{};
  for (std::size_t i = 0; i < kEntryCount; ++i) values[i] = kEntries[i].fallback;
  return values;
}

KeyValues loadKeys(const platform::IniFile& ini) {
  KeyValues values{};
  for (std::size_t i = 0; i < kEntryCount; ++i) values[i] = ini.getInt(kKeySection, kEntries[i].key, kEntries[i].fallback);
  return values;
}

bool saveKeys(const platform::IniFile& ini, const KeyValues& values) {
  bool ok = true;
  for (std::size_t i = 0; i < kEntryCount; ++i) ok = ini.writeInt(kKeySection, kEntries[i].key, values[i]) && ok;
  return ok;
}

int keyCode(int value) { return value & 0xFFF; }

Modifiers modifiersOf(int value) {
  const auto bits = static_cast<unsigned>(value);
  return {(bits >> 20) == 1, ((bits >> 16) & 0xF) == 1, ((bits >> 12) & 0xF) == 1};
}

int encodeKey(int code, Modifiers modifiers) {
  return (code & 0xFFF) | (modifiers.alt ? 1 << 12 : 0) | (modifiers.ctrl ? 1 << 16 : 0) |
         (modifiers.shift ? 1 << 20 : 0);
}

bool matches(int value, int pressedCode, Modifiers held) {
  const int code = keyCode(value);
  if (code == 0 || code != pressedCode) return false;
  const Modifiers wanted = modifiersOf(value);
  return wanted.shift == held.shift && wanted.ctrl == held.ctrl && wanted.alt == held.alt;
}

namespace {

std::string modifierPrefix(int value) {
  const Modifiers modifiers = modifiersOf(value);
  std::string prefix;
  if (modifiers.shift) prefix += "SHIFT+";
  if (modifiers.ctrl) prefix += "CTRL+";
  if (modifiers.alt) prefix += "ALT+";
  return prefix;
}

constexpr int kFirstFunctionKey = 0x70;  // F1
constexpr int kFunctionKeys = 12;

// Keys whose virtual-key code, taken as a character, is not what the key
// shows: F5 would read "t", Delete ".", the punctuation keys half-width kana.
// The punctuation is named as a Japanese keyboard prints it.
struct NamedKey {
  int code;
  const char* name;
};
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BS"},   {0x0D, "ENTER"}, {0x20, "SPACE"}, {0x21, "PGUP"},  {0x22, "PGDN"}, {0x23, "END"},
    {0x24, "HOME"}, {0x25, "LEFT"},  {0x26, "UP"},    {0x27, "RIGHT"}, {0x28, "DOWN"}, {0x2D, "INS"},
    {0x2E, "DEL"},  {0xBA, ":"},     {0xBB, ";"},     {0xBC, ","},     {0xBD, "-"},    {0xBE, "."},
    {0xBF, "/"},    {0xC0, "@"},     {0xDB, "["},     {0xDC, "\\"},    {0xDD, "]"},    {0xDE, "^"},
    {0xE2, "_"},
};

// Letters and digits have virtual-key codes equal to their ASCII codes; so
// has Tab, whose character the menu label takes as it is.
std::string keyName(int code) {
  if (code == 0) return {};
  if (code >= kFirstFunctionKey && code < kFirstFunctionKey + kFunctionKeys) {
    std::string name(1, 'F');
    name += std::to_string(code - kFirstFunctionKey + 1);
    return name;
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.code == code) return key.name;
  }
  return std::string(1, static_cast<char>(code));
}

}  // namespace

std::vector<int> assignableKeys() {
  std::vector<int> codes{0};
  for (int c = 'A'; c <= 'Z'; ++c) codes.push_back(c);
  for (int c = '0'; c <= '9'; ++c) codes.push_back(c);
  for (int i = 0; i < kFunctionKeys; ++i) codes.push_back(kFirstFunctionKey + i);
  codes.push_back(kTabKey);
  for (const NamedKey& key : kNamedKeys) codes.push_back(key.code);
  return codes;
}

std::string shortcutLabel(int value) { return modifierPrefix(value) + keyName(keyCode(value)); }

std::string relabel(const std::string& label, int value) {
  const std::size_t tab = label.find('\t');
  if (tab == std::string::npos) return label;
  return label.substr(0, tab + 1) + shortcutLabel(value);
}

std::string dialogKeyText(int value) {
  const int code = keyCode(value);
  if (code == 0) return {};
  return modifierPrefix(value) + (code == kTabKey ? std::string("TAB") : keyName(code));
}

std::optional<std::string> menuLabel(std::size_t entry, int value) {
  if (entry >= kLabelledEntries) return std::nullopt;
  const Entry& e = kEntries[entry];
  for (const menu::MenuRow& row : menu::menuRows(menu::MenuId::Bar)) {
    const bool isItem = e.menuId ? row.kind == menu::RowKind::Command && row.id == e.menuId
                                 : row.kind == menu::RowKind::Submenu && row.feature == menu::Feature::Launch;
    if (isItem) return relabel(row.label, value);
  }
  return std::nullopt;
}

std::optional<std::size_t> findShortcut(const KeyValues& values, int pressedCode, Modifiers held, Pane focus) {
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    if (matches(values[i], pressedCode, held) && appliesIn(kEntries[i], focus)) return i;
  }
  return std::nullopt;
}

GroupPaneKey groupPaneKey(int pressedCode, Modifiers held, Pane focus, bool onTabs) {
  constexpr int kPageUp = 0x21;
  constexpr int kPageDown = 0x22;
  constexpr int kLeft = 0x25;
  constexpr int kRight = 0x27;
  if (focus != Pane::GroupView || held.shift || held.alt) return GroupPaneKey::None;
  if (!held.ctrl) {
    if (pressedCode == kTabKey) return GroupPaneKey::TabsOrList;
    if (onTabs && pressedCode == kRight) return GroupPaneKey::NextKind;
    if (onTabs && pressedCode == kLeft) return GroupPaneKey::PreviousKind;
    return GroupPaneKey::None;
  }
  if (pressedCode == kPageDown) return GroupPaneKey::NextKind;
  if (pressedCode == kPageUp) return GroupPaneKey::PreviousKind;
  return GroupPaneKey::None;
}

}  // namespace qm::shell::keys
