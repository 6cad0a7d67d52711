// Reading one record and all its side data for the editor.
#pragma once

#include <string>

#include "app/records/record.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"

namespace qm::records {

struct LoadedRecord {
  Record record;
  std::string storedSaleYear;  // sale_year as stored, for saving it untouched
  bool found = false;          // false when the main row is gone or could not be read
};

// Each failing query shows its message ("DBエラー") and leaves its part empty.
LoadedRecord loadRecord(db::DbConnection& db, const std::string& file, platform::MessageSink& sink);

// "DBエラー" box with the message followed by SQLite's error text.
void reportDbError(platform::MessageSink& sink, const std::string& messageUtf8, const std::string& error);

}  // namespace qm::records
