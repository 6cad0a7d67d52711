// After a title change: the offer to rename the snapshot pictures named after
// the old title in the item's snapshot folders.
#pragma once

#include <string>
#include <vector>

#include "app/snapshots/title_rename.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"

namespace qm::records {

// Asks (Yes/No); on Yes renames in the folders of the item's machine and the
// item's own folders. Nothing is asked when the item has no folders.
snapshots::RenameCount offerTitlePictureRename(db::DbConnection& db, const std::string& key,
                                               const std::string& oldTitle, const std::string& newTitle,
                                               const std::string& programFolder, platform::MessageSink& sink);

// The stored titles of `keys`, in order ("" for a key without a row), read
// before a bulk title change.
std::vector<std::string> storedTitles(db::DbConnection& db, const std::vector<std::string>& keys);

// After a bulk title change: the offer for each item whose title changed
// (ASCII case ignored) where both titles can name files. The totals.
snapshots::RenameCount offerBulkTitleRenames(db::DbConnection& db, const std::vector<std::string>& keys,
                                             const std::vector<std::string>& oldTitles, const std::string& newTitle,
                                             const std::string& programFolder, platform::MessageSink& sink);

}  // namespace qm::records
