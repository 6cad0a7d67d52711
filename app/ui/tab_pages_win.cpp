#include "app/ui/tab_pages_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace qm::ui {

void TabPages::create(HWND tab, const std::vector<std::string>& labels) {
  tab_ = tab;
  dialog_ = GetParent(tab);
  pages_.assign(labels.size(), {});
  for (std::size_t i = 0; i < labels.size(); ++i) {
    TCITEMA page{};
    page.mask = TCIF_TEXT;
    page.pszText = const_cast<char*>(labels[i].c_str());
    SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&page));
  }
}

HWND TabPages::take(HWND control) {
  if (control && filling_ >= 0 && filling_ < static_cast<int>(pages_.size()))
    pages_[static_cast<std::size_t>(filling_)].push_back(GetDlgCtrlID(control));
  return control;
}

void TabPages::show(int page) const {
  for (std::size_t p = 0; p < pages_.size(); ++p)
    for (int id : pages_[p]) ShowWindow(GetDlgItem(dialog_, id), static_cast<int>(p) == page ? SW_SHOW : SW_HIDE);
  if (tab_ && chosen() != page) SendMessageA(tab_, TCM_SETCURSEL, page, 0);
}

int TabPages::chosen() const { return tab_ ? static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)) : -1; }

bool TabPages::onPage(HWND control) const {
  const int id = GetDlgCtrlID(control);
  return std::any_of(pages_.begin(), pages_.end(),
                     [id](const std::vector<int>& page) { return std::find(page.begin(), page.end(), id) != page.end(); });
}

// Taken from the tab drawn off screen, once: the colour depends on the theme.
HBRUSH TabPages::bodyBrush() {
  if (brush_) return brush_.get();
  RECT rect{};
  GetClientRect(tab_, &rect);
  colour_ = GetSysColor(COLOR_BTNFACE);
  const OwnedBitmap bitmap(CreateCompatibleBitmap(WindowDc(dialog_).get(), rect.right, rect.bottom));
  if (bitmap) {
    const MemoryDc memory(bitmap.get());
    SendMessageA(tab_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
    // Inside the body, clear of the tab buttons and the border.
    const COLORREF body = GetPixel(memory.get(), rect.right / 2, rect.bottom - 20);
    if (body != CLR_INVALID) colour_ = body;
  }
  brush_.reset(CreateSolidBrush(colour_));
  return brush_.get();
}

HBRUSH TabPages::colourControl(HDC dc, HWND control) {
  if (!onPage(control)) return nullptr;
  char name[16] = "";
  GetClassNameA(control, name, sizeof name);
  if (lstrcmpiA(name, "Edit") == 0) return nullptr;
  const HBRUSH brush = bodyBrush();
  SetBkColor(dc, colour_);
  return brush;
}

}  // namespace qm::ui
