#include "crclib/registration_rules.h"

#include <algorithm>

#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/sjis.h"

namespace qm::reg {
namespace {

constexpr std::string_view kLeadingNoise = "0123456789 -()[]";

// Position of `needle` in `text` ignoring ASCII case, at a character start.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0) {
  return sjis::find(sjis::toLowerAscii(text), sjis::toLowerAscii(needle), from);
}

void trimTrailingBlanks(std::string& text) {
  // 0x20 is never a trail byte, so this cannot split a character.
  while (!text.empty() && text.back() == ' ') text.pop_back();
}

std::string cutBeforeBrackets(std::string_view text) { return cutBefore(cutBefore(text, "("), "["); }

std::string withoutLeadingNoise(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kLeadingNoise);
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

// Position after skipping `count` characters.
std::size_t skipChars(std::string_view text, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count && pos < text.size(); ++i) pos = sjis::nextChar(text, pos);
  return pos;
}

std::size_t charCount(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < text.size(); pos = sjis::nextChar(text, pos)) ++n;
  return n;
}

bool wrappedIn(std::string_view text, char open, char close) {
  if (text.size() < 2 || text.front() != open || text.back() != close) return false;
  // The closing byte must be a character of its own, not a trail byte.
  return sjis::isCharBoundary(text, text.size() - 1);
}

void eraseFirst(std::string& text, std::string_view what) {
  const std::size_t at = sjis::find(text, what);
  if (at != sjis::npos) text.erase(at, what.size());
}

std::string versionWithoutMarks(std::string version, const std::string& countries) {
  for (const std::string& entry : countryEntries(countries)) {
    const std::size_t at = findIgnoringCase(version, entry);
    if (at == sjis::npos) continue;
    version.erase(at, entry.size());
    break;
  }
  if (const auto year = findYear(version)) {
    const std::size_t at = version.find(std::to_string(*year), skipChars(version, 2));
    if (at != std::string::npos) version.erase(at, 4);
  }
  for (const std::string_view pair : {std::string_view("()"), std::string_view("[]")}) {
    if (version == pair) {
      version.clear();
    } else {
      eraseFirst(version, pair);
    }
  }
  return version;
}

std::string countryOf(const RegistrationSettings& settings, const std::string& place, const std::string& countries) {
  std::string country = settings.countryFromPath ? std::string() : countries;
  if (!settings.defaultCountry) country.clear();
  if (settings.countryFromPath && !countries.empty()) {
    const auto entries = countryEntries(countries);
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const std::string& entry) {
      return findIgnoringCase(place, entry) != sjis::npos;
    });
    if (found != entries.end()) {
      country = *found;
    } else if (settings.defaultCountry && !entries.empty()) {
      country = entries.front();
    }
  }
  if (settings.stripCountryBrackets && !country.empty()) {
    if (wrappedIn(country, '(', ')')) country = country.substr(1, country.size() - 2);
    if (wrappedIn(country, '[', ']')) country = country.substr(1, country.size() - 2);
  }
  return country;
}

std::string saleYearOf(const RegistrationSettings& settings, const std::string& place, const std::string& typed) {
  if (!settings.yearFromPath) return typed;
  const auto year = findYear(place);
  return year ? std::to_string(*year) + "-00-00" : "0";
}

}  // namespace

std::string fileTitleOf(std::string_view fileName) {
  const std::size_t dot = sjis::findLast(fileName, '.');
  if (dot == sjis::npos || dot + 1 == fileName.size()) return std::string(fileName);
  return std::string(fileName.substr(0, dot));
}

std::string extensionOf(std::string_view fileName) {
  const std::size_t dot = sjis::findLast(fileName, '.');
  return dot == sjis::npos ? std::string() : std::string(fileName.substr(dot + 1));
}

std::string cutBefore(std::string_view text, std::string_view mark) {
  const std::size_t at = sjis::find(text, mark);
  if (at == sjis::npos || at == 0) return std::string(text);
  return std::string(text.substr(0, at));
}

std::string fromBracket(std::string_view text) {
  const std::size_t at = std::min(sjis::find(text, '('), sjis::find(text, '['));
  if (at == sjis::npos || at == 0) return {};
  return std::string(text.substr(at));
}

std::string parentFolderName(std::string_view path) { return platform::fileNameOf(platform::folderOf(path)); }

std::optional<int> findYear(std::string_view text) {
  if (charCount(text) <= 3) return std::nullopt;
  const std::string_view searched = text.substr(skipChars(text, 2));
  int first = 0, last = 0;
  if (searched.find("18") != std::string_view::npos) {
    first = 1840, last = 1899;
  } else if (searched.find("19") != std::string_view::npos) {
    first = 1900, last = 1999;
  } else if (searched.find("20") != std::string_view::npos) {
    first = 2000, last = 2060;
  } else {
    return std::nullopt;
  }
  // Digits are never trail bytes, so a plain byte search is exact here.
  for (int year = first; year <= last; ++year) {
    if (searched.find(std::to_string(year)) != std::string_view::npos) return year;
  }
  return std::nullopt;
}

