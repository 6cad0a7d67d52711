#include "common/platform/ini_document.h"

#include "common/text/sjis.h"

namespace qm::platform::ini {

bool isBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 0x09 && u <= 0x0D) || u == 0x1A || u == ' ';
}

std::string_view trimLeft(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view trim(std::string_view s) {
  s = trimLeft(s);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

namespace {

// A header is "[" up to the last "]"; without a "]" the line is an ordinary
// entry, as Wine reads it. Text after the "]" is dropped.
bool parseHeader(std::string_view line, Document& doc) {
  if (line.front() != '[') return false;
  const std::size_t close = sjis::findLast(line, ']');
  if (close == sjis::npos) return false;
  doc.push_back({std::string(trim(line.substr(1, close - 1))), {}});
  return true;
}

Entry parseEntry(std::string_view line) {
  const std::size_t eq = sjis::find(line, '=');
  if (eq == sjis::npos) return {std::string(line), std::nullopt};
  return {std::string(trim(line.substr(0, eq))), std::string(trimLeft(line.substr(eq + 1)))};
}

void parseLine(std::string_view line, Document& doc) {
  line = trim(line);
  if (line.empty() || parseHeader(line, doc)) return;
  doc.back().entries.push_back(parseEntry(line));
}

}  // namespace

Document parse(std::string_view text) {
  Document doc(1);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    parseLine(text.substr(start, end - start), doc);
    start = end + 1;
  }
  return doc;
}

std::string serialize(const Document& doc) {
  std::string out;
  for (const Section& section : doc) {
    if (!section.name.empty()) out += "[" + section.name + "]\r\n";
    for (const Entry& entry : section.entries) {
      out += entry.name;
      if (entry.value) out += "=" + *entry.value;
      out += "\r\n";
    }
  }
  return out;
}

std::size_t findSection(const Document& doc, std::string_view name) {
  name = trim(name);
  for (std::size_t i = 0; i < doc.size(); ++i) {
    if (sjis::equalsIgnoreCaseAscii(doc[i].name, name)) return i;
  }
  return npos;
}

std::size_t findEntry(const Section& section, std::string_view name) {
  name = trim(name);
  for (std::size_t i = 0; i < section.entries.size(); ++i) {
    if (sjis::equalsIgnoreCaseAscii(section.entries[i].name, name)) return i;
  }
  return npos;
}

}  // namespace qm::platform::ini
