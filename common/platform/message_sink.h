// How the core tells the user something. The core never opens a message box
// itself: it calls a sink, which the window side implements with MessageBoxA,
// the command-line tool with standard error, and the tests with a recorder.
// Texts and captions are program text (Shift-JIS).
#pragma once

#include <string>

namespace qm::platform {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageSink {
public:
  virtual ~MessageSink() = default;
  virtual MessageAnswer show(const std::string& text, const std::string& caption,
                             MessageIcon icon, MessageButtons buttons) = 0;
};

// A plain notice: no caption, the information icon, one OK button.
inline void inform(MessageSink& sink, const std::string& text) {
  sink.show(text, "", MessageIcon::Information, MessageButtons::Ok);
}

// Answers every question with OK (or Yes) and shows nothing: for libraries
// called without a window.
class AcceptingSink : public MessageSink {
public:
  MessageAnswer show(const std::string&, const std::string&, MessageIcon,
                     MessageButtons buttons) override {
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
  }
};

}  // namespace qm::platform

#include <memory>

namespace qm::platform {

// The sink for a library export that receives an owner window: MessageBoxA
// owned by `owner` on Windows, where a box that cannot be shown answers Cancel
// or No; natively an AcceptingSink.
std::unique_ptr<MessageSink> makeWindowSink(void* owner);

}  // namespace qm::platform
