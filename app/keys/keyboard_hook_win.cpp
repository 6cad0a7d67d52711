#include "app/keys/keyboard_hook_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <initializer_list>

#include "app/menus/menu_table.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using keys::Action;
using keys::Pane;

struct KeyboardState {
  HHOOK hook = nullptr;
  KeyboardPanes panes;
  std::vector<HMENU> menus;
  std::string keyFile;
  keys::KeyValues values = keys::defaultKeys();
  std::function<void()> itemListSearch;
};

// One hook per process: the user-interface thread is the only one with windows.
KeyboardState& state() {
  static KeyboardState instance;
  return instance;
}

const std::string& emulatorChoiceLabel() {
  static const std::string label = text::sjis("エミュレータで起動");
  return label;
}

std::string itemLabel(HMENU menu, UINT item, BOOL byPosition) {
  char buffer[512] = "";
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = sizeof buffer;
  if (!GetMenuItemInfoA(menu, item, byPosition, &info)) return {};
  return buffer;
}

void setItemLabel(HMENU menu, UINT item, BOOL byPosition, const std::string& label) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(label.c_str());
  SetMenuItemInfoA(menu, item, byPosition, &info);
}

// The submenu item "エミュレータで起動" has no command of its own: found by its label.
HMENU findSubmenu(HMENU menu, const std::string& name, HMENU* parent = nullptr, int* position = nullptr) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(menu, i);
    if (!sub) continue;
    const std::string label = itemLabel(menu, static_cast<UINT>(i), TRUE);
    if (label.substr(0, label.find('\t')) == name) {
      if (parent) *parent = menu;
      if (position) *position = i;
      return sub;
    }
    if (HMENU found = findSubmenu(sub, name, parent, position)) return found;
  }
  return nullptr;
}

bool isTextClass(HWND window) {
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (_stricmp(cls, "Edit") != 0 && _strnicmp(cls, "RichEdit", 8) != 0) return false;
  // Nothing is typed into a read-only edit.
  return (GetWindowLongA(window, GWL_STYLE) & ES_READONLY) == 0;
}

bool within(HWND pane, HWND window) { return pane && window && (window == pane || IsChild(pane, window)); }

Pane paneOf(HWND focus) {
  const KeyboardPanes& p = state().panes;
  if (within(p.searchBar, focus)) return Pane::SearchBar;
  if (within(p.itemList, focus)) return Pane::ItemList;
  if (within(p.queryView, focus)) return Pane::QueryView;
  if (within(p.groupView, focus) || within(p.groupTabs, focus)) return Pane::GroupView;
  return isTextClass(focus) ? Pane::TextField : Pane::Other;
}

HWND paneWindow(Pane pane) {
  const KeyboardPanes& p = state().panes;
  switch (pane) {
    case Pane::ItemList: return p.itemList;
    case Pane::QueryView: return p.queryView;
    case Pane::GroupView: return p.groupView;
    case Pane::SearchBar: return p.searchBar;
    default: return nullptr;
  }
}

// "全選択/解除": everything selected already means clear.
void toggleSelectAll(HWND list) {
  const auto count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  const auto selected = SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0);
  ListView_SetItemState(list, -1, count > 0 && selected == count ? 0 : LVIS_SELECTED, LVIS_SELECTED);
}

void showEmulatorChoice() {
  const KeyboardPanes& p = state().panes;
  HMENU sub = findSubmenu(GetMenu(p.main), emulatorChoiceLabel());
  if (!sub) return;
  RECT at{};
  const int item = ListView_GetNextItem(p.itemList, -1, LVNI_FOCUSED);
  if (item < 0 || !ListView_GetItemRect(p.itemList, item, &at, LVIR_LABEL)) GetClientRect(p.itemList, &at);
  POINT point{at.left, at.bottom};
  ClientToScreen(p.itemList, &point);
  TrackPopupMenu(sub, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, p.main, nullptr);
}

// False when the entry's feature is not there (yet): the key then stays
// with the control, as if no shortcut were set.
bool carryOut(const keys::Entry& entry) {
  const KeyboardPanes& p = state().panes;
  switch (entry.action) {
    case Action::Command:
      if (!menu::commandAvailable(entry.menuId)) return false;
      PostMessageA(p.main, WM_COMMAND, MAKEWPARAM(entry.menuId, 0), 0);
      return true;
    case Action::EmulatorChoice:
      if (!menu::featureBuilt(menu::Feature::Launch)) return false;
      showEmulatorChoice();
      return true;
    case Action::SelectAll:
      if (!p.itemList) return false;
      toggleSelectAll(p.itemList);
      return true;
    case Action::FocusMove: {
      HWND target = paneWindow(entry.to);
      if (!target || !IsWindowVisible(target)) return false;
      SetFocus(target);
      return true;
    }
    case Action::ItemListSearch:
      if (!state().itemListSearch) return false;
      state().itemListSearch();
      return true;
    case Action::DragModifier:
      return false;
  }
  return false;
}

