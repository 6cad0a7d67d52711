#include <windows.h>

#include "common/platform/message_sink.h"

namespace qm::platform {

namespace {

UINT iconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::None: break;
  }
  return 0;
}

UINT buttonFlag(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel: return MB_OKCANCEL;
    case MessageButtons::YesNo: return MB_YESNO;
    case MessageButtons::Ok: break;
  }
  return MB_OK;
}

// A box that could not be shown (MessageBoxA returns 0) counts as the refusing
// answer: the user agreed to nothing.
MessageAnswer answerFor(int id, MessageButtons buttons) {
  switch (id) {
    case IDOK: return MessageAnswer::Ok;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    case IDCANCEL: return MessageAnswer::Cancel;
  }
  if (buttons == MessageButtons::YesNo) return MessageAnswer::No;
  return buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

class WindowSink : public MessageSink {
public:
  explicit WindowSink(HWND owner) : owner_(owner) {}

  MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) override {
    const int id = MessageBoxA(owner_, text.c_str(), caption.c_str(), iconFlag(icon) | buttonFlag(buttons));
    return answerFor(id, buttons);
  }

private:
  HWND owner_;
};

}  // namespace

std::unique_ptr<MessageSink> makeWindowSink(void* owner) {
  return std::make_unique<WindowSink>(static_cast<HWND>(owner));
}

}  // namespace qm::platform
