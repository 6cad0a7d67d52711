// Steps every maintenance run shares: its messages, the item list's view, and
// a transaction whose end is checked.
#pragma once

#include <string>

#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"
#include "common/run/run_context.h"

namespace qm::maintenance {

// Log lines of every run.
const std::string& startedLine();   // "処理を開始します"
const std::string& finishedLine();  // "処理を終了しました"
const std::string& stoppedLine();   // "ユーザーからの要求で処理を中止しました"
// "全ての機種": how the machine list names all machines.
const std::string& everyMachineText();

// Information box with an empty caption.
void inform(const RunContext& run, const std::string& text);
// "DBエラー" box: the message followed by SQLite's error text.
void reportDbError(const RunContext& run, const std::string& message, const std::string& error);

// "DROP VIEW list_view;" (its result does not matter) and the list told.
void dropListView(db::DbConnection& db, ItemListHook& itemList);

// Reported when it fails; a run then writes nothing.
bool beginRun(db::WriteTransaction& transaction, const RunContext& run);
// A failed COMMIT is rolled back, reported and logged, never taken for success.
bool commitRun(db::WriteTransaction& transaction, const RunContext& run);

}  // namespace qm::maintenance
