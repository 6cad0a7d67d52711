#include "common/platform/ini_access.h"

#include <cstdint>

namespace qm::platform::ini {

namespace {

std::string_view unquote(std::string_view v) {
  const bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
  return quoted ? v.substr(1, v.size() - 2) : v;
}

bool listed(const Entry& entry) {
  return entry.value && (entry.name.empty() || entry.name.front() != ';');
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return -1;
}

unsigned basePrefix(std::string_view s) {
  if (s.size() < 2 || s[0] != '0') return 10;
  switch (s[1]) {
    case 'b': return 2;
    case 'o': return 8;
    case 'x': return 16;
    default: return 10;
  }
}

}  // namespace

std::optional<std::string> value(const Document& doc, std::string_view section,
                                 std::string_view key) {
  const std::size_t s = findSection(doc, section);
  if (s == npos) return std::nullopt;
  const std::size_t e = findEntry(doc[s], key);
  if (e == npos || !doc[s].entries[e].value) return std::nullopt;
  return std::string(unquote(*doc[s].entries[e].value));
}

std::vector<std::string> keyNames(const Document& doc, std::string_view section) {
  std::vector<std::string> names;
  const std::size_t s = findSection(doc, section);
  if (s == npos) return names;
  for (const Entry& entry : doc[s].entries) {
    if (listed(entry)) names.push_back(entry.name);
  }
  return names;
}

std::vector<std::string> sectionNames(const Document& doc) {
  std::vector<std::string> names;
  for (const Section& section : doc) {
    if (!section.name.empty()) names.push_back(section.name);
  }
  return names;
}

// New names and values keep their trailing blanks and lose leading ones, which
// is what Wine writes; a reload trims them fully.
bool setValue(Document& doc, std::string_view section, std::string_view key,
              std::string_view value) {
  const std::string newValue(trimLeft(value));
  std::size_t s = findSection(doc, section);
  if (s == npos) {
    doc.push_back({std::string(trimLeft(section)), {}});
    s = doc.size() - 1;
  }
  auto& entries = doc[s].entries;
  const std::size_t e = findEntry(doc[s], key);
  if (e == npos) {
    entries.push_back({std::string(trimLeft(key)), newValue});
    return true;
  }
  if (entries[e].value == newValue) return false;
  entries[e].value = newValue;
  return true;
}

bool removeEntry(Document& doc, std::string_view section, std::string_view key) {
  const std::size_t s = findSection(doc, section);
  if (s == npos) return false;
  const std::size_t e = findEntry(doc[s], key);
  if (e == npos) return false;
  doc[s].entries.erase(doc[s].entries.begin() + static_cast<std::ptrdiff_t>(e));
  return true;
}

bool removeSection(Document& doc, std::string_view section) {
  const std::size_t s = findSection(doc, section);
  if (s == npos) return false;
  doc.erase(doc.begin() + static_cast<std::ptrdiff_t>(s));
  return true;
}

int toProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const unsigned base = basePrefix(text.substr(i));
  if (base != 10) i += 2;
  std::uint32_t total = 0;
  for (; i < text.size(); ++i) {
    const int digit = digitValue(text[i]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    total = total * base + static_cast<unsigned>(digit);
  }
  return static_cast<int>(negative ? 0u - total : total);
}

}  // namespace qm::platform::ini
