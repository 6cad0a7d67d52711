// Which alter-ego items live launches of this process are using. Files
// renamed for a launch stay in the user's alter-ego folder under the launch
// names until that launch ends, and every alter-ego launch first puts back
// whatever names are recorded for its item (to mend a run cut short). So a
// launch that renames needs the item to itself, and one that renames nothing
// may share it only with others that rename nothing: a second launch that
// would otherwise move the first one's files back under its emulator is
// refused instead.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace qm::launch {

class AlterEgoClaims {
public:
  // Held for the whole launch; releases the item when it goes.
  class Claim {
  public:
    Claim(AlterEgoClaims* owner, std::string key, bool renames)
        : owner_(owner), key_(std::move(key)), renames_(renames) {}
    Claim(Claim&& other) noexcept
        : owner_(std::exchange(other.owner_, nullptr)), key_(std::move(other.key_)), renames_(other.renames_) {}
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    Claim& operator=(Claim&&) = delete;
    ~Claim();

  private:
    AlterEgoClaims* owner_;
    std::string key_;
    bool renames_;
  };

  // Nothing when a live launch uses the item `key` in a way this one may not share.
  std::optional<Claim> claim(const std::string& key, bool renames);

private:
  struct Users {
    int renaming = 0;
    int plain = 0;
  };
  void release(const std::string& key, bool renames);

  std::mutex mutex_;
  std::map<std::string, Users> users_;
};

}  // namespace qm::launch
