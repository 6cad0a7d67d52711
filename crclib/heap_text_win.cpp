#include <windows.h>

#include <cstring>

#include "crclib/heap_text.h"

namespace qm::crc {

void replaceHeapText(char** slot, const std::string& text) {
  if (!slot) return;
  freeHeapText(*slot);
  *slot = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, text.size() + 1));
  if (*slot) std::memcpy(*slot, text.c_str(), text.size() + 1);
}

void freeHeapText(char* text) {
  if (text) HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace qm::crc
