// Bulk reading generation: a rough kana reading made from the title of every
// row of one machine or all, or only of rows without a reading yet.
#pragma once

#include "common/run/run_context.h"
#include "common/text/normalize_options.h"
#include "common/text/reading_settings.h"

namespace qm::maintenance {

struct ReadingRun {
  MachineChoice machine;
  bool onlyEmpty = false;  // only rows whose kana is ''
  text::ReadingOptions options;
  text::SymbolTables tables;
};

// The selection of the run, as its dialog and tests see it.
std::string readingSelectStatement(const MachineChoice& machine, bool onlyEmpty);

RunResult generateReadings(const RunContext& run, const ReadingRun& what);

}  // namespace qm::maintenance
