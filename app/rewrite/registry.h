// The registry as the settings rewriting needs it: open a key, read, write
// and delete its values. The program uses the Windows registry; natively,
// and in the tests, an in-memory one stands in (fake_registry.h).
//
// Data are the bytes as stored. String types hold whatever the registry's
// own form is (UTF-16 on Windows), so a backup copied from one value to
// another loses nothing; textBytes and bytesText convert program text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qm::rewrite {

// The value types, numbered as the registry numbers them.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegMultiSz = 7,
  kRegQword = 11,
};

struct RegistryValue {
  std::uint32_t type = kRegNone;
  std::string bytes;
};

class RegistryKey {
public:
  virtual ~RegistryKey() = default;
  // Nothing when the value does not exist or cannot be read.
  virtual std::optional<RegistryValue> read(const std::string& name) = 0;
  virtual bool write(const std::string& name, const RegistryValue& value) = 0;
  virtual bool remove(const std::string& name) = 0;
};

class Registry {
public:
  virtual ~Registry() = default;
  // `root` is one of the five root names (isRegistryRoot); nothing when the
  // key does not exist or cannot be opened for reading and writing.
  virtual std::unique_ptr<RegistryKey> open(const std::string& root, const std::string& subkey) = 0;
  // Program text (with any zero bytes it holds) in the registry's string form, and back.
  virtual std::string textBytes(std::string_view text) const = 0;
  virtual std::string bytesText(std::string_view bytes) const = 0;
};

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
// "HKEY_LOCAL_MACHINE" or "HKEY_USERS", in exactly that case.
bool isRegistryRoot(std::string_view root);

// The system's registry: the Windows registry, natively an empty in-memory one.
std::shared_ptr<Registry> systemRegistry();

}  // namespace qm::rewrite
