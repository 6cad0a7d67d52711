// The file operations of the setup: backups, the settings reset, the version
// row and the removal of a half-made database.
#include <gtest/gtest.h>

#include "common/platform/files.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {
namespace {

using qm::test::executeAll;
using qm::test::queryRows;

TEST(BackupDatabase, ASecondCopyWithinTheSameSecondIsNotMade) {
  SetupHarness harness;
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Created);
  const SetupPaths& p = harness.paths;
  // Two calls may straddle a second; a few tries find a pair within one.
  for (int attempt = 0; attempt < 5; ++attempt) {
    Backup first = backupDatabase(p.programFolder, p.dbFileName, p.dbPath);
    ASSERT_TRUE(first.status == BackupStatus::Made || first.status == BackupStatus::AlreadyThere);
    ASSERT_TRUE(executeAll(p.dbPath, {"INSERT INTO memo_table VALUES('x', 'changed');"}));
    Backup second = backupDatabase(p.programFolder, p.dbFileName, p.dbPath);
    ASSERT_TRUE(executeAll(p.dbPath, {"DELETE FROM memo_table;"}));
    if (second.path != first.path) {
      // The straddling copy holds the changed row; left there, it would be
      // the next attempt's "first" backup.
      ASSERT_TRUE(platform::deleteFile(second.path));
      continue;
    }
    EXPECT_EQ(second.status, BackupStatus::AlreadyThere);
    EXPECT_TRUE(second.ok());
    EXPECT_EQ(queryRows(second.path, "SELECT count(*) FROM memo_table;"), std::vector<std::string>{"0"});
    EXPECT_TRUE(isBackupName(platform::fileNameOf(second.path), "_DBver8")) << second.path;
    return;
  }
  FAIL() << "no two backups within one second";
}

TEST(BackupDatabase, NothingToCopyIsNoBackup) {
  SetupHarness harness;
  Backup backup = backupDatabase(harness.paths.programFolder, harness.paths.dbFileName, harness.paths.dbPath);
  EXPECT_EQ(backup.status, BackupStatus::NoSource);
  EXPECT_FALSE(backup.ok());
  EXPECT_TRUE(qm::test::listFolder(harness.paths.programFolder).empty());
}

TEST(ClearLastQuery, WritesTheSixKeysInOrder) {
  SetupHarness harness;
  clearLastQuery(harness.paths.settingsPath);
  EXPECT_EQ(qm::test::readFile(harness.paths.settingsPath),
            std::optional<std::string>(
                "[LastQuery]\r\nSQL1=\r\nSQL2=\r\nSQL3=\r\nPrimaryKey=\r\nSortColumn=0\r\nSortOrder=1\r\n"));
}

TEST(WriteSchemaVersion, LeavesExactlyOneRow) {
  SetupHarness harness;
  ASSERT_TRUE(executeAll(harness.paths.dbPath,
                         {"CREATE TABLE qlm_table( ver INTEGER );", "INSERT INTO qlm_table VALUES(3), (5);"}));
  writeSchemaVersion(7, harness.paths.dbPath);
  EXPECT_EQ(queryRows(harness.paths.dbPath, "SELECT ver FROM qlm_table;"), std::vector<std::string>{"7"});
}

TEST(DeleteDatabaseFiles, RemovesOnlyTheDatabaseItself) {
  SetupHarness harness;
  for (const char* name : {"Quillmoor.db", "Quillmoor.db-journal", "Quillmoor_2024-07-05_09-03-07BUP_DBver7.db",
                           "Quillmoor.dbx", "other.db"})
    ASSERT_TRUE(qm::test::writeFile(harness.file(name), "x"));

  EXPECT_EQ(deleteDatabaseFiles(harness.paths.programFolder, "Quillmoor.db"), 1);
  EXPECT_EQ(qm::test::listFolder(harness.paths.programFolder),
            (std::vector<std::string>{"Quillmoor.db-journal", "Quillmoor.dbx",
                                      "Quillmoor_2024-07-05_09-03-07BUP_DBver7.db", "other.db"}));
}

#ifndef _WIN32
// A library whose name holds wildcard characters is one file, not a pattern
// over its neighbours (such names exist only outside Windows).
TEST(DeleteDatabaseFiles, TakesAWildcardNameAsItStands) {
  SetupHarness harness;
  for (const char* name : {"*.db", "other.db", "a?.db", "ab.db"})
    ASSERT_TRUE(qm::test::writeFile(harness.file(name), "x"));

  EXPECT_EQ(deleteDatabaseFiles(harness.paths.programFolder, "*.db"), 1);
  EXPECT_EQ(deleteDatabaseFiles(harness.paths.programFolder, "a?.db"), 1);
  EXPECT_EQ(deleteDatabaseFiles(harness.paths.programFolder, "none?.db"), 0);
  EXPECT_EQ(qm::test::listFolder(harness.paths.programFolder), (std::vector<std::string>{"ab.db", "other.db"}));
}
#endif

}  // namespace
}  // namespace qm::dblib::test