void onKeyDown(MSG& message) {
  const KeyboardPanes& p = state().panes;
  // A modal dialog disables the main window; its own keys are its own.
  if (!p.main || !IsWindowEnabled(p.main)) return;
  HWND focus = GetFocus();
  if (!focus || GetAncestor(focus, GA_ROOT) != p.main) return;
  // An open menu takes its keys from the queue through the hook as well.
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) &&
      (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE)))
    return;
  const keys::Modifiers held{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
  const int code = static_cast<int>(message.wParam);
  const Pane pane = paneOf(focus);
  const auto found = keys::findShortcut(state().values, code, held, pane);
  // Taken from the queue as WM_NULL, so that the control neither sees the
  // key nor gets a character for it.
  if (found && carryOut(keys::entries()[*found])) {
    message.message = WM_NULL;
  } else if (const keys::GroupPaneKey key = keys::groupPaneKey(code, held, pane, within(p.groupTabs, focus));
             key != keys::GroupPaneKey::None) {
    if (key == keys::GroupPaneKey::TabsOrList) {
      SetFocus(within(p.groupTabs, focus) ? p.groupView : p.groupTabs);
    } else if (p.stepGroupKind) {
      p.stepGroupKind(key == keys::GroupPaneKey::NextKind ? 1 : -1);
    }
    message.message = WM_NULL;
  }
}

void onMouseWheel(MSG& message) {
  const KeyboardPanes& p = state().panes;
  if (!p.main || GetForegroundWindow() != p.main || !IsWindowEnabled(p.main)) return;
  const POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  HWND under = WindowFromPoint(point);
  for (HWND pane : {p.itemList, p.queryView, p.groupView, p.info, p.searchBar}) {
    if (!within(pane, under)) continue;
    if (GetFocus() != pane) SetFocus(pane);
    message.hwnd = pane;  // the wheel scrolls the pane it is over
    return;
  }
}

LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(state().hook, code, wParam, lParam);
  // A peek that leaves the message in the queue would see the same key again.
  if (code != HC_ACTION || wParam != PM_REMOVE) return next;
  MSG& message = *reinterpret_cast<MSG*>(lParam);
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    onKeyDown(message);
  } else if (message.message == WM_MOUSEWHEEL) {
    onMouseWheel(message);
  }
  return next;
}

void relabelAll() {
  for (HMENU menu : state().menus) applyShortcutLabels(menu, state().values);
  if (state().panes.main) DrawMenuBar(state().panes.main);
}

}  // namespace

void applyShortcutLabels(HMENU menu, const keys::KeyValues& values) {
  for (std::size_t i = 0; i < keys::kLabelledEntries; ++i) {
    const keys::Entry& entry = keys::entries()[i];
    if (entry.menuId) {
      const std::string label = itemLabel(menu, entry.menuId, FALSE);
      if (!label.empty()) setItemLabel(menu, entry.menuId, FALSE, keys::relabel(label, values[i]));
    } else if (entry.action == Action::EmulatorChoice) {
      HMENU parent = nullptr;
      int position = 0;
      if (findSubmenu(menu, emulatorChoiceLabel(), &parent, &position)) {
        const UINT at = static_cast<UINT>(position);
        setItemLabel(parent, at, TRUE, keys::relabel(itemLabel(parent, at, TRUE), values[i]));
      }
    }
  }
}

void startKeyboard(const std::string& programFolder, const KeyboardPanes& panes, std::vector<HMENU> menus,
                   platform::MessageSink& sink) {
  KeyboardState& s = state();
  s.panes = panes;
  s.menus = std::move(menus);
  s.keyFile = platform::joinPath(programFolder, keys::kKeyFileName);
  s.values = keys::loadKeys(platform::IniFile(s.keyFile));
  relabelAll();
  s.hook = SetWindowsHookExA(WH_GETMESSAGE, hookProcedure, nullptr, GetCurrentThreadId());
  if (!s.hook) {
    sink.show(text::sjis("フックのインストールに失敗しました"), "hHook", platform::MessageIcon::None,
              platform::MessageButtons::Ok);
  }
}

void stopKeyboard() {
  KeyboardState& s = state();
  if (s.hook) UnhookWindowsHookEx(s.hook);
  s.hook = nullptr;
  s.panes = {};
  s.menus.clear();
  s.itemListSearch = nullptr;
}

void releaseModifierKeys() {
  for (WORD key : {VK_RMENU, VK_SHIFT, VK_LCONTROL}) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = key;
    up.ki.dwFlags = KEYEVENTF_KEYUP | (key == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &up, sizeof up);
    Sleep(200);
  }
}

void reloadShortcutKeys() {
  KeyboardState& s = state();
  if (s.keyFile.empty()) return;
  s.values = keys::loadKeys(platform::IniFile(s.keyFile));
  relabelAll();
}

void setSearchBar(HWND searchBar) { state().panes.searchBar = searchBar; }

void setItemListSearch(std::function<void()> start) { state().itemListSearch = std::move(start); }

const keys::KeyValues& shortcutKeys() { return state().values; }

}  // namespace qm::shell
