#include "app/ui/folder_browser_win.h"

#include <shlobj.h>

#include <memory>

namespace qm::ui {
namespace {

struct PidlDeleter {
  void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using OwnedPidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

int CALLBACK selectStart(HWND browser, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

}  // namespace

std::optional<std::string> browseForFolder(HWND owner, const std::string& title, const std::string& start,
                                           BrowseFor what) {
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = (what == BrowseFor::FoldersAndFiles ? BIF_BROWSEINCLUDEFILES : BIF_RETURNONLYFSDIRS) |
                 BIF_NEWDIALOGSTYLE;
  info.lpfn = selectStart;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  const OwnedPidl chosen(SHBrowseForFolderA(&info));
  char path[MAX_PATH] = "";
  if (!chosen || !SHGetPathFromIDListA(chosen.get(), path)) return std::nullopt;
  return std::string(path);
}

}  // namespace qm::ui
