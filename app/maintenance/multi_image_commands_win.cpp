#include "app/maintenance/multi_image_commands_win.h"

#include "app/shell/busy_cursor_win.h"
#include "app/shell/main_window_win.h"
#include "common/platform/message_sink.h"

namespace qm::maintenance {
using shell::BusyCursor;

void dissolveSelectedSet(shell::CommandContext& context) {
  const std::vector<SetItem> selected = context.selectedItems();
  if (selected.empty()) return;
  const auto sink = platform::makeWindowSink(context.owner);
  SetOutcome outcome;
  {
    BusyCursor busy;
    outcome = dissolveSet(context.app->dbPath, selected.front(), *sink);
  }
  if (outcome.ran) context.refreshItemListAt(selected.front().fileName);
}

void removeSelectedItems(shell::CommandContext& context) {
  const std::vector<SetItem> selected = context.selectedItems();
  if (selected.empty()) return;
  const auto sink = platform::makeWindowSink(context.owner);
  SetOutcome outcome;
  {
    BusyCursor busy;
    outcome = removeFromLibrary(context.app->dbPath, selected, *sink);
  }
  if (outcome.ran) context.refreshItemListAt("");
}

bool joinDroppedItems(HWND owner, const std::string& dbPath, const SetItem& target,
                      const std::vector<SetItem>& dropped) {
  const auto sink = platform::makeWindowSink(owner);
  BusyCursor busy;
  return joinIntoSet(dbPath, target, dropped, *sink).ran;
}

}  // namespace qm::maintenance
