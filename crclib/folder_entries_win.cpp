#include <windows.h>

#include <algorithm>

#include "common/platform/files.h"
#include "common/platform/win_handle_win.h"
#include "crclib/folder_entries.h"

namespace qm::reg {
namespace {

std::wstring wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// Without best fit: a character the code page lacks must show as lost.
std::string narrow(const std::wstring& text, bool& lossy) {
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, &usedDefault);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, &usedDefault);
  lossy = usedDefault != FALSE;
  return out;
}

}  // namespace

// The wide API: the ANSI one hands out names it cannot hold with "?" in them
// (or a "best fit" letter), which no later call finds again.
std::optional<FolderListing> listFolder(const std::string& folder) {
  FolderListing listing;
  // joinPath knows that "表" ends in the byte of "\".
  const std::wstring pattern = wide(platform::joinPath(folder, "*.*"));
  WIN32_FIND_DATAW data;
  const HANDLE first = FindFirstFileW(pattern.c_str(), &data);
  // A readable folder always lists "." at least.
  if (first == INVALID_HANDLE_VALUE) return std::nullopt;
  const platform::UniqueFind find(first);
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    bool lossy = false;
    std::string programName = narrow(name, lossy);
    if (lossy) {
      listing.unnamed.push_back(std::move(programName));
      continue;
    }
    listing.entries.push_back({std::move(programName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(first, &data));
  sortByName(listing.entries);
  return listing;
}

}  // namespace qm::reg
