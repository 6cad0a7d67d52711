// The romaji search of the command line: the same Migemo library and
// dictionary as the program, found beside quillmoor-cli.
#pragma once

#include <memory>
#include <string>

#include "app/search/migemo_pattern.h"

namespace qm::cli {

// The folder quillmoor-cli runs from: the dictionary and the libraries are
// installed beside it.
std::string ownFolder();

// Nothing (after a message) when the library or its dictionary is missing.
std::unique_ptr<search::MigemoSource> openConsoleMigemo();

}  // namespace qm::cli
