// An INI file as Wine's profile functions hold it in memory. The native
// IniFile loads this form and writes it back whole, so it leaves the same bytes
// on disk as Wine's WritePrivateProfileStringA: one line per entry, names and
// values trimmed, blank lines gone, CRLF endings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::platform::ini {

struct Entry {
  std::string name;
  std::optional<std::string> value;  // nothing for a line without "="
};

struct Section {
  std::string name;  // "" writes no header line
  std::vector<Entry> entries;
};

// front() is always the nameless section holding the lines before the first
// header, even when there are none.
using Document = std::vector<Section>;

inline constexpr std::size_t npos = std::string_view::npos;

Document parse(std::string_view text);
std::string serialize(const Document& doc);

// Spaces, tabs, CR, LF, VT, FF and ^Z: what Wine trims. None of them can be the
// trail byte of a Shift-JIS character, so trimming bytes is safe.
bool isBlank(char c);
std::string_view trim(std::string_view s);
std::string_view trimLeft(std::string_view s);

// Index of the first section or entry whose name matches `name` (trimmed,
// ASCII case ignored); only the first section of a repeated name is ever used.
std::size_t findSection(const Document& doc, std::string_view name);
std::size_t findEntry(const Section& section, std::string_view name);

}  // namespace qm::platform::ini
