// A modal dialog that starts a run on a worker thread. The run's log and
// progress come through the feed, its message boxes and item-list requests
// are handed over to this thread, and closing the dialog or losing its owner
// stops the run and waits for it. runModal destroys the window before it
// returns, so the run has ended before any member of a subclass goes.
#pragma once

#include <functional>
#include <string>

#include "app/ui/dialog_run_win.h"
#include "app/ui/dialog_window_win.h"
#include "common/run/process_stop_flag.h"
#include "common/run/run_context.h"
#include "common/run/run_feed.h"
#include "common/run/run_hand_over.h"

namespace qm::ui {

class RunDialog : public DialogWindow {
protected:
  // From the worker: something to take from the feed, the run's end, a box to
  // show, the item list. The last two are sent, so the worker waits for them.
  // A subclass numbers its own messages from kFirstOwnMessage.
  enum RunMessage : UINT { kFeedPending = WM_APP + 1, kRunEnded, kShowBox, kListRequest, kFirstOwnMessage };

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void destroying() override { worker_.stopForOwnerGone(); }

  // Starts `run` on the worker with the feed emptied; runEnded follows on
  // this thread.
  void runOnWorker(std::function<void()> run);
  // What a run over the library `dbPath` is given: this dialog's feed, boxes
  // and item list.
  maintenance::RunContext runContext(const std::string& dbPath);
  // The stop or close button while the run goes on.
  void requestStop() { worker_.requestStop(); }
  bool running() const { return worker_.running(); }
  // Stops the run, waits for it and ends the dialog.
  void close();

  // Takes the feed's batch and shows it.
  virtual void showFeed() = 0;
  // The worker has been joined.
  virtual void runEnded() = 0;
  // The owner's item list, while it is still there.
  virtual void listRequest(maintenance::HandOverList::Request) {}

  maintenance::RunFeed feed_{[this] { return PostMessageA(hwnd_, kFeedPending, 0, 0) != 0; }};

private:
  void showBox(maintenance::BoxRequest& request);

  maintenance::HandOverSink sink_{[this](maintenance::BoxRequest& request) {
    SendMessageA(hwnd_, kShowBox, 0, reinterpret_cast<LPARAM>(&request));
  }};
  maintenance::HandOverList list_{[this](maintenance::HandOverList::Request request) {
    SendMessageA(hwnd_, kListRequest, static_cast<WPARAM>(request), 0);
  }};
  DialogRun worker_{maintenance::processStopFlag()};
};

}  // namespace qm::ui
