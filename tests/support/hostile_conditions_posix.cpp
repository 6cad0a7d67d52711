#include "tests/support/hostile_conditions.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "common/text/encoding.h"

namespace qm::test {

namespace {

constexpr const char* kOtherUser = "65534";  // nobody, nogroup

bool isRoot() { return geteuid() == 0; }

}  // namespace

std::string fileSizeLimitPrefix(std::size_t bytes) {
  return "trap '' XFSZ; ulimit -f " + std::to_string(bytes / 512) + "; ";
}

std::string otherUserPrefix() {
  if (!isRoot()) return {};
  return std::string("setpriv --reuid=") + kOtherUser + " --regid=" + kOtherUser + " --clear-groups ";
}

namespace {

// The folders above `folder` let others pass through, as they must reach it.
void makePassable(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  for (fs::path above = folder.parent_path(); !above.empty() && above != above.root_path(); above = above.parent_path())
    fs::permissions(above, fs::perms::others_exec, fs::perm_options::add, ignored);
}

}  // namespace

void shareWithOtherUser(const std::string& path) {
  if (!isRoot()) return;
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path root(text::sjisToUtf8(path));
  makePassable(root);
  // The program and its libraries sit in the folder the tests start in, which
  // may lie in a checkout only its owner could enter (a mktemp folder).
  const fs::path programFolder = fs::current_path(ignored);
  if (!ignored) {
    makePassable(programFolder);
    fs::permissions(programFolder, fs::perms::others_exec | fs::perms::others_read, fs::perm_options::add, ignored);
  }
  fs::permissions(root, fs::perms::all, fs::perm_options::add, ignored);
  if (!fs::is_directory(root, ignored)) return;
  for (const auto& entry : fs::recursive_directory_iterator(root, ignored))
    fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add, ignored);
}

bool makeUnreadable(const std::string& path) {
  return chmod(text::sjisToUtf8(path).c_str(), 0) == 0;
}

LibraryWriteLock::LibraryWriteLock(const std::string& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(text::sjisToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return;
  }
  db_ = db;
  held_ = sqlite3_exec(db, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void LibraryWriteLock::release() {
  auto* db = static_cast<sqlite3*>(db_);
  if (!db) return;
  if (held_) sqlite3_exec(db, "ROLLBACK;", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  db_ = nullptr;
}

void LibraryWriteLock::releaseAfter(int milliseconds) {
  releaser_ = std::thread([this, milliseconds] {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    release();
  });
}

LibraryWriteLock::~LibraryWriteLock() {
  if (releaser_.joinable()) releaser_.join();
  release();
}

}  // namespace qm::test
