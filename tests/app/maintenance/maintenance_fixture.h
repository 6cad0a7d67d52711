// A real library file for the maintenance runs, with recorders for what a run
// tells its dialog: message boxes, log lines, progress and the item list.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/run/run_context.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::test {

class RecordingObserver : public maintenance::RunObserver {
public:
  explicit RecordingObserver(maintenance::StopFlag& stop) : stop_(stop) {}
  void log(const std::string& line) override;
  void progressRange(int total) override { ranges.push_back(total); }
  void progressStep() override;

  // The user presses the stop button while row `row` (1-based) is worked on.
  void stopAtRow(int row) { stopAt_ = row; }

  std::vector<std::string> lines;  // as UTF-8
  std::vector<int> ranges;
  int steps = 0;

private:
  maintenance::StopFlag& stop_;
  int stopAt_ = 0;
};

class RecordingItemList : public maintenance::ItemListHook {
public:
  void emptied() override { ++emptiedCount; }
  void refresh() override { ++refreshCount; }
  int emptiedCount = 0;
  int refreshCount = 0;
};

class MaintenanceTest : public ::testing::Test {
protected:
  MaintenanceTest();

  maintenance::RunContext context() { return {dbPath, sink, observer, itemList, stop}; }

  // A row, its texts in UTF-8 (paths of the test folder are ASCII).
  void addImage(const std::string& key, const std::string& machine, const std::string& title, int ply = 0,
                const std::string& parent = "");
  // Rows of a query over the library, UTF-8, cells joined by "|".
  std::vector<std::string> rows(const std::string& sqlUtf8) const;
  void execute(const std::string& sqlUtf8) const;
  // A path in the test folder (program text) and an empty file there.
  std::string pathOf(const std::string& name) const { return folder.file(name); }
  std::string touch(const std::string& name) const;

  TempFolder folder;
  std::string dbPath;
  RecordingSink sink{platform::MessageAnswer::Yes};
  maintenance::StopFlag stop{0};
  RecordingObserver observer{stop};
  RecordingItemList itemList;
};

// Message boxes as UTF-8 "caption|text".
std::vector<std::string> boxes(const RecordingSink& sink);

}  // namespace qm::test
