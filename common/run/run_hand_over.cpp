#include "common/run/run_hand_over.h"

namespace qm::maintenance {

platform::MessageAnswer refusingAnswer(platform::MessageButtons buttons) {
  using platform::MessageAnswer;
  if (buttons == platform::MessageButtons::YesNo) return MessageAnswer::No;
  return buttons == platform::MessageButtons::OkCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

}  // namespace qm::maintenance
