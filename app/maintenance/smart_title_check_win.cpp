#include "app/maintenance/smart_title_check_win.h"

#include "app/maintenance/smart_title_run.h"

namespace qm::maintenance {

void showSmartTitleCheck(HWND owner, const std::string& dbPath, const std::string& fileName) {
  if (fileName.empty()) return;
  const SmartTitleCheck check = checkSmartTitle(dbPath, fileName);
  MessageBoxA(owner, check.text.c_str(), smartTitleCheckCaption().c_str(),
              MB_OK | (check.ok ? MB_ICONINFORMATION : MB_ICONERROR));
}

}  // namespace qm::maintenance
