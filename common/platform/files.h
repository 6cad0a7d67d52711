// The file and folder operations the core needs. Paths are program text
// (Shift-JIS); natively they are converted to the file system's UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Paths are cut by character, never inside a double-byte character. On Windows
// "/" separates as well as "\".

// folder + separator + name; no separator is doubled. A bare name when the
// folder is "".
std::string joinPath(std::string_view folder, std::string_view name);
// The folder part of a path, without its trailing separator ("" for a bare name,
// the separator itself for a name in the root).
std::string folderOf(std::string_view path);
// The part after the last separator.
std::string fileNameOf(std::string_view path);

bool fileExists(const std::string& path);       // a file or a folder
bool folderExists(const std::string& path);
std::optional<std::uint64_t> fileSize(const std::string& path);  // nothing when absent or a folder
// Size and modification time (in the file system's own units), enough to tell
// whether a copy is still the file it was copied from. Nothing for a folder.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> fileStamp(const std::string& path);
// One level; true when the folder is there afterwards, made now or before.
bool createFolder(const std::string& path);
bool deleteFile(const std::string& path);        // files only, never folders
bool truncateFile(const std::string& path);      // to 0 bytes; an absent file stays absent
// Renames or moves a file or folder, as MoveFileA: never over anything at `to`.
bool moveFile(const std::string& from, const std::string& to);

enum class CopyResult { Copied, TargetExists, Failed };
// Copies bytes and modification time without overwriting, as CopyFileA with its
// fail-if-exists flag, placed only as a whole (atomic_file.h). Anything at the target, a folder too, is TargetExists;
// a missing or unreadable source is Failed even then.
CopyResult copyFileNoOverwrite(const std::string& from, const std::string& to);

// Deletes every file in `folder` whose name matches `pattern` ("*" and "?"
// wildcards, ASCII case ignored, as FindFirstFileA matches); folders are left
// alone. Returns the count. Windows also matches 8.3 short names, so "*.htm"
// there takes "a.html" too: keep extensions to three letters in patterns.
int deleteMatchingFiles(const std::string& folder, const std::string& pattern);
// The names (not paths) of the files in `folder` matching `pattern` as above,
// in the order the file system gives them; folders are left out.
std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& pattern);

// One entry of a folder, as the file system lists it ("." and ".." left out).
struct FolderEntry {
  std::string name;     // program text
  bool folder = false;
  bool link = false;    // a symbolic link or junction (never followed by the caller)
};
// In the order the file system gives; empty when the folder cannot be read.
std::vector<FolderEntry> listFolder(const std::string& path);
// An empty folder, not a link to one.
bool removeEmptyFolder(const std::string& path);
// A link or junction itself, whatever it points to.
bool removeLink(const std::string& path);

std::string currentFolder();

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime localTimeNow();

}  // namespace qm::platform
