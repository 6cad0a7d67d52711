// The "データベースファイルをバックアップ" command: after the question, a
// dated copy of the library beside it, named as the database library names
// the copy it makes before an upgrade.
#pragma once

#include <string>

#include "common/platform/message_sink.h"
#include "dblib/database_setup.h"

namespace qm::shell {

// Copies without asking and reports a copy that could not be made (a
// missing library, a full disk, a folder in the way).
dblib::Backup backupLibrary(const std::string& dbPath, platform::MessageSink& sink);

// Asks first; nothing happens unless the answer is OK. A copy made is named
// in a closing box.
void runLibraryBackup(const std::string& dbPath, platform::MessageSink& sink);

}  // namespace qm::shell
