#include "app/ui/combo_text_win.h"

#include <vector>

namespace qm::ui {

std::string comboItemText(HWND combo, int index) {
  if (index < 0) return {};
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

std::string comboSelectedText(HWND combo) {
  return comboItemText(combo, static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
}

std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace qm::ui
