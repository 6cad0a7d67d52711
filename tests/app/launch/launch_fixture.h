// A program folder with a fresh library and an "emuconf" tree, for the
// launch tests; images are made as files (and zip archives) on demand.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/launch/emulator_setting.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::launch::test {

class LaunchTest : public ::testing::Test {
protected:
  void SetUp() override;

  std::string root() const { return folder.path(); }
  std::string dbPath() const { return folder.file("Quillmoor.db"); }
  void run(const std::string& sql);  // fails the test on error
  std::string cell(const std::string& sql);  // first value of the first row
  // A file with `bytes`; folders on the way are made.
  std::string makeFile(const std::string& relative, const std::string& bytes);
  std::string makeFolder(const std::string& relative);
  // A zip of the named members (name, bytes) at `relative`.
  std::string makeZip(const std::string& relative, const std::vector<std::pair<std::string, std::string>>& members);
  // Writes setting `name` of `machine` (folders made).
  std::string writeSetting(const std::string& machine, const std::string& name, const EmulatorSetting& setting);

  qm::test::TempFolder folder;
  qm::test::RecordingSink sink{platform::MessageAnswer::Yes};
};

// Program text for UTF-8 literals.
std::string sj(const char* utf8);

}  // namespace qm::launch::test
