// State shared by the stages of one database setup.
#pragma once

#include <string>
#include <string_view>

#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"
#include "dblib/database_setup.h"

namespace qm::dblib {

inline constexpr std::string_view kDbErrorCaption = "DBエラー";
inline constexpr std::string_view kUpgradeErrorCaption = "DB構造アップデートエラー";

struct SetupContext {
  const SetupPaths& paths;
  platform::MessageSink& sink;
  db::DbConnection& db;
  std::string backupPath;  // set once a backup of this run exists

  // An error box: the message (UTF-8 in the source) followed by the detail
  // (SQLite's text, already program text).
  void reportError(std::string_view messageUtf8, const std::string& detail,
                   std::string_view captionUtf8 = kUpgradeErrorCaption);
  // Runs sql on db; on failure reports the message with SQLite's text.
  bool run(std::string_view sql, std::string_view messageUtf8,
           std::string_view captionUtf8 = kUpgradeErrorCaption);
  // Makes the backup of this run unless it exists; reports a failure.
  bool ensureBackup();
  // The transaction of one structure update: each reports its failure.
  bool beginUpdate(db::WriteTransaction& transaction);
  bool commitUpdate(db::WriteTransaction& transaction);
};

// Schema version from qlm_table: a number, 0 without a row, or -1 when it
// cannot be read (reported).
int readSchemaVersion(SetupContext& ctx);

// The upgrade steps from `version` to the current one, each in a transaction
// that also records the version it reaches.
bool runUpgradeSteps(SetupContext& ctx, int version);

// Brings tables that older upgrades left in an earlier layout to the current
// one (reported on failure).
bool repairLayout(SetupContext& ctx);

// Clean-ups and checks of every start; failures here are silent by design.
void runStartMaintenance(SetupContext& ctx);

}  // namespace qm::dblib
