#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "dblib/schema.h"

namespace qm::dblib {
namespace {

// "kind/file" of every icon path the seed rows of a new database name.
std::set<std::string> seedIcons() {
  std::set<std::string> icons;
  const std::regex path(R"(F[\\/]default_icon[\\/](media|genre|machine|cero)[\\/]([^'\\/]+)')");
  for (const std::string& row : masterRowStatements("F")) {
    std::smatch match;
    EXPECT_TRUE(std::regex_search(row, match, path)) << row;
    if (!match.empty()) icons.insert(match[1].str() + "/" + match[2].str());
  }
  return icons;
}

// "kind/file" of every entry of the build's icon generator.
std::set<std::string> generatedIcons() {
  std::ifstream script(QM_SOURCE_DIR "/tools/gen-resources.py");
  std::stringstream text;
  text << script.rdbuf();
  const std::string source = text.str();
  std::set<std::string> icons;
  const std::regex entry(R"(\('(media|genre|machine|cero)', '([^']+)')");
  for (auto it = std::sregex_iterator(source.begin(), source.end(), entry); it != std::sregex_iterator(); ++it)
    icons.insert((*it)[1].str() + "/" + (*it)[2].str());
  return icons;
}

// The program folder's default_icon folder is made at build time; a seed row
// whose file the generator does not make would show the missing-icon mark in
// every new library.
TEST(DefaultIconsTest, TheBuildMakesExactlyTheIconsOfTheSeedRows) {
#ifdef _WIN32
  GTEST_SKIP() << "the generator's source is read natively";
#endif
  const std::set<std::string> seeds = seedIcons();
  ASSERT_EQ(seeds.size(), 55u);  // MSX and MSX2 share one machine icon
  EXPECT_TRUE(seeds.count("media/3.5FD.bmp"));
  EXPECT_TRUE(seeds.count("cero/z.bmp"));
  EXPECT_EQ(generatedIcons(), seeds);
}

}  // namespace
}  // namespace qm::dblib
