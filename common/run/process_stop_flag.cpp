#include "common/run/process_stop_flag.h"

namespace qm::maintenance {

StopFlag& processStopFlag() {
  static StopFlag flag{0};
  return flag;
}

}  // namespace qm::maintenance
