#include <windows.h>

#include <cstring>

#include "app/rewrite/registry.h"

namespace qm::rewrite {
namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// Program text (code page 932 here) to UTF-16, zero bytes inside kept.
std::wstring wide(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

HKEY rootKey(const std::string& root) {
  if (root == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
  if (root == "HKEY_CURRENT_CONFIG") return HKEY_CURRENT_CONFIG;
  if (root == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  if (root == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (root == "HKEY_USERS") return HKEY_USERS;
  return nullptr;
}

// The wide functions throughout: string data move as the registry holds them,
// so a backup of a name no code page holds comes back whole.
class SystemKey : public RegistryKey {
public:
  explicit SystemKey(UniqueKey key) : key_(std::move(key)) {}

  std::optional<RegistryValue> read(const std::string& name) override {
    const std::wstring n = wide(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_.get(), n.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    RegistryValue value;
    value.type = type;
    value.bytes.resize(size);
    if (RegQueryValueExW(key_.get(), n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.bytes.data()),
                         &size) != ERROR_SUCCESS)
      return std::nullopt;
    value.bytes.resize(size);
    return value;
  }
  bool write(const std::string& name, const RegistryValue& value) override {
    return RegSetValueExW(key_.get(), wide(name).c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.bytes.data()),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
  }
  bool remove(const std::string& name) override {
    return RegDeleteValueW(key_.get(), wide(name).c_str()) == ERROR_SUCCESS;
  }

private:
  UniqueKey key_;
};

class SystemRegistry : public Registry {
public:
  std::unique_ptr<RegistryKey> open(const std::string& root, const std::string& subkey) override {
    const HKEY top = rootKey(root);
    HKEY key = nullptr;
    if (!top || RegOpenKeyExW(top, wide(subkey).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<SystemKey>(UniqueKey(key));
  }
  std::string textBytes(std::string_view text) const override {
    const std::wstring w = wide(text);
    return std::string(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(wchar_t));
  }
  std::string bytesText(std::string_view bytes) const override {
    std::wstring w(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(w.data(), bytes.data(), w.size() * sizeof(wchar_t));
    return narrow(w);
  }
};

}  // namespace

std::shared_ptr<Registry> systemRegistry() {
  static const std::shared_ptr<Registry> registry = std::make_shared<SystemRegistry>();
  return registry;
}

}  // namespace qm::rewrite
