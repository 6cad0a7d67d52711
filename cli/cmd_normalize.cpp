#include <cstdio>
#include <string>

#include "cli/maintenance_console.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"
#include "common/text/text_normalizer.h"

namespace qm::cli {
namespace {

bool readLine(std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(stdin)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return c != EOF || !line.empty();
}

text::TextNormalizer normalizerFor(const Arguments& args) {
  const platform::IniFile ini(settingsPathFor(databasePath(args)));
  const text::SymbolTables tables = text::loadSymbolTables(ini);
  if (!args.has("--reading")) return text::smartTitleNormalizer(tables);
  return text::TextNormalizer(text::readingNormalizeOptions(text::loadReadingOptions(ini)), tables);
}

}  // namespace

// Each line of standard input: its smart title, or its reading.
int runNormalize(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  const text::TextNormalizer normalizer = normalizerFor(args);
  std::string line;
  std::string out;
  while (readLine(line)) {
    normalizer.convert(fromTerminal(line), out);
    printLine(out);
  }
  return 0;
}

}  // namespace qm::cli
