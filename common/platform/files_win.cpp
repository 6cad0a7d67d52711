#include <windows.h>

#include <vector>

#include "common/platform/atomic_file.h"
#include "common/platform/file_stamp_win.h"
#include "common/platform/files.h"
#include "common/platform/win_handle_win.h"

namespace qm::platform {

namespace {

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributesOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data;
}

bool isFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Names are gathered first and deleted afterwards, so the search never runs
// over a folder it is changing.
std::vector<std::string> matchingFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  UniqueFind search = UniqueFind(FindFirstFileA(joinPath(folder, pattern).c_str(), &found));
  if (!search) return names;
  do {
    if (!isFolder(found.dwFileAttributes)) names.push_back(found.cFileName);
  } while (FindNextFileA(search.get(), &found));
  return names;
}

}  // namespace

bool fileExists(const std::string& path) { return attributesOf(path).has_value(); }

bool folderExists(const std::string& path) {
  const auto data = attributesOf(path);
  return data && isFolder(data->dwFileAttributes);
}

std::optional<std::uint64_t> fileSize(const std::string& path) {
  const auto data = attributesOf(path);
  if (!data || isFolder(data->dwFileAttributes)) return std::nullopt;
  return (static_cast<std::uint64_t>(data->nFileSizeHigh) << 32) | data->nFileSizeLow;
}

std::optional<FileStamp> fileStamp(const std::string& path) {
  const auto data = attributesOf(path);
  if (!data || isFolder(data->dwFileAttributes)) return std::nullopt;
  return stampFrom(*data);
}

bool createFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ||
         (GetLastError() == ERROR_ALREADY_EXISTS && folderExists(path));
}

bool deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool moveFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool truncateFile(const std::string& path) {
  const UniqueHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

CopyResult copyFileNoOverwrite(const std::string& from, const std::string& to) {
  return copyFileAtomically(from, to, Overwrite::Never);
}

int deleteMatchingFiles(const std::string& folder, const std::string& pattern) {
  int count = 0;
  for (const std::string& name : matchingFiles(folder, pattern)) {
    if (DeleteFileA(joinPath(folder, name).c_str())) ++count;
  }
  return count;
}

std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& pattern) {
  return matchingFiles(folder, pattern);
}

std::vector<FolderEntry> listFolder(const std::string& path) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAA found;
  UniqueFind search = UniqueFind(FindFirstFileA(joinPath(path, "*.*").c_str(), &found));
  if (!search) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry item;
    item.name = name;
    item.folder = isFolder(found.dwFileAttributes);
    item.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entries.push_back(std::move(item));
  } while (FindNextFileA(search.get(), &found));
  return entries;
}

bool removeEmptyFolder(const std::string& path) {
  const auto data = attributesOf(path);
  if (!data || !isFolder(data->dwFileAttributes) || (data->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return RemoveDirectoryA(path.c_str()) != FALSE;
}

// A folder junction goes with RemoveDirectory, which leaves its target alone;
// a file link with DeleteFile.
bool removeLink(const std::string& path) {
  const auto data = attributesOf(path);
  if (!data || !(data->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return isFolder(data->dwFileAttributes) ? RemoveDirectoryA(path.c_str()) != FALSE : DeleteFileA(path.c_str()) != FALSE;
}

std::string currentFolder() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  std::string folder(size, '\0');
  const DWORD length = GetCurrentDirectoryA(size, folder.data());
  folder.resize(length < size ? length : 0);
  return folder;
}

LocalTime localTimeNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace qm::platform
