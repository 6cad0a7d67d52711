#include "app/launch/alter_ego_claims.h"

namespace qm::launch {

AlterEgoClaims::Claim::~Claim() {
  if (owner_) owner_->release(key_, renames_);
}

std::optional<AlterEgoClaims::Claim> AlterEgoClaims::claim(const std::string& key, bool renames) {
  std::lock_guard<std::mutex> lock(mutex_);
  Users& users = users_[key];
  const bool shared = renames ? users.renaming + users.plain > 0 : users.renaming > 0;
  if (shared) return std::nullopt;
  ++(renames ? users.renaming : users.plain);
  return std::optional<Claim>(std::in_place, this, key, renames);
}

void AlterEgoClaims::release(const std::string& key, bool renames) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = users_.find(key);
  if (found == users_.end()) return;
  --(renames ? found->second.renaming : found->second.plain);
  if (found->second.renaming + found->second.plain == 0) users_.erase(found);
}

}  // namespace qm::launch
