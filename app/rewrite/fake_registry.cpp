#include "app/rewrite/fake_registry.h"

#include "common/text/sjis.h"

namespace qm::rewrite {

class FakeKey : public RegistryKey {
public:
  FakeKey(FakeRegistry& registry, std::string id) : registry_(registry), id_(std::move(id)) {}

  std::optional<RegistryValue> read(const std::string& name) override {
    std::lock_guard<std::mutex> guard(registry_.lock_);
    const auto& values = registry_.keys_[id_];
    const auto found = values.find(sjis::toLowerAscii(name));
    if (found == values.end()) return std::nullopt;
    return found->second.second;
  }
  bool write(const std::string& name, const RegistryValue& value) override {
    std::lock_guard<std::mutex> guard(registry_.lock_);
    if (registry_.refuseWrites_) return false;
    registry_.keys_[id_][sjis::toLowerAscii(name)] = {name, value};
    return true;
  }
  bool remove(const std::string& name) override {
    std::lock_guard<std::mutex> guard(registry_.lock_);
    if (registry_.refuseWrites_) return false;
    return registry_.keys_[id_].erase(sjis::toLowerAscii(name)) == 1;
  }

private:
  FakeRegistry& registry_;
  std::string id_;
};

std::string FakeRegistry::keyId(const std::string& root, const std::string& subkey) {
  return root + "\\" + sjis::toLowerAscii(subkey);
}

std::unique_ptr<RegistryKey> FakeRegistry::open(const std::string& root, const std::string& subkey) {
  std::lock_guard<std::mutex> guard(lock_);
  const std::string id = keyId(root, subkey);
  if (!isRegistryRoot(root) || keys_.count(id) == 0) return nullptr;
  return std::make_unique<FakeKey>(*this, id);
}

void FakeRegistry::createKey(const std::string& root, const std::string& subkey) {
  std::lock_guard<std::mutex> guard(lock_);
  keys_[keyId(root, subkey)];
}

void FakeRegistry::set(const std::string& root, const std::string& subkey, const std::string& name,
                       const RegistryValue& value) {
  std::lock_guard<std::mutex> guard(lock_);
  keys_[keyId(root, subkey)][sjis::toLowerAscii(name)] = {name, value};
}

std::optional<RegistryValue> FakeRegistry::get(const std::string& root, const std::string& subkey,
                                               const std::string& name) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto key = keys_.find(keyId(root, subkey));
  if (key == keys_.end()) return std::nullopt;
  const auto found = key->second.find(sjis::toLowerAscii(name));
  if (found == key->second.end()) return std::nullopt;
  return found->second.second;
}

std::vector<std::string> FakeRegistry::names(const std::string& root, const std::string& subkey) const {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<std::string> names;
  const auto key = keys_.find(keyId(root, subkey));
  if (key != keys_.end())
    for (const auto& entry : key->second) names.push_back(entry.second.first);
  return names;
}

}  // namespace qm::rewrite
