// Validating and saving an edited record: every statement in one transaction,
// all rolled back when one fails.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/records/record.h"
#include "common/platform/message_sink.h"

namespace qm::records {

// The first refusal of the editor's checks (title, creators, date) as the
// message shown, or nothing. `storedSaleYear` is the date as loaded.
std::optional<std::string> validationMessage(const Record& record, const std::string& storedSaleYear);

struct SaveStatement {
  std::string sql;            // program text
  bool mustChangeRow = false;  // an UPDATE of main_table: no row changed means the row is gone
};

// The statements of a save in order, without BEGIN and COMMIT. `saleYear` is
// the stored form after the date rule, `smartTitle` that of the new title.
// Side tables are written under the new key (the set's first image); when
// that differs from the loaded parent, the parent's rows are deleted after,
// so they move rather than stay behind under an image that is now a disk.
std::vector<SaveStatement> saveStatements(const Record& record, const std::string& saleYear,
                                          const std::string& smartTitle);

enum class SaveOutcome { Saved, Refused, Failed };

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::Failed;
  std::string cursorKey;      // where the item list's cursor goes afterwards
  bool offerRename = false;   // the title changed and both can name files
  std::string oldTitle;
};

// Checks (refusals shown as information boxes), then the statements on a
// connection of its own; a failure is shown as "DBエラー" and rolls back.
// A set's tmp_maxdisk summary is rebuilt after a commit.
SaveResult saveRecord(const std::string& dbPath, const Record& record, const std::string& storedSaleYear,
                      const std::string& smartTitle, platform::MessageSink& sink);

}  // namespace qm::records
