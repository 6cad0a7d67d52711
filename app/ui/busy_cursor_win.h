// The hourglass over a short piece of work on the interface thread; the old
// cursor comes back on every path out.
#pragma once

#include <windows.h>

namespace qm::ui {

class BusyCursor {
public:
  BusyCursor() : old_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { SetCursor(old_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  HCURSOR old_;
};

}  // namespace qm::ui
