#include "tests/support/recording_sink.h"

#include "common/text/encoding.h"

namespace qm::test {

std::ostream& operator<<(std::ostream& out, const RecordedMessage& message) {
  return out << "{caption \"" << text::sjisToUtf8(message.caption) << "\", text \"" << text::sjisToUtf8(message.text)
             << "\", icon " << static_cast<int>(message.icon) << ", buttons " << static_cast<int>(message.buttons)
             << "}";
}

platform::MessageAnswer RecordingSink::show(const std::string& text, const std::string& caption,
                                            platform::MessageIcon icon, platform::MessageButtons buttons) {
  messages_.push_back({text, caption, icon, buttons});
  return answer_;
}

std::vector<std::string> RecordingSink::captions() const {
  std::vector<std::string> result;
  for (const auto& message : messages_) result.push_back(text::sjisToUtf8(message.caption));
  return result;
}

}  // namespace qm::test
