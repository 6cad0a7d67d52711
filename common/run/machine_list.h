// The machine list a run's dialog offers, and how its selection names the
// machines a run covers.
#pragma once

#include <string>
#include <vector>

#include "common/run/run_context.h"

namespace qm::maintenance {

// Entry 0 "全ての機種", then the machines of machine_info_table by name. A
// table that cannot be read leaves entry 0 alone.
std::vector<std::string> machineListEntries(const std::string& dbPath);

// The list's selection as a run takes it: entry 0 is every machine, no
// selection (-1) or an empty text names none.
MachineChoice machineChoiceAt(int index, const std::string& text);

}  // namespace qm::maintenance
