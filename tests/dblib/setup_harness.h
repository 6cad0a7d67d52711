// One program folder per test with the paths makeDatabase takes, a recording
// sink, and the checks most database setup tests share.
#pragma once

#include <string>
#include <vector>

#include "dblib/database_setup.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::dblib::test {

class SetupHarness {
public:
  // `subfolder` (program text) is made inside the temporary folder and used as
  // the program folder; empty uses the temporary folder itself.
  explicit SetupHarness(const std::string& subfolder = {});

  SetupResult run() { return makeDatabase(paths, sink); }

  std::string file(const std::string& name) const;
  // Names of the backup files in the program folder.
  std::vector<std::string> backups() const;
  // The schema version as stored, "" without a row.
  std::string storedVersion() const;

  qm::test::TempFolder temp;
  SetupPaths paths;
  qm::test::RecordingSink sink;
};

// Matches "Quillmoor_YYYY-MM-DD_hh-mm-ssBUP<versionPart>.db" with a time within
// a minute of now.
bool isBackupName(const std::string& name, const std::string& versionPart);

}  // namespace qm::dblib::test
