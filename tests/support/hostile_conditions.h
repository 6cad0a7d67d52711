// Hostile conditions made for real around a quillmoor-cli run, natively: shell
// text to put before the command (the `prefix` of runQuillmoorCli).
#pragma once

#include <cstddef>
#include <string>
#include <thread>

namespace qm::test {

// Files the command writes stop growing at `bytes` (rounded down to 512), and
// the write fails as on a full disk: SIGXFSZ is ignored, and an ignored signal
// stays ignored across exec, so the write returns EFBIG instead of killing it.
std::string fileSizeLimitPrefix(std::size_t bytes);

// Runs the command as another user (nobody) when the tests run as root, where a
// mode of 000 does not stop a read; as nobody, or as an ordinary user, it is "".
std::string otherUserPrefix();

// Lets the other user of otherUserPrefix() read and write `path` and everything
// below it (a temporary folder of the test). Nothing when not root.
void shareWithOtherUser(const std::string& path);

// A file that exists but the command cannot read: mode 000, and the command
// runs through otherUserPrefix() when the tests are root.
bool makeUnreadable(const std::string& path);

// Holds a write lock on the SQLite library `path` (BEGIN IMMEDIATE in a second
// connection) for as long as the object lives, as another process writing would.
class LibraryWriteLock {
public:
  explicit LibraryWriteLock(const std::string& path);
  ~LibraryWriteLock();
  LibraryWriteLock(const LibraryWriteLock&) = delete;
  LibraryWriteLock& operator=(const LibraryWriteLock&) = delete;
  bool held() const { return held_; }
  // Lets the lock go after `milliseconds` from a thread of its own, so a
  // command started now meets it held and sees it released while it waits.
  void releaseAfter(int milliseconds);

private:
  void release();
  void* db_ = nullptr;  // sqlite3*
  bool held_ = false;
  std::thread releaser_;
};

}  // namespace qm::test
