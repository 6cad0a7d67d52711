// How a CSV export or import ended, with its counts.
#pragma once

#include "common/run/run_context.h"

namespace qm::exchange {

enum class CsvEnding {
  Completed,
  Stopped,       // on request; what was done is kept
  OpenFailed,    // the file could not be read, or was refused for its encoding: nothing done (logged)
  SelectFailed,  // export: the library could not be read (reported)
  WriteFailed,   // export: the file is incomplete (reported)
  RecordFailed,  // import: a record was refused or could not be stored; the records before it are kept
  CommitFailed,  // import: nothing of the run was kept (reported)
};

struct CsvOutcome {
  CsvEnding ending = CsvEnding::Completed;
  int records = 0;         // records written, or imported
  int skipped = 0;         // import: new keys the user did not want
  int added = 0;           // import: new rows
  long lostCharacters = 0; // export: characters code page 932 cannot hold, written as "?"
};

// As the maintenance dialog takes a run's result: only a walk that ended
// normally or on request is Completed or Stopped.
maintenance::RunResult asRunResult(const CsvOutcome& outcome);

}  // namespace qm::exchange
