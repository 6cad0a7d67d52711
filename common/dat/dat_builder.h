// What the two DAT readers share: the games as they are read, the texts'
// numbers, and the error that names the line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/dat/dat_file.h"

namespace qm::dat {

class DatBuilder {
public:
  DatFile& dat() { return dat_; }
  DatGame& beginGame(std::string name);
  DatGame* game() { return inGame_ ? &dat_.games.back() : nullptr; }
  void endGame() { inGame_ = false; }

  // Set once, by the first fault; the reader stops there.
  void fail(int line, const std::string& reason);
  bool failed() const { return !error_.empty(); }
  DatRead finish();

private:
  DatFile dat_;
  bool inGame_ = false;
  std::string error_;
};

// Sets the rom field `key` from `value`; false with the reason when the
// value is malformed. Unknown fields (md5, sha1, date) are passed by.
bool setRomField(DatRom& rom, std::string_view key, std::string value, std::string& reason);
// Likewise for the game's own fields (description, year, manufacturer, publisher).
void setGameField(DatGame& game, std::string_view key, std::string value);

// The readers: program text in, the builder filled or failed.
void readXmlDat(std::string_view text, DatBuilder& builder);
void readCmproDat(std::string_view text, DatBuilder& builder);

// The reason texts the readers give (program text).
std::string reasonCutOff();
std::string reasonNoDat();

}  // namespace qm::dat
