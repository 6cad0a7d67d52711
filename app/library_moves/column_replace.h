// Replacing a piece of text by another in one column of main_table, for one
// machine or the whole library: a test run lists what would change, an
// execute run changes it in one transaction. For the image key the change is
// carried into every side row and set link (key_moves.h).
#pragma once

#include <string>
#include <vector>

#include "common/run/run_context.h"

namespace qm::moves {

using maintenance::MachineChoice;
using maintenance::RunContext;
using maintenance::RunResult;

// The columns offered, in the list's order: 0 file_name, 1 maker,
// 2 developer, 3 version, 4 country.
inline constexpr int kColumnCount = 5;
const char* columnName(int choice);
// The list's entry for `choice`, program text.
const std::string& columnChoiceText(int choice);
// The choice naming `name` (its column or its entry text); -1 when none does.
int columnChoiceOf(const std::string& name);

struct ReplaceRequest {
  MachineChoice machine;
  int column = 0;    // a choice as above
  std::string from;  // program text; matched literally and case-sensitively
  std::string to;
};

// Lists "{old} -> {new}" for every distinct value holding `from`; writes
// nothing. The stop flag ends the listing early.
RunResult listReplacements(const RunContext& run, const ReplaceRequest& request);
// Asks first; declined, refused or failed leaves the column as it was.
RunResult replaceValues(const RunContext& run, const ReplaceRequest& request);

}  // namespace qm::moves
