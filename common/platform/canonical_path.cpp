#include "common/platform/canonical_path.h"

#include "common/text/sjis.h"

namespace qm::platform {

bool sameExistingFile(const std::string& a, const std::string& b) {
  const auto first = canonicalPath(a);
  const auto second = canonicalPath(b);
  if (!first || !second) return false;
#ifdef _WIN32
  return sjis::equalsIgnoreCaseAscii(*first, *second);
#else
  return *first == *second;
#endif
}

}  // namespace qm::platform
