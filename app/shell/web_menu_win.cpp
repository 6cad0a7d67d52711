#include "app/shell/web_menu_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "app/shell/commands_win.h"
#include "app/shell/main_window_win.h"
#include "app/web/web_sites.h"
#include "common/platform/files.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

struct SiteMenu {
  HWND main = nullptr;
  HWND info = nullptr;
  HMENU popup = nullptr;
  std::string webFile;
};

SiteMenu& siteMenu() {
  static SiteMenu instance;
  return instance;
}

constexpr UINT_PTR kSubclassId = 1500;

// The information view's own right click shows the site menu rather than reaching the main window.
LRESULT CALLBACK infoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_CONTEXTMENU) {
    const SiteMenu& m = siteMenu();
    if (!m.popup || GetMenuItemCount(m.popup) <= 0) return 0;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard
      RECT rect;
      GetWindowRect(window, &rect);
      at = {rect.left + 8, rect.top + 8};
    }
    TrackPopupMenu(m.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m.main, nullptr);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, infoProcedure, kSubclassId);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void startSiteMenu(HWND main, HWND info, HMENU popup, const std::string& programFolder) {
  SiteMenu& m = siteMenu();
  m.main = main;
  m.info = info;
  m.popup = popup;
  m.webFile = platform::joinPath(programFolder, web::kWebFileName);
  if (info) SetWindowSubclass(info, infoProcedure, kSubclassId, 0);
  refreshSiteMenu();
}

void refreshSiteMenu() {
  const SiteMenu& m = siteMenu();
  if (!m.popup) return;
  while (GetMenuItemCount(m.popup) > 0) DeleteMenu(m.popup, 0, MF_BYPOSITION);
  const std::vector<web::Site> sites = web::loadSites(platform::IniFile(m.webFile));
  for (std::size_t i = 0; i < sites.size(); ++i)
    AppendMenuA(m.popup, MF_STRING, web::kFirstSiteCommand + i + 1, sites[i].name.c_str());
}

void openWebSite(std::size_t n, CommandContext& context) {
  const std::vector<web::Site> sites = web::loadSites(platform::IniFile(siteMenu().webFile));
  const std::string key = context.list ? context.list->currentItem() : std::string();
  if (n < 1 || n > sites.size() || key.empty()) return;
  db::DbConnection db;
  db.open(context.app->dbPath);
  const auto values = web::itemValues(db, key);
  db.close();
  if (!values) return;
  const web::SiteUrl site = web::siteUrl(sites[n - 1], *values);
  auto sink = platform::makeWindowSink(context.owner);
  if (site.refusal) {
    sink->show(*site.refusal, text::sjis("エラー"), platform::MessageIcon::Error, platform::MessageButtons::Ok);
    return;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(context.owner, "open", site.url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    sink->show(text::sjis("ブラウザを開けませんでした。\n") + "\"" + site.url + "\"", text::sjis("エラー"),
               platform::MessageIcon::Error, platform::MessageButtons::Ok);
  }
}

}  // namespace qm::shell
