#include "app/shell/html_help_win.h"

#include "common/platform/files.h"

namespace qm::shell {
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

}  // namespace qm::shell
