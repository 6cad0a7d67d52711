// An in-memory registry: what the rewriting uses natively, and what the
// tests look into. Key and value names match without regard to ASCII case,
// as the registry's do; string data are kept as program text.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "app/rewrite/registry.h"

namespace qm::rewrite {

class FakeRegistry : public Registry {
public:
  std::unique_ptr<RegistryKey> open(const std::string& root, const std::string& subkey) override;
  std::string textBytes(std::string_view text) const override { return std::string(text); }
  std::string bytesText(std::string_view bytes) const override { return std::string(bytes); }

  // Makes the key (and sets a value in it).
  void createKey(const std::string& root, const std::string& subkey);
  void set(const std::string& root, const std::string& subkey, const std::string& name, const RegistryValue& value);
  std::optional<RegistryValue> get(const std::string& root, const std::string& subkey, const std::string& name) const;
  // The value names of a key, in order of their lower-case form.
  std::vector<std::string> names(const std::string& root, const std::string& subkey) const;
  // Every write from now on fails (a key without write access).
  void refuseWrites(bool refuse) { refuseWrites_ = refuse; }

private:
  friend class FakeKey;
  using Values = std::map<std::string, std::pair<std::string, RegistryValue>>;  // lower name -> name, value
  static std::string keyId(const std::string& root, const std::string& subkey);

  mutable std::mutex lock_;
  std::map<std::string, Values> keys_;
  bool refuseWrites_ = false;
};

}  // namespace qm::rewrite
