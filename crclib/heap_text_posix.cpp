#include <cstdlib>
#include <cstring>

#include "crclib/heap_text.h"

namespace qm::crc {

void replaceHeapText(char** slot, const std::string& text) {
  if (!slot) return;
  freeHeapText(*slot);
  *slot = static_cast<char*>(std::malloc(text.size() + 1));
  if (*slot) std::memcpy(*slot, text.c_str(), text.size() + 1);
}

void freeHeapText(char* text) { std::free(text); }

}  // namespace qm::crc
