#include "app/rewrite/rewrite_script.h"

#include "common/text/sjis.h"

namespace qm::rewrite {
namespace {

struct Word {
  const char* word;
  LineKind kind;
  bool valueNeeded;  // an empty value names nothing
};

const Word kWords[] = {
    {"INI-OPENFILE", LineKind::IniOpenFile, true},       {"INI-SETSECTION", LineKind::IniSetSection, true},
    {"INI-SETKEY", LineKind::IniSetKey, true},           {"INI-REWRITE", LineKind::IniRewrite, false},
    {"REG-OPENKEY", LineKind::RegOpenKey, true},         {"REG-SETVALUENAME", LineKind::RegSetValueName, false},
    {"REG-REWRITE", LineKind::RegRewrite, false},
};

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view word) {
  return text.size() >= word.size() && sjis::equalsIgnoreCaseAscii(text.substr(0, word.size()), word);
}

}  // namespace

std::string normalizeScript(std::string_view script) {
  std::string out;
  out.reserve(script.size());
  for (char c : script) {
    if (c == '\r') continue;
    if (c == '\n' && (out.empty() || out.back() == '\n')) continue;
    out += c;
  }
  return out;
}

ScriptLine parseLine(std::string_view raw) {
  ScriptLine line;
  const std::string_view text = trim(raw);
  line.text = std::string(text);
  if (startsWithIgnoringCase(text, "INC:")) {
    line.value = std::string(trim(text.substr(4)));
    line.kind = line.value.empty() ? LineKind::Malformed : LineKind::Include;
    return line;
  }
  for (const Word& word : kWords) {
    if (!startsWithIgnoringCase(text, word.word)) continue;
    const std::string_view rest = trim(text.substr(std::string_view(word.word).size()));
    if (rest.empty() || rest[0] != '=') {
      line.kind = LineKind::Malformed;
      return line;
    }
    line.value = std::string(trim(rest.substr(1)));
    line.kind = word.valueNeeded && line.value.empty() ? LineKind::Malformed : word.kind;
    return line;
  }
  return line;
}

std::vector<std::string_view> scriptLines(std::string_view script) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < script.size()) {
    std::size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    lines.push_back(script.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace qm::rewrite
