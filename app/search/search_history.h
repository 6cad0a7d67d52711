// The search bar's text history: ten entries per section of Quillmoor2.ini,
// "SearchHistoryTXT" for the text modes and "SearchHistorySQL" for SQL
// searches, keys "0" (newest) to "9". The genre mode keeps none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {
class IniFile;
}

namespace qm::search {

inline constexpr int kHistoryEntries = 10;

// The section of a search mode; "" for a mode without history.
std::string_view historySection(int mode);

// The non-empty entries, newest first.
std::vector<std::string> loadSearchHistory(const platform::IniFile& ini, int mode);

// `text` becomes entry "0": an equal entry moves up instead of being kept
// twice, otherwise the oldest drops out. Writes all ten keys. False when the
// file could not be written.
bool addSearchHistory(const platform::IniFile& ini, std::string_view text, int mode);

}  // namespace qm::search
