#include <windows.h>

#include "common/platform/ini.h"

namespace qm::platform {

namespace {

// Calls `read(buffer, size)` with a growing buffer until the result fits. A
// result within two bytes of the size may have been cut (a list loses its last
// name, a quoted value its last character), so only a shorter one is trusted.
template <typename Read>
std::string readGrowing(Read read) {
  std::string buffer(256, '\0');
  for (;;) {
    const DWORD n = read(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n + 2 < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string readString(std::string_view section, std::string_view key, const char* fallback,
                       const std::string& path) {
  const std::string s(section), k(key);
  return readGrowing([&](char* buffer, DWORD size) {
    return GetPrivateProfileStringA(s.c_str(), k.c_str(), fallback, buffer, size, path.c_str());
  });
}

// Names each followed by a NUL; a key with an empty name is an empty entry, so
// the list is split by its length, not at the first double NUL.
std::vector<std::string> splitNames(const std::string& list) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    names.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

const char* orNull(const std::string* s) { return s ? s->c_str() : nullptr; }

bool write(const std::string& path, std::string_view section, const std::string* key,
           const std::string* value) {
  const std::string s(section);
  return WritePrivateProfileStringA(s.c_str(), orNull(key), orNull(value), path.c_str()) != FALSE;
}

}  // namespace

// Windows cannot tell an absent key from one whose value equals the fallback,
// so a second call with another fallback settles it: only absence returns both.
std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
  static constexpr char kAbsent[] = "\x01", kStillAbsent[] = "\x02";
  std::string value = readString(section, key, kAbsent, path_);
  if (value == kAbsent && readString(section, key, kStillAbsent, path_) == kStillAbsent) {
    return std::nullopt;
  }
  return value;
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  return find(section, key).value_or(std::string(fallback));
}

int IniFile::getInt(std::string_view section, std::string_view key, int fallback) const {
  const std::string s(section), k(key);
  return static_cast<int>(GetPrivateProfileIntA(s.c_str(), k.c_str(), fallback, path_.c_str()));
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  const std::string s(section);
  return splitNames(readGrowing([&](char* buffer, DWORD size) {
    return GetPrivateProfileStringA(s.c_str(), nullptr, "", buffer, size, path_.c_str());
  }));
}

std::vector<std::string> IniFile::sections() const {
  return splitNames(readGrowing([&](char* buffer, DWORD size) {
    return GetPrivateProfileSectionNamesA(buffer, size, path_.c_str());
  }));
}

bool IniFile::writeString(std::string_view section, std::string_view key,
                          std::string_view value) const {
  if (value.size() > kMaxIniValueBytes) return false;
  const std::string k(key), v(value);
  return write(path_, section, &k, &v);
}

bool IniFile::writeInt(std::string_view section, std::string_view key, int value) const {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::deleteKey(std::string_view section, std::string_view key) const {
  const std::string k(key);
  return write(path_, section, &k, nullptr);
}

bool IniFile::deleteSection(std::string_view section) const {
  return write(path_, section, nullptr, nullptr);
}

}  // namespace qm::platform
