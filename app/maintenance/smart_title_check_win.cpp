#include "app/maintenance/smart_title_check_win.h"

#include "app/maintenance/smart_title_run.h"
#include "app/ui/message_box_win.h"

namespace qm::maintenance {

void showSmartTitleCheck(HWND owner, const std::string& dbPath, const std::string& fileName) {
  if (fileName.empty()) return;
  const SmartTitleCheck check = checkSmartTitle(dbPath, fileName);
  ui::showBox(owner, check.text, smartTitleCheckCaption(),
              check.ok ? platform::MessageIcon::Information : platform::MessageIcon::Error);
}

}  // namespace qm::maintenance
