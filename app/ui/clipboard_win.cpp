#include "app/ui/clipboard_win.h"

namespace qm::ui {

ClipboardLock::ClipboardLock() {
  for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
    open_ = OpenClipboard(nullptr) != FALSE;
    if (!open_) Sleep(25);
  }
}

ClipboardLock::~ClipboardLock() {
  if (open_) CloseClipboard();
}

void emptyClipboard() {
  ClipboardLock lock;
  if (lock.open()) EmptyClipboard();
}

}  // namespace qm::ui
