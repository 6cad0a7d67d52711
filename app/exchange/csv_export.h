// The library written to a CSV file: every image but the disks after the
// first of a multi-image item, 24 fields each, in code page 932 with CR LF.
// Characters the code page cannot hold are written as "?" and counted in the
// log. The library is only read.
#pragma once

#include <string>

#include "app/exchange/csv_outcome.h"
#include "common/run/run_context.h"

namespace qm::exchange {

struct CsvExportRequest {
  std::string path;  // replaced as a whole when it exists; never the library file
  maintenance::MachineChoice machine;
  bool header = true;  // the 24 header texts as the first line
};

// The statement the rows are read with (program text).
std::string exportStatement(const maintenance::MachineChoice& machine);

CsvOutcome exportCsv(const maintenance::RunContext& run, const CsvExportRequest& what);

// Characters of UTF-8 text that code page 932 cannot hold: each becomes one
// "?" on the way, so they are the "?" gained.
long lostCharacters(std::string_view utf8, std::string_view programText);

}  // namespace qm::exchange
