#include "app/ui/run_dialog_win.h"

#include "common/platform/message_sink.h"

namespace qm::ui {

LRESULT RunDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kFeedPending: showFeed(); return 0;
    case kRunEnded:
      worker_.wait();
      runEnded();
      return 0;
    case kShowBox: showBox(*reinterpret_cast<maintenance::BoxRequest*>(lParam)); return 0;
    case kListRequest:
      if (!worker_.ownerGone()) listRequest(static_cast<maintenance::HandOverList::Request>(wParam));
      return 0;
  }
  return DialogWindow::handle(message, wParam, lParam);
}

void RunDialog::runOnWorker(std::function<void()> run) {
  feed_.take();
  worker_.start([this, run = std::move(run)] {
    run();
    PostMessageA(hwnd_, kRunEnded, 0, 0);
  });
}

maintenance::RunContext RunDialog::runContext(const std::string& dbPath) {
  return {dbPath, sink_, feed_, list_, maintenance::processStopFlag()};
}

void RunDialog::close() {
  worker_.stopForClose();
  endModal();
}

void RunDialog::showBox(maintenance::BoxRequest& request) {
  if (!worker_.shows(request)) return;
  request.answer = platform::makeWindowSink(hwnd_)->show(request.text, request.caption, request.icon, request.buttons);
}

}  // namespace qm::ui
