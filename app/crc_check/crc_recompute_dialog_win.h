// The dialog "CRCの再取得": the machine, which CRCs and the window, and the
// recomputation on a worker thread with its progress. Closing it stops a run
// and waits for it; a run cannot be started twice.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace qm::crc_check {

struct CrcRecomputeHost {
  HWND owner = nullptr;
  std::string dbPath;
  std::string programFolder;  // where Quillmoor2_GetCRC is
  std::function<void()> refreshItemList;
  std::function<void()> emptyItemList;
};

// Modal; returns when the dialog has closed and its run, if any, has ended.
void openCrcRecomputeDialog(const CrcRecomputeHost& host);

}  // namespace qm::crc_check
