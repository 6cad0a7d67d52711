#include "app/web/web_sites.h"

#include <array>
#include <string_view>
#include <utility>

#include "common/text/encoding.h"

namespace qm::web {
namespace {

constexpr const char* kNameSection = "SiteName";
constexpr const char* kUrlSection = "SiteURL";

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool keptInUrl(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("'.-*()_").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::vector<Site> loadSites(const platform::IniFile& ini) {
  std::vector<Site> sites;
  for (std::size_t n = 1; n <= kMaxSites; ++n) {
    const std::string key = std::to_string(n);
    Site site{ini.getString(kNameSection, key), ini.getString(kUrlSection, key)};
    if (site.name.empty() || site.url.empty()) break;
    sites.push_back(std::move(site));
  }
  return sites;
}

bool saveSites(const platform::IniFile& ini, const std::vector<Site>& sites, std::size_t previousCount) {
  bool ok = true;
  for (std::size_t i = 0; i < sites.size(); ++i) {
    const std::string key = std::to_string(i + 1);
    ok = ini.writeString(kNameSection, key, sites[i].name) && ok;
    ok = ini.writeString(kUrlSection, key, sites[i].url) && ok;
  }
  for (std::size_t n = sites.size() + 1; n <= previousCount; ++n) {
    const std::string key = std::to_string(n);
    ok = ini.deleteKey(kNameSection, key) && ok;
    ok = ini.deleteKey(kUrlSection, key) && ok;
  }
  return ok;
}

std::optional<std::size_t> siteOfCommand(int commandId) {
  const int n = commandId - kFirstSiteCommand;
  if (n < 1 || n > static_cast<int>(kMaxSites)) return std::nullopt;
  return static_cast<std::size_t>(n);
}

std::string urlEncode(const std::string& utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size() * 3);
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (keptInUrl(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

std::string expandTemplate(const std::string& urlTemplate, const ItemValues& item) {
  const std::array<std::pair<std::string_view, const std::string*>, 4> names{{
      {"machine", &item.machine}, {"title", &item.title}, {"maker", &item.maker}, {"developer", &item.developer}}};
  std::string out;
  std::size_t i = 0;
  while (i < urlTemplate.size()) {
    const char mark = urlTemplate[i];
    bool replaced = false;
    if (mark == '$' || mark == '%') {
      const std::string_view rest = std::string_view(urlTemplate).substr(i + 1);
      for (const auto& [name, value] : names) {
        if (rest.substr(0, name.size()) != name) continue;
        out += mark == '$' ? *value : urlEncode(text::sjisToUtf8(*value));
        i += 1 + name.size();
        replaced = true;
        break;
      }
    }
    // Byte by byte is safe: Shift-JIS trail bytes start at 0x40, so "$" and
    // "%" are always characters of their own.
    if (!replaced) out += urlTemplate[i++];
  }
  return out;
}

bool isWebUrl(const std::string& url) { return startsWithNoCase(url, "http:") || startsWithNoCase(url, "https:"); }

std::optional<std::string> siteProblem(const Site& site) {
  if (site.name.empty() || site.url.empty()) return text::sjis("名前またはURLの指定がありません");
  if (!isWebUrl(site.url)) return text::sjis("http: または https: で始まるURLを指定して下さい");
  return std::nullopt;
}

std::optional<std::string> addProblem(const std::vector<Site>& sites, const Site& site) {
  if (auto problem = siteProblem(site)) return problem;
  if (sites.size() + 1 >= 100) return text::sjis("これ以上登録できません");
  return std::nullopt;
}

void removeSite(std::vector<Site>& sites, std::size_t index) {
  if (index < sites.size()) sites.erase(sites.begin() + static_cast<std::ptrdiff_t>(index));
}

bool moveSite(std::vector<Site>& sites, std::size_t index, bool up) {
  if (index >= sites.size()) return false;
  if (up ? index == 0 : index + 1 >= sites.size()) return false;
  std::swap(sites[index], sites[up ? index - 1 : index + 1]);
  return true;
}

std::string listLine(const Site& site) { return site.name + "  :  " + site.url; }

std::optional<ItemValues> itemValues(db::DbConnection& db, const std::string& fileName) {
  const std::string sql = "SELECT machine_name, title, maker, developer FROM main_table WHERE file_name='" +
                          db::DbConnection::quoteSql(fileName) + "' ;";
  if (db.execute(sql) || db.rowCount() < 1) return std::nullopt;
  return ItemValues{db.cell(1, 0), db.cell(1, 1), db.cell(1, 2), db.cell(1, 3)};
}

SiteUrl siteUrl(const Site& site, const ItemValues& item) {
  SiteUrl result;
  result.url = expandTemplate(site.url, item);
  if (!isWebUrl(result.url)) result.refusal = text::sjis("http(s):以外は未対応です。\n") + "\"" + result.url + "\"";
  return result;
}

}  // namespace qm::web
