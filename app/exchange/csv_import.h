// A CSV file of the library's 24 fields read into the library. Records may
// span lines (a quoted value holding CR LF) and be of any length; empty lines
// are passed over. An existing image is updated only in the fields its record
// holds, so a short record never empties the fields after its end. A key the
// library lacks is asked about before anything of its record is written. The
// whole import is one transaction with a savepoint per record: a record that
// is refused or fails leaves the records before it stored and ends the import.
// A file saved as UTF-8 or UTF-16 is converted when code page 932 holds all of
// it, and otherwise refused before anything is written.
#pragma once

#include <string>

#include "app/exchange/csv_outcome.h"
#include "common/run/run_context.h"
#include "common/text/normalize_options.h"

namespace qm::exchange {

struct CsvImportRequest {
  std::string path;
  bool skipHeader = true;      // the first record is the header
  text::SymbolTables tables;   // for the smart titles of imported titles
};

CsvOutcome importCsv(const maintenance::RunContext& run, const CsvImportRequest& what);

// The row a new key starts as, before its record's values are written: the
// key's parts split as a registration splits them, placeholders elsewhere.
std::string newRowStatement(const std::string& key);

}  // namespace qm::exchange
