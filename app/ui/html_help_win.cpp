#include "app/ui/html_help_win.h"

#include <shellapi.h>

#include "app/ui/message_box_win.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::ui {
namespace {

// The commands of HtmlHelpA (htmlhelp.h), which mingw does not ship.
constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kCloseAll = 0x0012;
constexpr UINT kInitialize = 0x001C;
constexpr UINT kUninitialize = 0x001D;
constexpr const char* kViewer = "hhctrl.ocx";

}  // namespace

bool HtmlHelp::start(bool safeLoad) {
  char system[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length > 0 && length < MAX_PATH) library_ = platform::SharedLibrary(platform::joinPath(system, kViewer));
  if (!library_.loaded() && !safeLoad) library_ = platform::SharedLibrary(kViewer);
  function_ = library_.loaded() ? library_.function<Function>("HtmlHelpA") : nullptr;
  if (function_) function_(nullptr, nullptr, kInitialize, reinterpret_cast<DWORD_PTR>(&cookie_));
  return function_ != nullptr;
}

bool HtmlHelp::show(HWND owner, const std::string& chm) const {
  return function_ && function_(owner, chm.c_str(), kDisplayTopic, 0) != nullptr;
}

void HtmlHelp::stop() {
  if (!function_) return;
  function_(nullptr, nullptr, kCloseAll, 0);
  function_(nullptr, nullptr, kUninitialize, cookie_);
  function_ = nullptr;
  library_ = platform::SharedLibrary();
}

HtmlHelp& htmlHelp() {
  static HtmlHelp viewer;
  return viewer;
}

void openHelp(HWND owner, const std::string& programFolder, const std::string& page) {
  const std::string file = platform::joinPath(programFolder, "Quillmoor2.chm");
  if (!platform::fileExists(file)) {
    showBox(owner, text::sjis("ヘルプファイルが見つかりません。\n") + file, text::sjis("ヘルプ"),
            platform::MessageIcon::Warning);
    return;
  }
  if (!htmlHelp().show(owner, file + "::/" + page))
    ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qm::ui
