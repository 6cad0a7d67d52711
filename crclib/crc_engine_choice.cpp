#include "crclib/crc_engine.h"

namespace qm::crc {

const Engine& fastestEngine() {
  static const Engine& chosen = foldingEngine() ? *foldingEngine() : slicingEngine();
  return chosen;
}

}  // namespace qm::crc
