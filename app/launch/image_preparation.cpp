#include "app/launch/image_preparation.h"

#include <mutex>
#include <set>

#include "common/archive/member_extract.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

void fail(PreparationResult& result, const std::string& why) {
  if (result.ok) result.failure = why;
  result.ok = false;
}

// A copy already in the folder is used while it is still the same file as its
// source (same size and time, as a copy keeps them); a changed image, or
// another folder's image of the same name, is copied afresh.
bool copyForHandOver(const std::string& source, const std::string& copy) {
  switch (platform::copyFileNoOverwrite(source, copy)) {
    case platform::CopyResult::Copied:
      return true;
    case platform::CopyResult::Failed:
      return false;
    case platform::CopyResult::TargetExists:
      break;
  }
  const auto sourceStamp = platform::fileStamp(source);
  if (!sourceStamp) return false;
  return platform::fileStamp(copy) == sourceStamp || platform::copyFileOver(source, copy);
}

}  // namespace

PreparationResult prepareImages(const std::vector<ImageRow>& rows, const ImageListOptions& options) {
  PreparationResult result;
  for (const ImageRow& row : rows) {
    if (options.handOver >= 1 && isArchived(row)) {
      const std::size_t star = sjis::find(row.fileName, '*');
      const std::string archivePath = row.fileName.substr(0, star);
      const std::string member = row.fileName.substr(star + 1);
      const archive::ExtractResult extracted = archive::extractMember(archivePath, member, options.extractFolder);
      if (extracted.error) fail(result, extracted.error->message);
    } else if (options.handOver == 2 && !copyForHandOver(row.fileName, handOverPath(row, options))) {
      fail(result, row.fileName);
    }
  }
  return result;
}

namespace {

// The journals of the launches under way; one lock for the registry and
// every journal's renames, as a shutdown restores from another thread.
// Never destroyed: a worker still waiting on its emulator when the program
// exits may reach them after static destruction has begun.
std::mutex& journalLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

std::set<RenameJournal*>& openJournals() {
  static auto* journals = new std::set<RenameJournal*>;
  return *journals;
}

}  // namespace

RenameJournal::RenameJournal() {
  std::lock_guard<std::mutex> guard(journalLock());
  openJournals().insert(this);
}

RenameJournal::~RenameJournal() {
  std::lock_guard<std::mutex> guard(journalLock());
  restoreLocked();
  openJournals().erase(this);
}

bool RenameJournal::rename(const std::string& from, const std::string& to) {
  if (from == to) return true;
  std::lock_guard<std::mutex> guard(journalLock());
  if (!platform::moveFile(from, to)) return false;
  renames_.emplace_back(from, to);
  return true;
}

void RenameJournal::restore() {
  std::lock_guard<std::mutex> guard(journalLock());
  restoreLocked();
}

void RenameJournal::restoreLocked() {
  for (auto it = renames_.rbegin(); it != renames_.rend(); ++it) platform::moveFile(it->second, it->first);
  renames_.clear();
}

std::vector<std::pair<std::string, std::string>> RenameJournal::renames() const {
  std::lock_guard<std::mutex> guard(journalLock());
  return renames_;
}

void restorePendingRenames() {
  std::lock_guard<std::mutex> guard(journalLock());
  for (RenameJournal* journal : openJournals()) journal->restoreLocked();
}

bool renamePreparedImages(const std::vector<ImageRow>& rows, const ImageListOptions& options,
                          RenameJournal& journal, std::string* leftover) {
  if (!options.renameForLaunch || options.renameMode == 0) return true;
  bool ok = true;
  for (std::size_t k = 0; k < rows.size() && k < static_cast<std::size_t>(kMaxImages); ++k) {
    const std::string prepared = handOverPath(rows[k], options);
    const std::string renamed = renamedForLaunch(prepared, options.renameMode, static_cast<int>(k) + 1);
    if (journal.rename(prepared, renamed)) continue;
    if (leftover && leftover->empty() && prepared != renamed && platform::fileExists(renamed)) *leftover = renamed;
    ok = false;
  }
  return ok;
}

}  // namespace qm::launch
