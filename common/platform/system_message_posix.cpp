#include <system_error>

#include "common/platform/system_message.h"
#include "common/text/encoding.h"

namespace qm::platform {

std::string systemMessage(unsigned long code) {
  return text::utf8ToSjis(std::generic_category().message(static_cast<int>(code)));
}

}  // namespace qm::platform
