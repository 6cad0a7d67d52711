// The database properties dialog "DBPropertyDlg": counts of the library, the
// file's size and path, the SQLite version, and the optimisation (VACUUM).
#pragma once

#include <windows.h>

#include <string>

namespace qm::maintenance {

void openDatabaseProperties(HWND owner, const std::string& dbPath);

}  // namespace qm::maintenance
