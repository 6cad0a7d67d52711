#include "app/maintenance/multi_image_commands_win.h"

#include "app/ui/busy_cursor_win.h"
#include "common/platform/message_sink.h"

namespace qm::maintenance {

bool dissolveSelectedSet(HWND owner, const std::string& dbPath, const std::vector<SetItem>& selected) {
  if (selected.empty()) return false;
  const auto sink = platform::makeWindowSink(owner);
  SetOutcome outcome;
  {
    ui::BusyCursor busy;
    outcome = dissolveSet(dbPath, selected.front(), *sink);
  }
  return outcome.ran;
}

bool removeSelectedItems(HWND owner, const std::string& dbPath, const std::vector<SetItem>& selected) {
  if (selected.empty()) return false;
  const auto sink = platform::makeWindowSink(owner);
  SetOutcome outcome;
  {
    ui::BusyCursor busy;
    outcome = removeFromLibrary(dbPath, selected, *sink);
  }
  return outcome.ran;
}

bool joinDroppedItems(HWND owner, const std::string& dbPath, const SetItem& target,
                      const std::vector<SetItem>& dropped) {
  const auto sink = platform::makeWindowSink(owner);
  ui::BusyCursor busy;
  return joinIntoSet(dbPath, target, dropped, *sink).ran;
}

}  // namespace qm::maintenance
