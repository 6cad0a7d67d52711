// A run's message boxes and item-list requests, handed from its worker thread
// to the interface thread that owns the windows. `send` carries the request
// over and returns when the interface thread has dealt with it (SendMessage);
// a box it could not show keeps the refusing answer.
#pragma once

#include <functional>
#include <string>

#include "common/platform/message_sink.h"
#include "common/run/run_context.h"

namespace qm::maintenance {

struct BoxRequest {
  const std::string& text;
  const std::string& caption;
  platform::MessageIcon icon;
  platform::MessageButtons buttons;
  platform::MessageAnswer answer;  // set by whoever shows the box
};

// No, Cancel or OK: what a box that is not shown answers.
platform::MessageAnswer refusingAnswer(platform::MessageButtons buttons);

class HandOverSink : public platform::MessageSink {
public:
  explicit HandOverSink(std::function<void(BoxRequest&)> send) : send_(std::move(send)) {}
  platform::MessageAnswer show(const std::string& text, const std::string& caption, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    BoxRequest request{text, caption, icon, buttons, refusingAnswer(buttons)};
    send_(request);
    return request.answer;
  }

private:
  std::function<void(BoxRequest&)> send_;
};

class HandOverList : public ItemListHook {
public:
  enum class Request { Emptied, Refresh };
  explicit HandOverList(std::function<void(Request)> send) : send_(std::move(send)) {}
  void emptied() override { send_(Request::Emptied); }
  void refresh() override { send_(Request::Refresh); }

private:
  std::function<void(Request)> send_;
};

}  // namespace qm::maintenance
