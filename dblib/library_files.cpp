#include <cstdio>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "dblib/database_setup.h"

namespace qm::dblib {
namespace {

// "_DBver" + the stored version, or nothing when it cannot be read. A stored
// value that could not be part of a file name is left out too.
std::string versionPart(const std::string& dbPath) {
  db::DbConnection db;
  db.open(dbPath);
  if (db.execute("SELECT ver FROM qlm_table ;") || db.rowCount() < 1) return {};
  std::string value = db.cell(1, 0);
  if (value.find_first_of("\\/:*?\"<>|") != std::string::npos) return {};
  return "_DBver" + value;
}

std::string timeText() {
  auto t = platform::localTimeNow();
  char text[64];
  std::snprintf(text, sizeof text, "%d-%02d-%02d_%02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

}  // namespace

Backup backupDatabase(const std::string& programFolder, const std::string& dbFileName, const std::string& dbPath) {
  Backup backup;
  const std::string source = platform::joinPath(programFolder, dbFileName);
  if (!platform::fileExists(source)) {
    backup.status = BackupStatus::NoSource;
    backup.path = source;
    return backup;
  }
  backup.path = platform::joinPath(programFolder, "Quillmoor_" + timeText() + "BUP" + versionPart(dbPath) + ".db");
  switch (platform::copyFileNoOverwrite(source, backup.path)) {
    case platform::CopyResult::Copied:
      backup.status = BackupStatus::Made;
      break;
    case platform::CopyResult::TargetExists:
      // Only a file of that name is the earlier copy; a folder there means no
      // backup can be made.
      backup.status = platform::folderExists(backup.path) ? BackupStatus::Failed : BackupStatus::AlreadyThere;
      break;
    case platform::CopyResult::Failed:
      backup.status = BackupStatus::Failed;
      break;
  }
  return backup;
}

void clearLastQuery(const std::string& settingsPath) {
  platform::IniFile ini(settingsPath);
  const std::pair<const char*, const char*> keys[] = {
      {"SQL1", ""}, {"SQL2", ""}, {"SQL3", ""}, {"PrimaryKey", ""}, {"SortColumn", "0"}, {"SortOrder", "1"},
  };
  for (const auto& [key, value] : keys) ini.writeString("LastQuery", key, value);
}

// The name is the library's own, never a pattern: a library called "*.db"
// (possible outside Windows) must not take its neighbours with it.
int deleteDatabaseFiles(const std::string& programFolder, const std::string& dbFileName) {
  return platform::deleteFile(platform::joinPath(programFolder, dbFileName)) ? 1 : 0;
}

}  // namespace qm::dblib
