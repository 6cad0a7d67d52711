#include "app/rewrite/registry.h"

namespace qm::rewrite {

bool isRegistryRoot(std::string_view root) {
  for (const char* name :
       {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"})
    if (root == name) return true;
  return false;
}

}  // namespace qm::rewrite
