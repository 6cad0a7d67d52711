#include "cli/migemo_console.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "app/search/migemo_library.h"
#include "cli/cli.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::cli {

std::string ownFolder() {
#ifdef _WIN32
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return length > 0 && length < sizeof path ? platform::folderOf(path) : std::string();
#else
  char path[4096] = "";
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? platform::folderOf(text::utf8ToSjis(std::string(path, static_cast<std::size_t>(length)))) : std::string();
#endif
}

std::unique_ptr<search::MigemoSource> openConsoleMigemo() {
  const std::string folder = ownFolder();
  auto migemo = std::make_unique<search::MigemoLibrary>();
  if (!migemo->open(search::migemoLibraryPath(folder), search::migemoDictionaryPath(folder)) || !migemo->enabled()) {
    printError("error: the romaji search needs the Migemo library and " + search::migemoDictionaryPath(folder) +
               (migemo->error().empty() ? std::string() : ": " + migemo->error()));
    return nullptr;
  }
  return migemo;
}

}  // namespace qm::cli
