// The dialog "DATファイルで照合": the machine and the DAT file, the
// verification on a worker thread with its progress, then the counts and
// the report's lines, which can be saved as a text file. It writes nothing
// into the library.
#pragma once

#include <windows.h>

#include <string>

namespace qm::datverify {

// Modal; returns when the dialog has closed and its run, if any, has ended.
void openDatVerifyDialog(HWND owner, const std::string& dbPath);

}  // namespace qm::datverify
