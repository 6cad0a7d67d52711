#include "common/platform/message_sink.h"

namespace qm::platform {

// No window system natively: whoever passes an owner here is a library export
// driven by a test or the command-line tool.
std::unique_ptr<MessageSink> makeWindowSink(void*) { return std::make_unique<AcceptingSink>(); }

}  // namespace qm::platform
