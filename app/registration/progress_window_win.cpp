#include "app/registration/progress_window_win.h"

#include <commctrl.h>

#include "app/registration/registration_library.h"
#include "app/settings/settings.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/message_box_win.h"
#include "common/text/encoding.h"

namespace qm::registration {
namespace {

using text::sjis;

enum Control : int {
  kStatus = 1301,
  kItem = 1302,
  kProgress = 1303,
  kButton = 1304,
  kMarker = 1305,
};

class ProgressWindow : public ui::DialogWindow {
public:
  ProgressWindow(const RunPlace& place, const AddImageChoices& choices) : place_(place), choices_(choices) {}
  void open(HWND owner) { runModal(owner, sjis("イメージの検索と追加"), 553, 118); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kButton; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool start();
  void buttonPressed();

  const RunPlace& place_;
  const AddImageChoices& choices_;
  RegistrationLibrary library_;
  bool running_ = false;
  bool ended_ = false;  // the run said it has ended
};

void ProgressWindow::createControls() {
  add("STATIC", sjis("取り込み状況"), SS_LEFT, 0, 22, 17, 86, 12);
  add("STATIC", "--", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kStatus, 114, 17, 413, 12);
  add("STATIC", sjis("タイトル"), SS_LEFT, 0, 22, 35, 86, 12);
  add("STATIC", "--", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kItem, 114, 35, 413, 12);
  add(PROGRESS_CLASSA, "", 0, kProgress, 22, 55, 509, 21);
  add("BUTTON", sjis("中止"), BS_PUSHBUTTON | WS_TABSTOP, kButton, 232, 85, 88, 21);
  add("STATIC", sjis("■"), SS_RIGHT, kMarker, 445, 88, 86, 12);
  running_ = start();
  if (!running_) endModal();
}

// Binding is redone for every window: the library may have been replaced
// since the last run.
bool ProgressWindow::start() {
  const Binding binding = library_.bind(place_.programFolder);
  if (binding != Binding::Bound) {
    const std::string message = bindingMessage(binding, library_.reason());
    if (binding == Binding::TooOld) {
      ui::showBox(place_.mainWindow, message, "", platform::MessageIcon::None);
      // The program cannot register without a current library.
      PostMessageA(place_.mainWindow, WM_CLOSE, 0, 0);
    } else {
      ui::showError(hwnd(), message, "");
    }
    return false;
  }
  const RegistrationExports& e = library_.exports();
  char systemFolder[MAX_PATH] = "";
  GetSystemDirectoryA(systemFolder, MAX_PATH);
  const int safeLoad = readNumber(platform::IniFile(place_.settingsPath), Setting::EtcDllSafeLoad);
  e.setGValCRC(place_.dbPath.c_str(), place_.settingsPath.c_str(), place_.programFolder.c_str(), systemFolder,
               static_cast<std::int16_t>(safeLoad),
               reinterpret_cast<void*>(SendMessageA(place_.mainWindow, WM_GETFONT, 0, 0)));
  const WorkerArguments arguments = workerArguments(choices_);
  const char* texts[kTextCount];
  for (int i = 0; i < kTextCount; ++i) texts[i] = arguments.texts[i].c_str();
  e.dirAddImg(hwnd(), item(kStatus), item(kItem), item(kMarker), item(kButton), item(kProgress),
              arguments.options.data(), texts, arguments.crcWindow.data());
  return true;
}

// While the run goes, a press only asks the worker to stop (it asks the
// user); once the run has told its end, a press closes. The window waits for
// the end because the worker writes into its controls until then.
void ProgressWindow::buttonPressed() {
  if (!ended_) {
    library_.requestStop();
    return;
  }
  endModal();
}

LRESULT ProgressWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == reg::kRunEndedMessage) {
    ended_ = true;
    return 0;
  }
  if (message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == kButton || LOWORD(wParam) == IDCANCEL))) {
    if (running_) buttonPressed();
    else endModal();
    return 0;
  }
  return DialogWindow::handle(message, wParam, lParam);
}

}  // namespace

void runProgressWindow(HWND owner, const RunPlace& place, const AddImageChoices& choices) {
  ProgressWindow window(place, choices);
  window.open(owner);
}

}  // namespace qm::registration
