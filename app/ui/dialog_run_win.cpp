#include "app/ui/dialog_run_win.h"

#include "app/ui/sent_message_wait_win.h"

namespace qm::ui {

void DialogRun::stopForClose() {
  if (running()) stopAndWait();
}

void DialogRun::stopForOwnerGone() {
  if (!running()) return;
  ownerGone_ = true;
  stopAndWait();
}

bool DialogRun::shows(const maintenance::BoxRequest& request) const {
  return !closing_ || request.buttons == platform::MessageButtons::Ok;
}

// The run may be waiting for a message box or for the item list: answer
// those while waiting.
void DialogRun::stopAndWait() {
  closing_ = true;
  requestStop();
  waitAnsweringSentMessages([this] { return running(); });
  wait();
}

}  // namespace qm::ui
