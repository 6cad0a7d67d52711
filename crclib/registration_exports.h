// The registration exports of Quillmoor2_GetCRC as the program binds them by
// name (setGValCRC, dirAddImg, getDirAddThreadESC, setDirAddThreadESC,
// getLibVersionCRC). Window handles are HWNDs. dirAddImg copies everything it
// receives, starts the worker and returns 0 at once; when the run has ended the
// button's text is "終了" and the owner window receives kRunEndedMessage. The stop flag: 0 running, 1 asks the worker to stop
// (it asks the user), 2 stops. The library stays loaded until its worker has
// ended, however early the program frees it.
#pragma once

#include <cstdint>

#include "common/platform/export.h"

namespace qm::reg {

// 4: the owner window is told when a run ends (kRunEndedMessage). A window
// that waits for that message would never close over an older library.
inline constexpr int kLibVersionCrc = 4;

// Posted to dirAddImg's owner window (WM_APP + 0x51) after the last texts of a
// run, the button's "終了" among them, are set.
inline constexpr unsigned kRunEndedMessage = 0x8000 + 0x51;

// Paths: the database, Quillmoor2.ini, the program folder, the archive
// libraries' folder (unused); then DLLSafeLoad (unused) and the interface font
// (ignored). The texts are copied.
using SetGValCrcExport = int(QM_STDCALL*)(const char* dbPath, const char* settingsPath, const char* programFolder,
                                          const char* systemFolder, std::int16_t dllSafeLoad, void* font);
// options: kOptionCount numbers; texts: kTextCount texts; crcWindow: offset and
// length.
using DirAddImgExport = int(QM_STDCALL*)(void* owner, void* statusText, void* itemText, void* marker, void* button,
                                         void* progressBar, const std::int32_t* options, const char* const* texts,
                                         const std::uint32_t* crcWindow);
using GetDirAddThreadEscExport = std::int16_t(QM_STDCALL*)();
using SetDirAddThreadEscExport = void(QM_STDCALL*)(std::int16_t value);
using GetLibVersionCrcExport = int(QM_STDCALL*)();

}  // namespace qm::reg
