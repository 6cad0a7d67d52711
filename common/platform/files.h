// The file and folder operations the core needs. Paths are program text
// (Shift-JIS); natively they are converted to the file system's UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name; no separator is doubled.
std::string joinPath(std::string_view folder, std::string_view name);
// The folder part of a path, without its trailing separator ("" for a bare name).
std::string folderOf(std::string_view path);
// The part after the last separator.
std::string fileNameOf(std::string_view path);

bool fileExists(const std::string& path);       // a file or a folder
bool folderExists(const std::string& path);
std::optional<std::uint64_t> fileSize(const std::string& path);  // 64-bit, nothing when absent
bool createFolder(const std::string& path);
bool deleteFile(const std::string& path);
bool truncateFile(const std::string& path);      // to 0 bytes

enum class CopyResult { Copied, TargetExists, Failed };
// Copies without overwriting, as CopyFileA with its fail-if-exists flag.
CopyResult copyFileNoOverwrite(const std::string& from, const std::string& to);

// Deletes every file in `folder` whose name matches `pattern` ("*" and "?"
// wildcards, ASCII case ignored, as FindFirstFileA matches); returns the count.
int deleteMatchingFiles(const std::string& folder, const std::string& pattern);

std::string currentFolder();

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime localTimeNow();

}  // namespace qm::platform
