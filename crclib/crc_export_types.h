// The CRC exports of Quillmoor2_GetCRC as their callers bind them by name
// (GetFileCRC32, GetFileCRC16, GetMemCRC32, GetMemCRC16). The status window is
// an HWND (may be null); offset, length and size are unsigned 32-bit; the
// result slot is the caller's text variable (see crclib/heap_text.h).
#pragma once

#include <cstdint>

#include "common/platform/export.h"

namespace qm::crc {

using GetFileCrcExport = void(QM_STDCALL*)(const char* path, char** result, void* statusWindow,
                                           std::uint32_t offset, std::uint32_t length);
using GetMemCrcExport = void(QM_STDCALL*)(const void* const* data, std::uint32_t size, std::uint32_t offset,
                                          std::uint32_t length, char** result, void* statusWindow);

}  // namespace qm::crc
