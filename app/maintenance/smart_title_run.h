// Smart-title runs: filling the rows an upgrade left without one, or
// rebuilding them for one machine or all after the symbol lists changed; and
// the check of one item's smart title.
#pragma once

#include <string>

#include "common/run/run_context.h"
#include "common/text/normalize_options.h"

namespace qm::maintenance {

enum class SmartTitleMode {
  Update,   // rows whose smart_title is '' (the machine is not asked)
  Rebuild,  // every row of the machine
};

std::string smartTitleSelectStatement(SmartTitleMode mode, const MachineChoice& machine);
// Run first: rows with an empty title take their file title, or their file
// name when that is empty too, so that every row gets a smart title.
std::string emptyTitleStatement(SmartTitleMode mode, const MachineChoice& machine);

// Whether any row has an empty smart title (what the start-up notice counts).
bool smartTitlesMissing(const std::string& dbPath);

// Rows with no smart title are no error: the run just ends (NoRows, no box).
RunResult rebuildSmartTitles(const RunContext& run, SmartTitleMode mode, const MachineChoice& machine,
                             const text::SymbolTables& tables);

// What the check of the current item shows: its smart title, or the message
// with SQLite's error.
struct SmartTitleCheck {
  bool ok = false;
  std::string text;
};
SmartTitleCheck checkSmartTitle(const std::string& dbPath, const std::string& fileName);
const std::string& smartTitleCheckCaption();  // "スマートタイトルの確認"

}  // namespace qm::maintenance