std::string normalizeCountryList(std::string_view list) {
  if (list.empty()) return {};
  const std::size_t first = list.find_first_not_of(';');
  if (first == std::string_view::npos) return ";";
  std::size_t end = list.size();
  // A ";" that is a character of its own: 0x3B is never a trail byte.
  while (end > first && list[end - 1] == ';') --end;
  return std::string(list.substr(first, end - first)) + ";";
}

std::vector<std::string> countryEntries(std::string_view normalizedList) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < normalizedList.size()) {
    std::size_t end = normalizedList.find(';', start);
    if (end == std::string_view::npos) end = normalizedList.size();
    if (end > start) entries.emplace_back(normalizedList.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

bool extensionListed(std::string_view extension, std::string_view extensionList) {
  return findIgnoringCase(extensionList, std::string(extension) + ";") != sjis::npos;
}

std::string prepareCountries(const RegistrationRequest& request) {
  const bool normalized = request.settings.countryFromPath || request.settings.versionMode == 2;
  return normalized ? normalizeCountryList(request.countries) : request.countries;
}

DerivedTexts deriveForFile(const RegistrationSettings& settings, const std::string& path, const std::string& countries,
                           const std::string& typedSaleYear) {
  const std::string fileTitle = fileTitleOf(platform::fileNameOf(path));
  const std::string folder = parentFolderName(path);
  DerivedTexts row;
  switch (settings.titleMode) {
    case 1:
      row.title = cutBeforeBrackets(fileTitle);
      break;
    case 2:
      row.title = withoutLeadingNoise(cutBeforeBrackets(fileTitle));
      break;
    case 3:
      row.title = folder;
      break;
    case 4:
      row.title = cutBeforeBrackets(folder);
      break;
    default:
      row.title = fileTitle;
      break;
  }
  trimTrailingBlanks(row.title);
  // An empty title would stick: no smart title, no rebuild could fill it.
  if (row.title.empty()) row.title = fileTitle;
  if (settings.makerMode == 1) row.maker = folder;
  if (settings.versionMode == 1 || settings.versionMode == 2) row.version = fromBracket(fileTitle);
  if (settings.versionMode == 3) row.version = fromBracket(folder);
  if (settings.versionMode == 2) row.version = versionWithoutMarks(row.version, countries);
  row.country = countryOf(settings, path, countries);
  row.saleYear = saleYearOf(settings, path, typedSaleYear);
  return row;
}

DerivedTexts deriveForMember(const RegistrationSettings& settings, const std::string& archivePath,
                             const std::string& key, const std::string& countries, const std::string& typedSaleYear,
                             const std::string& setTitleSuffix) {
  const std::string fileTitle = fileTitleOf(platform::fileNameOf(archivePath));
  DerivedTexts row;
  row.title = fileTitle;
  if (settings.titleMode >= 1) row.title = cutBeforeBrackets(row.title);
  if (settings.titleMode == 2) row.title = withoutLeadingNoise(row.title);
  if (settings.titleMode == 3) row.title = parentFolderName(archivePath);
  trimTrailingBlanks(row.title);
  if (row.title.empty()) row.title = fileTitle;
  row.title += setTitleSuffix;
  if (settings.makerMode == 1) row.maker = parentFolderName(archivePath);
  if (settings.versionMode >= 1) row.version = fromBracket(fileTitle);
  if (settings.versionMode == 2) row.version = versionWithoutMarks(row.version, countries);
  row.country = countryOf(settings, key, countries);
  row.saleYear = saleYearOf(settings, key, typedSaleYear);
  return row;
}

namespace {

// A member's name after its last folder separator, either kind.
std::string_view memberBaseName(std::string_view name) { return platform::splitAtLastSeparator(name).name; }

}  // namespace

std::string memberTitleOf(std::string_view memberName) { return fileTitleOf(memberBaseName(memberName)); }

std::string memberExtensionOf(std::string_view memberName) { return extensionOf(memberBaseName(memberName)); }

KeyNameParts keyNameParts(std::string_view key) {
  const std::size_t star = sjis::find(key, '*');
  const std::string fileName = platform::fileNameOf(key.substr(0, star));
  KeyNameParts parts{fileTitleOf(fileName), extensionOf(fileName), "", ""};
  if (star == sjis::npos) return parts;
  parts.arcTitle = memberTitleOf(key.substr(star + 1));
  parts.arcExt = memberExtensionOf(key.substr(star + 1));
  return parts;
}

}  // namespace qm::reg
