// The backups one launch's rewriting relies on, and putting them back.
//
// An INI file is backed up whole beside itself (file + kIniBackupSuffix), a
// registry value as a further value of its key (name + kRegistryBackupSuffix).
// An existing backup is never overwritten: it holds the oldest original (a
// launch that never restored left it), so the journal records it as this
// launch's backup and the restore puts that original back.
//
// The restore works from the journal alone, never from the script, which
// may have been edited meanwhile. It runs when the launch asks, else when the
// journal goes, whatever way the launch ends; every open journal registers
// itself so that a program shutting down can restore them all
// (restorePendingRewrites) before its workers are cut off.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/rewrite/registry.h"

namespace qm::rewrite {

inline constexpr const char* kIniBackupSuffix = ".quillmoor_bak";
inline constexpr const char* kRegistryBackupSuffix = "_quillmoor_bup_40643814bup";
inline constexpr const char* kRegistryTestSuffix = "_quillmoor_test_40643814test";

struct RegistryPlace {
  std::string root;
  std::string subkey;
  std::string name;
};

class RewriteJournal {
public:
  explicit RewriteJournal(std::shared_ptr<Registry> registry);
  RewriteJournal(const RewriteJournal&) = delete;
  RewriteJournal& operator=(const RewriteJournal&) = delete;
  ~RewriteJournal();

  const std::shared_ptr<Registry>& registryShared() const { return registry_; }
  // Each is recorded once, however many lines rewrite it.
  void addIniBackup(const std::string& file);
  void addRegistryBackup(const RegistryPlace& value);
  bool hasIniBackup(const std::string& file) const;
  bool hasRegistryBackup(const RegistryPlace& value) const;
  std::vector<std::string> iniFiles() const;

  // Puts every backup back, latest first, and deletes it. Safe to call twice.
  void restore();

private:
  friend void restorePendingRewrites();
  void restoreLocked();

  std::shared_ptr<Registry> registry_;
  std::vector<std::string> iniFiles_;
  std::vector<RegistryPlace> registryValues_;
  std::vector<bool> order_;  // true: the next INI file, false: the next registry value
};

// Restores the backups of every journal still open (at shutdown).
void restorePendingRewrites();

}  // namespace qm::rewrite
