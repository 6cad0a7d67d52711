// Private-profile (INI) files with the semantics of the Windows functions
// GetPrivateProfileStringA, GetPrivateProfileIntA and WritePrivateProfileStringA:
// section and key names match without regard to ASCII case, values are trimmed
// and lose one pair of surrounding quotes, the file is created by the first
// write, and Shift-JIS bytes are kept as they are. Every call reads or writes
// the file itself, as the Windows functions do; no state is cached.
//
// On Windows this calls the real functions; natively it is our own reader and
// writer, tested against Wine with the same cases.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

class IniFile {
public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // The value, or nothing when the section or key is absent.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  std::string getString(std::string_view section, std::string_view key,
                        std::string_view fallback = {}) const;
  // As GetPrivateProfileIntA: the fallback when the key is absent or empty,
  // otherwise the leading decimal number (0 when there is none).
  int getInt(std::string_view section, std::string_view key, int fallback) const;

  // Key names of a section, and section names, in file order.
  std::vector<std::string> keys(std::string_view section) const;
  std::vector<std::string> sections() const;

  bool writeString(std::string_view section, std::string_view key, std::string_view value) const;
  bool writeInt(std::string_view section, std::string_view key, int value) const;
  bool deleteKey(std::string_view section, std::string_view key) const;
  bool deleteSection(std::string_view section) const;

private:
  std::string path_;
};

}  // namespace qm::platform
