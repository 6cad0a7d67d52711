// Private-profile (INI) files with the semantics of the Windows functions
// GetPrivateProfileStringA, GetPrivateProfileIntA and WritePrivateProfileStringA
// as Wine implements them: section and key names match trimmed and without
// regard to ASCII case, only the first section of a repeated name counts,
// values are trimmed and lose one pair of matching quotes (" or '), and
// Shift-JIS bytes are kept as they are. Every call reads or writes the file
// itself; no state is cached.
//
// A write that changes something rewrites the whole file: CRLF line ends, blank
// lines dropped, every line trimmed, comments and lines without "=" kept. The
// file is created by the first write.
//
// On Windows this calls the real functions; natively it is our own reader and
// writer, tested against Wine with the same cases. Pass full paths: Windows
// looks for a bare file name in the Windows folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

// The longest value writeString accepts, in bytes. Windows widens the value into
// a string of at most 32767 UTF-16 units including the terminator; Wine, given
// more, stores garbage or crashes. Both platforms refuse longer values, and
// reading longer ones written by other means works on both.
inline constexpr std::size_t kMaxIniValueBytes = 32766;

class IniFile {
public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // The value, or nothing when the section or key is absent.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  std::string getString(std::string_view section, std::string_view key,
                        std::string_view fallback = {}) const;
  // As GetPrivateProfileIntA: the fallback when the key is absent or empty,
  // otherwise the leading number (0 when there is none), which may carry a
  // sign and a lower-case "0x", "0o" or "0b" prefix and wraps modulo 2^32.
  int getInt(std::string_view section, std::string_view key, int fallback) const;

  // Key names of a section, and section names, in file order with repeats.
  // Keys without a value and keys starting with ";" are left out.
  std::vector<std::string> keys(std::string_view section) const;
  std::vector<std::string> sections() const;

  // False when the file cannot be written or the value is too long. Writing the
  // value already there leaves the file untouched.
  bool writeString(std::string_view section, std::string_view key, std::string_view value) const;
  bool writeInt(std::string_view section, std::string_view key, int value) const;
  // Deleting what is not there succeeds and creates no file.
  bool deleteKey(std::string_view section, std::string_view key) const;
  bool deleteSection(std::string_view section) const;

private:
  std::string path_;
};

}  // namespace qm::platform
