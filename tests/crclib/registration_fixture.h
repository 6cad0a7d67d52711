// A fresh library with the machine "テスト" (extensions ".D88;.fdi;.txt"), a host
// that records what a run shows, and CRCs computed apart from the code under
// test (zlib's CRC-32, a bitwise CRC-16/MCRF4XX).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "crclib/registration.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::reg::test {

class RecordingHost : public RegistrationHost {
public:
  void status(const std::string& text) override { statuses.push_back(text); }
  void currentItem(const std::string& text) override {
    items.push_back(text);
    if (onItem) onItem(items.size());
  }
  void marker(const char* text) override { lastMarker = text; }
  void progressRange(std::uint32_t count) override { range = count; }
  void progressStep() override { ++steps; }
  void ended() override { ++endings; }
  void beep() override { ++beeps; }
  void log(const std::string& line) override { logLines.push_back(line); }
  platform::MessageSink& messages() override { return sink; }

  std::vector<std::string> statuses, items, logLines;
  std::function<void(std::size_t)> onItem;
  std::string lastMarker = "unset";
  std::uint32_t range = 0, steps = 0;
  int endings = 0, beeps = 0;
  qm::test::RecordingSink sink{platform::MessageAnswer::Yes};
};

class RegistrationTest : public ::testing::Test {
protected:
  void SetUp() override;

  std::string dbPath() const { return folder.file("Quillmoor.db"); }
  // A folder for images inside the temp folder (program text, made when absent).
  std::string tree(const std::string& utf8Name);
  // Writes a file at folder/name (name UTF-8, may hold "/" for sub-folders).
  std::string put(const std::string& folderPath, const std::string& utf8Name, const std::string& bytes);
  // Writes a file whose UTF-8 name program text may not be able to hold, past
  // the program-text path functions (the wide API on Windows).
  void putUnicode(const std::string& folderPath, const std::string& utf8Name, const std::string& bytes);
  void sql(const std::string& utf8Statement);
  // Rows of a query as UTF-8, cells joined by "|".
  std::vector<std::string> rows(const std::string& utf8Query);

  RegistrationRequest request(const std::string& path) const;
  RegistrationResult run(const RegistrationRequest& request);

  qm::test::TempFolder folder;
  RecordingHost host;
  StopFlag stop{0};
};

std::string zlibCrc32(const std::string& bytes);
std::string bitwiseCrc16(const std::string& bytes);

}  // namespace qm::reg::test
