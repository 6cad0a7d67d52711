// A MessageSink for tests: records every box and answers with a set answer.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "common/platform/message_sink.h"

namespace qm::test {

struct RecordedMessage {
  std::string text;     // program text (Shift-JIS), as shown
  std::string caption;  // program text
  platform::MessageIcon icon = platform::MessageIcon::None;
  platform::MessageButtons buttons = platform::MessageButtons::Ok;
};

// Prints the texts as UTF-8, so a failing comparison is readable.
std::ostream& operator<<(std::ostream& out, const RecordedMessage& message);

class RecordingSink : public platform::MessageSink {
public:
  explicit RecordingSink(platform::MessageAnswer answer = platform::MessageAnswer::Ok) : answer_(answer) {}

  platform::MessageAnswer show(const std::string& text, const std::string& caption, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

  void setAnswer(platform::MessageAnswer answer) { answer_ = answer; }
  const std::vector<RecordedMessage>& messages() const { return messages_; }
  // Captions of all boxes in order, as UTF-8.
  std::vector<std::string> captions() const;
  void clear() { messages_.clear(); }

private:
  platform::MessageAnswer answer_;
  std::vector<RecordedMessage> messages_;
};

}  // namespace qm::test
