#include <climits>
#include <cstdlib>
#include <memory>

#include "common/platform/canonical_path.h"
#include "common/text/encoding.h"

namespace qm::platform {

std::optional<std::string> canonicalPath(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(text::sjisToUtf8(path).c_str(), nullptr),
                                                             &std::free);
  if (!resolved) return std::nullopt;
  return text::utf8ToSjis(resolved.get());
}

}  // namespace qm::platform
