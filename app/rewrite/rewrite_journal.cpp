#include "app/rewrite/rewrite_journal.h"

#include <algorithm>
#include <mutex>
#include <set>

#include "app/rewrite/registry_data.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"
#include "common/text/sjis.h"

namespace qm::rewrite {
namespace {

std::mutex& journalLock() {
  static std::mutex lock;
  return lock;
}

std::set<RewriteJournal*>& openJournals() {
  static std::set<RewriteJournal*> journals;
  return journals;
}

bool sameValue(const RegistryPlace& a, const RegistryPlace& b) {
  return a.root == b.root && sjis::equalsIgnoreCaseAscii(a.subkey, b.subkey) &&
         sjis::equalsIgnoreCaseAscii(a.name, b.name);
}

void restoreIniFile(const std::string& file) {
  const std::string backup = file + kIniBackupSuffix;
  if (!platform::fileExists(backup) || platform::folderExists(backup)) return;
  platform::makeFileNormal(file);
  if (!platform::copyFileOver(backup, file)) return;
  platform::makeFileNormal(backup);
  platform::deleteFile(backup);
}

void restoreRegistryValue(Registry& registry, const RegistryPlace& value) {
  const auto key = registry.open(value.root, value.subkey);
  if (!key) return;
  const std::string backupName = value.name + kRegistryBackupSuffix;
  const auto backup = key->read(backupName);
  if (!backup || !isRewritableType(backup->type)) return;
  if (key->write(value.name, *backup)) key->remove(backupName);
}

}  // namespace

RewriteJournal::RewriteJournal(std::shared_ptr<Registry> registry) : registry_(std::move(registry)) {
  std::lock_guard<std::mutex> guard(journalLock());
  openJournals().insert(this);
}

RewriteJournal::~RewriteJournal() {
  std::lock_guard<std::mutex> guard(journalLock());
  restoreLocked();
  openJournals().erase(this);
}

void RewriteJournal::addIniBackup(const std::string& file) {
  std::lock_guard<std::mutex> guard(journalLock());
  if (std::find(iniFiles_.begin(), iniFiles_.end(), file) != iniFiles_.end()) return;
  iniFiles_.push_back(file);
  order_.push_back(true);
}

void RewriteJournal::addRegistryBackup(const RegistryPlace& value) {
  std::lock_guard<std::mutex> guard(journalLock());
  for (const RegistryPlace& known : registryValues_)
    if (sameValue(known, value)) return;
  registryValues_.push_back(value);
  order_.push_back(false);
}

bool RewriteJournal::hasIniBackup(const std::string& file) const {
  std::lock_guard<std::mutex> guard(journalLock());
  return std::find(iniFiles_.begin(), iniFiles_.end(), file) != iniFiles_.end();
}

bool RewriteJournal::hasRegistryBackup(const RegistryPlace& value) const {
  std::lock_guard<std::mutex> guard(journalLock());
  return std::any_of(registryValues_.begin(), registryValues_.end(),
                     [&](const RegistryPlace& known) { return sameValue(known, value); });
}

std::vector<std::string> RewriteJournal::iniFiles() const {
  std::lock_guard<std::mutex> guard(journalLock());
  return iniFiles_;
}

void RewriteJournal::restore() {
  std::lock_guard<std::mutex> guard(journalLock());
  restoreLocked();
}

void RewriteJournal::restoreLocked() {
  std::size_t ini = iniFiles_.size(), reg = registryValues_.size();
  for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
    if (*it)
      restoreIniFile(iniFiles_[--ini]);
    else
      restoreRegistryValue(*registry_, registryValues_[--reg]);
  }
  iniFiles_.clear();
  registryValues_.clear();
  order_.clear();
}

void restorePendingRewrites() {
  std::lock_guard<std::mutex> guard(journalLock());
  for (RewriteJournal* journal : openJournals()) journal->restoreLocked();
}

}  // namespace qm::rewrite
