// The clipboard, opened with a few tries: another program may hold it for a moment.
#pragma once

#include <windows.h>

namespace qm::ui {

class ClipboardLock {
public:
  ClipboardLock();
  ~ClipboardLock();
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  bool open() const { return open_; }

private:
  bool open_ = false;
};

void emptyClipboard();

}  // namespace qm::ui
