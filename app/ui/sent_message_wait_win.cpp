#include "app/ui/sent_message_wait_win.h"

namespace qm::ui {

void waitAnsweringSentMessages(const std::function<bool()>& busy) {
  const HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  while (busy()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  SetCursor(old);
}

}  // namespace qm::ui
