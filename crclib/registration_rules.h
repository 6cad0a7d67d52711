// How a registration derives a row's texts from file and folder names. Every
// function works on program text (Shift-JIS) character by character, so a trail
// byte that reads as "[", "\" or "|" is never taken for one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "crclib/registration.h"

namespace qm::reg {

// The name without its extension, cut at the last "." unless that is the last
// character; and the text after that ".", "" when there is none.
std::string fileTitleOf(std::string_view fileName);
std::string extensionOf(std::string_view fileName);

// The text up to, not including, the first `mark`, when it stands at the
// second character or later; else the text unchanged.
std::string cutBefore(std::string_view text, std::string_view mark);
// The text from the earlier of the first "(" and the first "[", when that
// stands at the second character or later; else "".
std::string fromBracket(std::string_view text);

// The last folder name of a path (the folder that holds the file).
std::string parentFolderName(std::string_view path);

// The four-digit year found in the text, by the rule of ranges 1840-1899,
// 1900-1999 and 2000-2060; the first two characters are never searched.
std::optional<int> findYear(std::string_view text);

// The country list without leading and trailing ";" and with one ";" after it;
// "" stays "".
std::string normalizeCountryList(std::string_view list);
// Its entries in order, empty ones left out.
std::vector<std::string> countryEntries(std::string_view normalizedList);

// Whether "ext;" occurs in the machine's extension list (ASCII case ignored).
bool extensionListed(std::string_view extension, std::string_view extensionList);

// The texts of one row that the rules decide. `countries` is the run's list as
// normalised at its start (see prepareCountries).
struct DerivedTexts {
  std::string title;
  std::string version;
  std::string maker;
  std::string country;
  std::string saleYear;
};

// The run's country list as the rules use it: normalised when a rule would.
std::string prepareCountries(const RegistrationRequest& request);

// An image file: `path` is its full path (the key).
DerivedTexts deriveForFile(const RegistrationSettings& settings, const std::string& path,
                           const std::string& countries, const std::string& typedSaleYear);

// An archive member: the archive's own path and the member's key; `setTitle`
// holds the archive type and member title to append (" [zip]---[title]") when
// the member belongs to a numbered set with titles.
DerivedTexts deriveForMember(const RegistrationSettings& settings, const std::string& archivePath,
                             const std::string& key, const std::string& countries, const std::string& typedSaleYear,
                             const std::string& setTitleSuffix);

// Member title and extension: the name without folder part ("\" or "/") and
// without extension, and the text after its last ".".
std::string memberTitleOf(std::string_view memberName);
std::string memberExtensionOf(std::string_view memberName);

// The name columns of main_table as a registration fills them for the image
// key `key`: file title and extension of the file (for a member, of the archive,
// the key before its "*"), member title and extension after the "*", else "".
struct KeyNameParts {
  std::string fileTitle;
  std::string fileExt;
  std::string arcTitle;
  std::string arcExt;
  bool operator==(const KeyNameParts&) const = default;
};
KeyNameParts keyNameParts(std::string_view key);

}  // namespace qm::reg
