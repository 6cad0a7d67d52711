#include "app/search/search_history.h"

#include <algorithm>
#include <array>

#include "app/search/search_sql.h"
#include "common/platform/ini.h"

namespace qm::search {

std::string_view historySection(int mode) {
  if (mode == kGenreMode || mode < 0 || mode > kMakerLinkMode) return {};
  return mode == kSqlMode ? "SearchHistorySQL" : "SearchHistoryTXT";
}

namespace {

std::array<std::string, kHistoryEntries> readEntries(const platform::IniFile& ini, std::string_view section) {
  std::array<std::string, kHistoryEntries> entries;
  for (int i = 0; i < kHistoryEntries; ++i) entries[i] = ini.getString(section, std::to_string(i));
  return entries;
}

}  // namespace

std::vector<std::string> loadSearchHistory(const platform::IniFile& ini, int mode) {
  std::vector<std::string> texts;
  const std::string_view section = historySection(mode);
  if (section.empty()) return texts;
  for (std::string& entry : readEntries(ini, section)) {
    if (!entry.empty()) texts.push_back(std::move(entry));
  }
  return texts;
}

bool addSearchHistory(const platform::IniFile& ini, std::string_view text, int mode) {
  const std::string_view section = historySection(mode);
  if (section.empty() || text.empty()) return true;
  std::array<std::string, kHistoryEntries> entries = readEntries(ini, section);
  // The slot that is given up: the equal entry, else the first empty one,
  // else the oldest. The entries above it move down one place.
  int gone = kHistoryEntries - 1;
  for (int i = 0; i < kHistoryEntries; ++i) {
    if (entries[i] == text || entries[i].empty()) {
      gone = i;
      break;
    }
  }
  for (int i = gone; i > 0; --i) entries[i] = entries[i - 1];
  entries[0] = std::string(text);
  bool written = true;
  for (int i = 0; i < kHistoryEntries; ++i) written = ini.writeString(section, std::to_string(i), entries[i]) && written;
  return written;
}

}  // namespace qm::search
