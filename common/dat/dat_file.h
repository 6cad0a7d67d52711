// A DAT file: the list of known dumps that dump groups publish, as games
// holding ROMs with their sizes and CRCs. Read from the Logiqx XML format
// (<datafile>, <game> or <machine>, <rom .../>) and the older clrmamepro
// text format (game ( name "..." rom ( name ... crc ... ) )).
//
// The texts are program text (Shift-JIS): a DAT is UTF-8, and characters
// code page 932 cannot hold are written as "?" and counted in `lost`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::dat {

struct DatRom {
  std::string name;    // may hold folders ("Disc 1/track01.bin")
  std::string status;  // "baddump", "nodump", "verified"; empty for good
  std::optional<std::uint64_t> size;
  std::optional<std::uint32_t> crc32;
};

struct DatGame {
  std::string name;         // the DAT's name for the game, with its tags
  std::string description;  // the title as the DAT writes it
  std::string year;
  std::string maker;        // manufacturer, else publisher
  std::vector<DatRom> roms;
};

struct DatFile {
  std::string name;  // the header's name ("Nintendo - Super Famicom")
  std::vector<DatGame> games;
  long lost = 0;  // characters code page 932 cannot hold
};

struct DatRead {
  std::optional<DatFile> dat;  // nothing when the text is no DAT or broken
  std::string error;           // program text, with the line number
};

// The whole text or nothing: a broken or cut-off DAT is an error, never the
// games before the fault.
DatRead readDat(std::string_view bytes);

// Numbers as a DAT writes them: sizes decimal (or 0x hex), CRCs up to 8
// hexadecimal digits. Nothing when the text is not such a number.
std::optional<std::uint64_t> sizeOf(std::string_view text);
std::optional<std::uint32_t> crcOf(std::string_view text);

// True when the text begins as a DAT of either format does.
bool looksLikeDat(std::string_view bytes);

}  // namespace qm::dat
