// The lines of a rewriting script (".rew"): directives that name an INI key
// or a registry value and the value to put there for one run, and include
// lines that bring in shared ".inc" fragments.
//
//   INI-OPENFILE=path          INI-SETSECTION=name     INI-SETKEY=name
//   INI-REWRITE=new value      REG-OPENKEY=HKEY_...\subkey
//   REG-SETVALUENAME=name      REG-REWRITE=new data    INC:name
//
// Directive words and "INC:" are matched without regard to letter case;
// every other line is a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::rewrite {

enum class LineKind {
  Comment,
  IniOpenFile,
  IniSetSection,
  IniSetKey,
  IniRewrite,
  RegOpenKey,
  RegSetValueName,
  RegRewrite,
  Include,
  // A directive word without "=" after it (or run into more letters), an
  // include without a name, or a file, section, key or registry key left empty.
  Malformed,
};

struct ScriptLine {
  LineKind kind = LineKind::Comment;
  std::string value;  // trimmed: the text after the first "=", or the include's name
  std::string text;   // the whole line, trimmed
};

// Carriage returns removed, runs of line feeds made one, a leading line feed dropped.
std::string normalizeScript(std::string_view script);

ScriptLine parseLine(std::string_view line);

// The text between line feeds, in order (the empty rest after a last line feed left out).
std::vector<std::string_view> scriptLines(std::string_view script);

}  // namespace qm::rewrite
