#include "tests/support/dat_text.h"

#include <cstdio>

namespace qm::test {
namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

void element(std::string& out, const char* name, const std::string& value) {
  if (value.empty()) return;
  out.append("\t\t<").append(name).append(">").append(escaped(value)).append("</").append(name).append(">\n");
}

std::string xml(const std::vector<TestGame>& games, const std::string& datName) {
  std::string out = "<?xml version=\"1.0\"?>\n<datafile>\n\t<header>\n\t\t<name>" + escaped(datName) +
                    "</name>\n\t</header>\n";
  for (const TestGame& game : games) {
    out += "\t<game name=\"" + escaped(game.name) + "\">\n";
    element(out, "description", game.description);
    element(out, "year", game.year);
    element(out, "manufacturer", game.maker);
    for (const TestRom& rom : game.roms) {
      out += "\t\t<rom name=\"" + escaped(rom.name) + "\" size=\"" + std::to_string(rom.size) + "\" crc=\"" +
             crcText(rom.crc) + "\" md5=\"d41d8cd98f00b204e9800998ecf8427e\"";
      if (!rom.status.empty()) out += " status=\"" + rom.status + "\"";
      out += "/>\n";
    }
    out += "\t</game>\n";
  }
  return out + "</datafile>\n";
}

void pair(std::string& out, const char* key, const std::string& value) {
  if (value.empty()) return;
  out.append("\t").append(key).append(" \"").append(value).append("\"\n");
}

std::string cmpro(const std::vector<TestGame>& games, const std::string& datName) {
  std::string out = "clrmamepro (\n\tname \"" + datName + "\"\n\tversion 20260101\n)\n\n";
  for (const TestGame& game : games) {
    out += "game (\n";
    pair(out, "name", game.name);
    pair(out, "description", game.description);
    pair(out, "year", game.year);
    pair(out, "manufacturer", game.maker);
    for (const TestRom& rom : game.roms) {
      out += "\trom ( name \"" + rom.name + "\" size " + std::to_string(rom.size) + " crc " + crcText(rom.crc) +
             " sha1 da39a3ee5e6b4b0d3255bfef95601890afd80709";
      if (!rom.status.empty()) out += " status " + rom.status;
      out += " )\n";
    }
    out += ")\n\n";
  }
  return out;
}

}  // namespace

std::string crcText(std::uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(crc));
  return text;
}

std::string datText(const std::vector<TestGame>& games, DatFormat format, const std::string& datName) {
  return format == DatFormat::Xml ? xml(games, datName) : cmpro(games, datName);
}

}  // namespace qm::test
