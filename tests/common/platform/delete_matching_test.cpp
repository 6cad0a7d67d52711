// Wildcard deletion over the same folder contents on both platforms. The names
// avoid extensions longer than three letters: Windows also matches 8.3 short
// names, which the native side does not imitate.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/platform/files.h"
#include "tests/common/platform/raw_file.h"
#include "tests/common/platform/sjis_samples.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

using Names = std::set<std::string>;

const std::string kSoftLog = sjis::kSoft + ".log";
const std::string kKataLog = "\x83\x5C" "a.log";  // ソa.log
const Names kFiles = {"a.txt", "B.TXT", "ab.txt", "noext", "x.txt.bak", kSoftLog, kKataLog};
const std::string kFolder = "folder.txt";

struct PatternCase {
  std::string pattern;
  Names deleted;
};

// Fills a new folder, deletes by pattern, and returns which files went.
Names deletedBy(const TempFolder& temp, int index, const std::string& pattern, int* count) {
  const std::string folder = temp.file("case" + std::to_string(index));
  EXPECT_TRUE(platform::createFolder(folder));
  EXPECT_TRUE(platform::createFolder(platform::joinPath(folder, kFolder)));
  for (const std::string& name : kFiles) writeBytes(platform::joinPath(folder, name), "x");
  *count = platform::deleteMatchingFiles(folder, pattern);
  EXPECT_TRUE(platform::folderExists(platform::joinPath(folder, kFolder)));
  Names gone;
  for (const std::string& name : kFiles) {
    if (!platform::fileExists(platform::joinPath(folder, name))) gone.insert(name);
  }
  return gone;
}

TEST(DeleteMatchingFilesTest, WildcardsMatchAsFindFirstFileDoes) {
  const std::vector<PatternCase> cases = {
      {"*.txt", {"a.txt", "B.TXT", "ab.txt"}},
      {"*.TXT", {"a.txt", "B.TXT", "ab.txt"}},
      {"A.TXT", {"a.txt"}},
      {"?.txt", {"a.txt", "B.TXT"}},
      {"??.txt", {"ab.txt"}},
      {"a?.txt", {"ab.txt"}},
      {"ab?.txt", {}},
      {"noext?", {}},
      {"*", kFiles},
      {"*.*", kFiles},
      {"*x*", {"a.txt", "B.TXT", "ab.txt", "noext", "x.txt.bak"}},
      {"*.txt.*", {"a.txt", "B.TXT", "ab.txt", "x.txt.bak"}},
      {"noext.*", {"noext"}},
      {"\x83\x5C*", {kSoftLog, kKataLog}},
      {"\x83\x5C?.log", {kKataLog}},
      {"?a.log", {kKataLog}},
      {"nothing*", {}},
  };
  TempFolder temp;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].pattern);
    int count = -1;
    EXPECT_EQ(deletedBy(temp, static_cast<int>(i), cases[i].pattern, &count), cases[i].deleted);
    EXPECT_EQ(count, static_cast<int>(cases[i].deleted.size()));
  }
}

TEST(DeleteMatchingFilesTest, MissingFolderDeletesNothing) {
  TempFolder temp;
  EXPECT_EQ(platform::deleteMatchingFiles(temp.file("missing"), "*"), 0);
}

}  // namespace
}  // namespace qm::test
