#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <vector>

#include "common/platform/atomic_file.h"
#include "common/platform/files.h"
#include "common/platform/wildcard.h"
#include "common/text/encoding.h"

namespace qm::platform {

namespace {

std::string osPath(const std::string& path) { return text::sjisToUtf8(path); }

std::optional<struct stat> statOf(const std::string& osPath) {
  struct stat st;
  if (::stat(osPath.c_str(), &st) != 0) return std::nullopt;
  return st;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

// Names are read first and deleted afterwards: readdir need not cope with a
// folder that changes under it.
std::vector<std::string> matchingFiles(const std::string& osFolder, const std::string& pattern) {
  std::vector<std::string> paths;
  UniqueDir dir(opendir(osFolder.c_str()));
  if (!dir) return paths;
  while (const dirent* entry = readdir(dir.get())) {
    if (!wildcardMatch(pattern, entry->d_name)) continue;
    std::string path = osFolder + "/" + entry->d_name;
    const auto st = statOf(path);
    if (st && !S_ISDIR(st->st_mode)) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace

bool fileExists(const std::string& path) { return statOf(osPath(path)).has_value(); }

bool folderExists(const std::string& path) {
  const auto st = statOf(osPath(path));
  return st && S_ISDIR(st->st_mode);
}

std::optional<std::uint64_t> fileSize(const std::string& path) {
  const auto st = statOf(osPath(path));
  if (!st || S_ISDIR(st->st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st->st_size);
}

std::optional<FileStamp> fileStamp(const std::string& path) {
  const auto st = statOf(osPath(path));
  if (!st || S_ISDIR(st->st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(st->st_size),
                   static_cast<std::int64_t>(st->st_mtim.tv_sec) * 1000000000 + st->st_mtim.tv_nsec};
}

bool createFolder(const std::string& path) {
  return ::mkdir(osPath(path).c_str(), 0777) == 0 || (errno == EEXIST && folderExists(path));
}

bool deleteFile(const std::string& path) { return ::unlink(osPath(path).c_str()) == 0; }

// rename() would replace a file or an empty folder at the target.
bool moveFile(const std::string& from, const std::string& to) {
  return !fileExists(to) && ::rename(osPath(from).c_str(), osPath(to).c_str()) == 0;
}

bool truncateFile(const std::string& path) { return ::truncate(osPath(path).c_str(), 0) == 0; }

CopyResult copyFileNoOverwrite(const std::string& from, const std::string& to) {
  return copyFileAtomically(from, to, Overwrite::Never);
}

int deleteMatchingFiles(const std::string& folder, const std::string& pattern) {
  int count = 0;
  for (const std::string& path : matchingFiles(osPath(folder), text::sjisToUtf8(pattern))) {
    if (::unlink(path.c_str()) == 0) ++count;
  }
  return count;
}

std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  for (const std::string& path : matchingFiles(osPath(folder), text::sjisToUtf8(pattern)))
    names.push_back(text::utf8ToSjis(path.substr(path.rfind('/') + 1)));
  return names;
}

std::vector<FolderEntry> listFolder(const std::string& path) {
  std::vector<FolderEntry> entries;
  const std::string folder = osPath(path);
  UniqueDir dir(opendir(folder.c_str()));
  if (!dir) return entries;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::lstat((folder + "/" + name).c_str(), &st) != 0) continue;
    FolderEntry item;
    item.name = text::utf8ToSjis(name);
    item.link = S_ISLNK(st.st_mode);
    item.folder = S_ISDIR(st.st_mode);
    entries.push_back(std::move(item));
  }
  return entries;
}

bool removeEmptyFolder(const std::string& path) { return ::rmdir(osPath(path).c_str()) == 0; }

bool removeLink(const std::string& path) {
  struct stat st {};
  const std::string os = osPath(path);
  return ::lstat(os.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::unlink(os.c_str()) == 0;
}

std::string currentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string() : text::utf8ToSjis(folder.string());
}

LocalTime localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace qm::platform
