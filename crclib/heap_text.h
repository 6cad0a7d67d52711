// Result texts handed across the library boundary. The caller's text variable
// is replaced: its old text released, a new one stored, which the caller then
// owns. Both sides allocate from one heap: the process heap (HeapAlloc and
// HeapFree on GetProcessHeap()) on Windows, malloc and free natively.
#pragma once

#include <string>

namespace qm::crc {

// A null slot is left alone; when allocation fails the slot ends up null.
void replaceHeapText(char** slot, const std::string& text);
void freeHeapText(char* text);

}  // namespace qm::crc
