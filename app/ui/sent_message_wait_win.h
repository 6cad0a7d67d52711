// Waiting on the interface thread for a worker that may itself be waiting on
// it: messages sent from other threads (a message box to show, a control's
// text) are answered while `busy` holds; the cursor shows the wait.
#pragma once

#include <windows.h>

#include <functional>

namespace qm::ui {

void waitAnsweringSentMessages(const std::function<bool()>& busy);

}  // namespace qm::ui
