#include "app/search/search_bar_win.h"

#include <commctrl.h>

#include "app/search/search_history.h"
#include "app/search/suggestions.h"
#include "common/platform/ini.h"
#include "app/ui/combo_text_win.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

constexpr const char* kClass = "QmSearchBar";
constexpr int kModesId = 1;
constexpr int kTextId = 2;
constexpr int kButtonId = 3;
constexpr int kModesWidth = 150;
constexpr int kButtonWidth = 56;
constexpr int kGap = 4;
constexpr int kDropHeight = 300;
constexpr UINT_PTR kSuggestTimer = 1;
constexpr UINT kSuggestDelayMs = 500;
// The history is written a moment after the search: the list is drawn and the
// first keys after it answered before the settings file is.
constexpr UINT_PTR kHistoryTimer = 2;
constexpr UINT kHistoryDelayMs = 250;

HWND control(HWND parent, const char* cls, DWORD style, int id, const char* text = "") {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 10, kDropHeight, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

SearchBar::~SearchBar() {
  if (window_) DestroyWindow(window_);
}

bool SearchBar::registerClass(HINSTANCE instance) {
  WNDCLASSEXA bar{};
  bar.cbSize = sizeof bar;
  bar.lpfnWndProc = procedure;
  bar.hInstance = instance;
  bar.hCursor = LoadCursor(nullptr, IDC_ARROW);
  bar.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  bar.lpszClassName = kClass;
  return RegisterClassExA(&bar) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool SearchBar::create(HWND parent, SearchBarHost host) {
  host_ = std::move(host);
  window_ = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, height_, parent,
                            nullptr, GetModuleHandleA(nullptr), this);
  if (!window_) return false;
  modes_ = control(window_, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, kModesId);
  text_ = control(window_, "COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, kTextId);
  button_ = control(window_, "BUTTON", BS_PUSHBUTTON, kButtonId, text::sjis("検索").c_str());
  HFONT font = host_.font;
  if (host_.fontHeight > 0) {
    LOGFONTA face{};
    if (font) GetObjectA(font, sizeof face, &face);
    face.lfHeight = -host_.fontHeight;
    face.lfWidth = 0;
    ownFont_.reset(CreateFontIndirectA(&face));
    font = ownFont_.get();
  }
  for (HWND child : {modes_, text_, button_}) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (int mode = 0; mode < kSearchBarModeCount; ++mode)
    SendMessageA(modes_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(searchModeLabel(mode).c_str()));
  SendMessageA(modes_, CB_SETCURSEL, 0, 0);
  // Statements may be long: the box holds any length, read whole.
  SendMessageA(text_, CB_LIMITTEXT, 0, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(text_, &info) && info.hwndItem)
    SetWindowSubclass(info.hwndItem, editProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  RECT box{};
  GetWindowRect(text_, &box);
  height_ = box.bottom - box.top + 2;
  SetWindowPos(window_, nullptr, 0, 0, 400, height_, SWP_NOMOVE | SWP_NOZORDER);
  loadHistory();
  return true;
}

int SearchBar::minimumWidth() const { return kModesWidth + kButtonWidth + 120 + 2 * kGap; }

int SearchBar::mode() const {
  const auto selected = SendMessageA(modes_, CB_GETCURSEL, 0, 0);
  return selected < 0 ? kFuzzyMode : static_cast<int>(selected);
}

LRESULT CALLBACK SearchBar::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<SearchBar*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<SearchBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

// Enter in the text box searches; the combo box would only beep.
LRESULT CALLBACK SearchBar::editProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* self = reinterpret_cast<SearchBar*>(data);
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    self->searchTyped();
    return 0;
  }
  if (message == WM_CHAR && wParam == '\r') return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, editProcedure, 1);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT SearchBar::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      layout(LOWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
        searchTyped();
        return 0;
      }
      // Each change of the text restarts the wait before suggestions.
      if (LOWORD(wParam) == kTextId && HIWORD(wParam) == CBN_EDITCHANGE) {
        if (host_.fuzzyOn && mode() == kFuzzyMode && host_.suggestions)
          SetTimer(window_, kSuggestTimer, kSuggestDelayMs, nullptr);
        return 0;
      }
      // The list of past texts shows the last search too.
      if (LOWORD(wParam) == kTextId && HIWORD(wParam) == CBN_DROPDOWN) {
        writeHistory();
        return 0;
      }
      if (LOWORD(wParam) == kModesId && HIWORD(wParam) == CBN_SELCHANGE) {
        writeHistory();
        loadHistory();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kHistoryTimer) {
        writeHistory();
        return 0;
      }
      if (wParam == kSuggestTimer) {
        KillTimer(window_, kSuggestTimer);
        suggest();
        return 0;
      }
      break;
    case WM_DESTROY:
      writeHistory();
      break;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void SearchBar::writeHistory() {
  KillTimer(window_, kHistoryTimer);
  if (historyText_.empty()) return;
  addSearchHistory(platform::IniFile(host_.settingsPath), historyText_, historyMode_);
  historyText_.clear();
  loadHistory();
}

void SearchBar::layout(int width) {
  const int textWidth = std::max(60, width - kModesWidth - kButtonWidth - 2 * kGap);
  MoveWindow(modes_, 0, 1, kModesWidth, kDropHeight, TRUE);
  MoveWindow(text_, kModesWidth + kGap, 1, textWidth, kDropHeight, TRUE);
  MoveWindow(button_, kModesWidth + textWidth + 2 * kGap, 1, kButtonWidth, height_ - 2, TRUE);
}

void SearchBar::loadHistory() {
  const std::string typed = typedText();
  SendMessageA(text_, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : loadSearchHistory(platform::IniFile(host_.settingsPath), mode()))
    SendMessageA(text_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SetWindowTextA(text_, typed.c_str());
}

std::string SearchBar::typedText() const { return ui::windowText(text_); }

// The titles whose reading or Migemo pattern fits what was typed, under the
// text box; the typed text and its selection stay as they were.
void SearchBar::suggest() {
  const std::string typed = typedText();
  std::string pattern;
  if (host_.migemo && host_.migemo->enabled() && takesMigemo(typed)) {
    if (auto raw = host_.migemo->query(migemoQueryText(typed)))
      pattern = sqlPattern(*raw, host_.settings.regexMode, host_.fuzzyClassLimit);
  }
  const std::optional<std::string> statement = searchSuggestionStatement(typed, pattern, host_.settings.regexMode);
  if (!statement) return;
  const DWORD selection = static_cast<DWORD>(SendMessageA(text_, CB_GETEDITSEL, 0, 0));
  const std::vector<std::string> titles = suggestionRows(*host_.suggestions, *statement);
  SendMessageA(text_, CB_RESETCONTENT, 0, 0);
  if (!titles.empty()) {
    for (const std::string& entry : suggestionList(typed, titles, host_.wholeTitles))
      SendMessageA(text_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(text_, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(text_, CB_SETCURSEL, 0, 0);
  }
  SetWindowTextA(text_, typed.c_str());
  SendMessageA(text_, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selection), HIWORD(selection)));
}

void SearchBar::searchTyped() {
  KillTimer(window_, kSuggestTimer);
  SendMessageA(text_, CB_SHOWDROPDOWN, FALSE, 0);
  const std::string text = typedText();
  if (text.empty()) return;
  if (search(text, mode()) == 1) {
    // Written a moment later (kHistoryDelayMs); an entry still waiting goes first.
    writeHistory();
    historyText_ = text;
    historyMode_ = mode();
    SetTimer(window_, kHistoryTimer, kHistoryDelayMs, nullptr);
  }
}

int SearchBar::search(const std::string& text, int mode) {
  if (!host_.items) return -1;
  SearchRequest request;
  request.text = text;
  request.mode = mode;
  request.tables = host_.tables;
  if (host_.beforeSearch) host_.beforeSearch();
  const std::string key = host_.currentKey ? host_.currentKey() : std::string();
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const SearchOutcome outcome = searchLibrary(*host_.items, request, host_.settings, host_.migemo, *host_.sink);
  SetCursor(old);
  if (outcome.viewChanged && host_.listChanged) host_.listChanged(key, searchTimeText(outcome.took), outcome.note);
  if (outcome.result < 1 && host_.searchFailed) host_.searchFailed();
  return outcome.result;
}

}  // namespace qm::search
