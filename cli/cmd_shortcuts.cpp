#include <cstdlib>
#include <string>

#include "app/keys/shortcut_keys.h"
#include "app/web/web_sites.h"
#include "cli/cli.h"
#include "common/db/db_connection.h"

namespace qm::cli {
namespace {

// A tab inside a column would split it: written as the two characters "\t".
std::string visibleTabs(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\t' ? std::string("\\t") : std::string(1, c);
  return out;
}

}  // namespace

int runKeys(const std::vector<std::string>& argv) {
  Arguments args = parseArguments(argv, {"--ini"});
  if (!args.positional.empty() || !args.flags.empty() || args.get("--ini").empty()) {
    printError("usage: quillmoor-cli keys --ini PATH");
    return 2;
  }
  const shell::keys::KeyValues values = shell::keys::loadKeys(platform::IniFile(args.get("--ini")));
  for (std::size_t i = 0; i < shell::keys::kEntryCount; ++i) {
    std::string line = shell::keys::entries()[i].key;
    line.append("\t").append(std::to_string(values[i]));
    line.append("\t").append(visibleTabs(shell::keys::dialogKeyText(values[i])));
    if (auto label = shell::keys::menuLabel(i, values[i])) line.append("\t").append(visibleTabs(*label));
    printLine(line);
  }
  return 0;
}

int runWebSites(const std::vector<std::string>& argv) {
  Arguments args = parseArguments(argv, {"--ini"});
  if (!args.positional.empty() || !args.flags.empty() || args.get("--ini").empty()) {
    printError("usage: quillmoor-cli web-sites --ini PATH");
    return 2;
  }
  const auto sites = web::loadSites(platform::IniFile(args.get("--ini")));
  for (std::size_t i = 0; i < sites.size(); ++i)
    printLine(std::to_string(i + 1) + "\t" + sites[i].name + "\t" + sites[i].url);
  return 0;
}

int runWebUrl(const std::vector<std::string>& argv) {
  Arguments args = parseArguments(argv, {"--ini", "--site", "--db"});
  const int n = std::atoi(args.get("--site", "0").c_str());
  if (args.positional.size() != 1 || !args.flags.empty() || args.get("--ini").empty() || n < 1) {
    printError("usage: quillmoor-cli web-url --ini PATH --site N [--db PATH] KEY");
    return 2;
  }
  const auto sites = web::loadSites(platform::IniFile(args.get("--ini")));
  if (static_cast<std::size_t>(n) > sites.size()) {
    printError("error: no site " + std::to_string(n) + " (" + std::to_string(sites.size()) + " sites)");
    return 1;
  }
  db::DbConnection db;
  db.open(databasePath(args));
  const auto values = web::itemValues(db, args.positional[0]);
  if (!values) {
    printError("error: not in the library: " + args.positional[0]);
    return 1;
  }
  const web::SiteUrl url = web::siteUrl(sites[static_cast<std::size_t>(n) - 1], *values);
  if (url.refusal) {
    printError("error: " + *url.refusal);
    return 1;
  }
  printLine(url.url);
  return 0;
}

}  // namespace qm::cli
