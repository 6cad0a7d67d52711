// The run a modal dialog starts, with what the dialog needs when it goes
// while the run is active: the run is asked to stop and waited for, and what
// the run sends to the dialog meanwhile is answered so it can end.
#pragma once

#include "common/run/run_hand_over.h"
#include "common/run/run_worker.h"

namespace qm::ui {

class DialogRun : public maintenance::RunWorker {
public:
  using RunWorker::RunWorker;

  // The dialog closes: stop the run and wait for it.
  void stopForClose();
  // The dialog's window is destroyed with the main window: the same, and the
  // main window's item list is no longer the run's to touch.
  void stopForOwnerGone();

  bool ownerGone() const { return ownerGone_; }
  // A question asked while the dialog closes stays unshown, so it gets the
  // refusing answer; a plain notice is still shown.
  bool shows(const maintenance::BoxRequest& request) const;

private:
  void stopAndWait();

  bool closing_ = false;
  bool ownerGone_ = false;
};

}  // namespace qm::ui
