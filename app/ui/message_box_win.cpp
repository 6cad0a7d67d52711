#include "app/ui/message_box_win.h"

namespace qm::ui {

platform::MessageAnswer showBox(HWND owner, const std::string& text, const std::string& caption,
                                platform::MessageIcon icon, platform::MessageButtons buttons) {
  return platform::makeWindowSink(owner)->show(text, caption, icon, buttons);
}

void showError(HWND owner, const std::string& text, const std::string& caption) {
  showBox(owner, text, caption, platform::MessageIcon::Error);
}

}  // namespace qm::ui
