// The web search sites of Quillmoor2_Web.ini: entry n (1-99) has its name
// under "SiteName" and its URL template under "SiteURL", numbered without
// gaps. The information view's context menu lists them as commands
// kFirstSiteCommand + n; choosing one fills the template from the item on
// display and hands the URL to the shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/db/db_connection.h"
#include "common/platform/ini.h"

namespace qm::web {

inline constexpr const char* kWebFileName = "Quillmoor2_Web.ini";
inline constexpr std::size_t kMaxSites = 99;
inline constexpr std::uint16_t kFirstSiteCommand = 1500;  // site n is 1500 + n

struct Site {
  std::string name;  // program text
  std::string url;
};

// Up to the first number whose name or URL is empty.
std::vector<Site> loadSites(const platform::IniFile& ini);
// Writes sites 1..n and removes the numbers from n + 1 to `previousCount`, so
// that the file stays without gaps. False when a write failed.
bool saveSites(const platform::IniFile& ini, const std::vector<Site>& sites, std::size_t previousCount);

// Site number of a menu command, or nothing for other commands.
std::optional<std::size_t> siteOfCommand(int commandId);

// The values a template is filled from, as program text.
struct ItemValues {
  std::string machine;
  std::string title;
  std::string maker;
  std::string developer;
};

// Letters, digits and "'.-*()_" stay; every other byte of the UTF-8 text is
// "%" and two upper-case hexadecimal digits.
std::string urlEncode(const std::string& utf8);

// Replaces "$machine", "$title", "$maker", "$developer" by the values as they
// are and "%machine", "%title", "%maker", "%developer" by their UTF-8 bytes
// URL-encoded. One pass from the left: text a value brings in is not looked
// at again.
std::string expandTemplate(const std::string& urlTemplate, const ItemValues& item);

// Begins with "http:" or "https:", without regard to case.
bool isWebUrl(const std::string& url);

// What the dialog's add and edit check before writing; the message to show
// (information icon, empty caption) when the site is refused.
std::optional<std::string> siteProblem(const Site& site);
// Adding also needs a free number.
std::optional<std::string> addProblem(const std::vector<Site>& sites, const Site& site);

// Removes site `index` (0-based); later sites move down by one.
void removeSite(std::vector<Site>& sites, std::size_t index);
// Swaps site `index` with its neighbour; false at the ends.
bool moveSite(std::vector<Site>& sites, std::size_t index, bool up);

// How the settings dialog lists a site.
std::string listLine(const Site& site);

// The values of the library item `fileName`; nothing when it is not there
// or the library cannot be read.
std::optional<ItemValues> itemValues(db::DbConnection& db, const std::string& fileName);

// The URL to open for site n and an item, or the message to show (caption
// "エラー", error icon) when it is not a web address.
struct SiteUrl {
  std::string url;
  std::optional<std::string> refusal;
};
SiteUrl siteUrl(const Site& site, const ItemValues& item);

}  // namespace qm::web
