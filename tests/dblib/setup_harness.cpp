#include "tests/dblib/setup_harness.h"

#include <chrono>
#include <ctime>
#include <regex>

#include "common/platform/files.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {

SetupHarness::SetupHarness(const std::string& subfolder) {
  std::string folder = temp.path();
  if (!subfolder.empty()) {
    folder = platform::joinPath(folder, subfolder);
    platform::createFolder(folder);
  }
  paths = {platform::joinPath(folder, "Quillmoor.db"), folder, "Quillmoor.db",
           platform::joinPath(folder, "Quillmoor2.ini")};
}

std::string SetupHarness::file(const std::string& name) const { return platform::joinPath(paths.programFolder, name); }

std::vector<std::string> SetupHarness::backups() const {
  std::vector<std::string> found;
  for (const auto& name : qm::test::listFolder(paths.programFolder))
    if (name.rfind("Quillmoor_", 0) == 0) found.push_back(name);
  return found;
}

std::string SetupHarness::storedVersion() const {
  return qm::test::queryValue(paths.dbPath, "SELECT ver FROM qlm_table ;");
}

bool isBackupName(const std::string& name, const std::string& versionPart) {
  static const std::regex pattern(R"(Quillmoor_(\d{4})-(\d{2})-(\d{2})_(\d{2})-(\d{2})-(\d{2})BUP(.*)\.db)");
  std::smatch m;
  if (!std::regex_match(name, m, pattern) || m[7] != versionPart) return false;
  std::tm stamp{};
  stamp.tm_year = std::stoi(m[1]) - 1900;
  stamp.tm_mon = std::stoi(m[2]) - 1;
  stamp.tm_mday = std::stoi(m[3]);
  stamp.tm_hour = std::stoi(m[4]);
  stamp.tm_min = std::stoi(m[5]);
  stamp.tm_sec = std::stoi(m[6]);
  stamp.tm_isdst = -1;
  const double age = std::difftime(std::time(nullptr), std::mktime(&stamp));
  return age >= -2 && age <= 60;
}

}  // namespace qm::dblib::test
