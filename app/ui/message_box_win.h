// Message boxes of the windows, shown through the same message sink the core
// reports through, so that a box looks and answers one way everywhere.
#pragma once

#include <windows.h>

#include <string>

#include "common/platform/message_sink.h"

namespace qm::ui {

// Texts and captions are program text.
platform::MessageAnswer showBox(HWND owner, const std::string& text, const std::string& caption,
                                platform::MessageIcon icon,
                                platform::MessageButtons buttons = platform::MessageButtons::Ok);
void showError(HWND owner, const std::string& text, const std::string& caption);

}  // namespace qm::ui
