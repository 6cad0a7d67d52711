// Making the library database ready for the program: create it when missing
// or empty, otherwise back it up and upgrade it step by step to the current
// schema version, then run the maintenance of every start.
#pragma once

#include <string>

#include "common/platform/message_sink.h"

namespace qm::dblib {

struct SetupPaths {
  std::string dbPath;         // full path of Quillmoor.db
  std::string programFolder;  // without a trailing separator
  std::string dbFileName;     // "Quillmoor.db"
  std::string settingsPath;   // Quillmoor2.ini
};

enum class SetupOutcome {
  Created,            // a new database
  Ready,              // already current; maintenance done
  Upgraded,           // brought to the current version
  VersionUnreadable,  // the version could not be read; left untouched
  Declined,           // the user declined the upgrade; left untouched
  Failed,             // creation or an upgrade step failed (reported)
};

struct SetupResult {
  SetupOutcome outcome = SetupOutcome::Failed;
  int versionBefore = -1;  // -1 for a new database or an unreadable version
  std::string backupPath;  // the backup made before an upgrade, if any
};

SetupResult makeDatabase(const SetupPaths& paths, platform::MessageSink& sink);

// The exported function's result: 0 when the program may go on, -1 otherwise.
int exportResult(SetupOutcome outcome);

enum class BackupStatus { Made, AlreadyThere, NoSource, Failed };
struct Backup {
  BackupStatus status = BackupStatus::Failed;
  std::string path;
  bool ok() const { return status == BackupStatus::Made || status == BackupStatus::AlreadyThere; }
};

// Copies the database to "Quillmoor_<date>_<time>BUP_DBver<N>.db" beside it,
// never over an existing file (a second backup within the same second finds
// the first one there).
Backup backupDatabase(const std::string& programFolder, const std::string& dbFileName, const std::string& dbPath);

void writeSchemaVersion(int version, const std::string& dbPath);
// Resets the saved search of the item list.
void clearLastQuery(const std::string& settingsPath);
int deleteDatabaseFiles(const std::string& programFolder, const std::string& dbFileName);

}  // namespace qm::dblib
