#include "common/dat/dat_file.h"

#include "common/dat/dat_builder.h"
#include "common/text/encoding.h"
#include "common/text/input_encoding.h"
#include "common/text/utf8.h"

namespace qm::dat {
namespace {

using text::sjis;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view afterBlanks(std::string_view text) {
  if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
    text.remove_prefix(1);
  return text;
}

bool isCmproStart(std::string_view text) {
  for (std::string_view word : {"clrmamepro", "game", "machine", "resource"}) {
    if (!text.starts_with(word)) continue;
    const std::string_view rest = afterBlanks(text.substr(word.size()));
    if (!rest.empty() && rest.front() == '(') return true;
  }
  return false;
}

// Malformed sequences read as U+FFFD without being its three bytes.
bool isUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t from = pos;
    if (text::utf8::next(bytes, pos) == text::utf8::kReplacement && bytes.substr(from, pos - from) != "\xEF\xBF\xBD")
      return false;
  }
  return true;
}

// The DAT formats are UTF-8, whatever else the bytes could be read as; a
// file that is not valid UTF-8 is taken as code page 932 as it stands (a
// list saved again by a Japanese editor), UTF-16 is converted.
text::ProgramText programTextOf(std::string_view bytes) {
  const text::InputEncoding found = text::classifyInput(bytes);
  if (found == text::InputEncoding::Utf16Le || found == text::InputEncoding::Utf16Be)
    return text::toProgramText(bytes, found);
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  if (!isUtf8(bytes)) return {std::string(bytes), 0};
  return text::toProgramText(bytes, text::InputEncoding::Utf8);
}

}  // namespace

bool looksLikeDat(std::string_view bytes) {
  const std::string_view text = afterBlanks(bytes);
  if (text.starts_with("<")) return text.substr(0, 65536).find("<datafile") != std::string_view::npos;
  return isCmproStart(text);
}

DatRead readDat(std::string_view bytes) {
  const text::ProgramText converted = programTextOf(bytes);
  const std::string_view text = afterBlanks(converted.text);
  DatBuilder builder;
  builder.dat().lost = converted.lost;
  if (text.starts_with("<")) readXmlDat(converted.text, builder);
  else if (isCmproStart(text)) readCmproDat(converted.text, builder);
  else builder.fail(1, reasonNoDat());
  return builder.finish();
}

DatGame& DatBuilder::beginGame(std::string name) {
  DatGame& game = dat_.games.emplace_back();
  game.name = std::move(name);
  inGame_ = true;
  return game;
}

void DatBuilder::fail(int line, const std::string& reason) {
  if (failed()) return;
  error_ = sjis("DATファイルを読み込めません（") + std::to_string(line) + sjis(" 行目：") + reason + sjis("）");
}

DatRead DatBuilder::finish() {
  if (failed()) return {std::nullopt, error_};
  return {std::move(dat_), {}};
}

std::optional<std::uint64_t> sizeOf(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 16) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
  }
  return value;
}

std::optional<std::uint32_t> crcOf(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return std::nullopt;
  const auto value = sizeOf("0x" + std::string(text));
  if (!value) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

bool setRomField(DatRom& rom, std::string_view key, std::string value, std::string& reason) {
  if (key == "name") {
    rom.name = std::move(value);
  } else if (key == "status") {
    rom.status = value == "good" ? std::string() : std::move(value);
  } else if (key == "size") {
    rom.size = sizeOf(value);
    if (!rom.size) reason = sjis("ROM のサイズ \"") + value + sjis("\" が数値ではありません");
  } else if (key == "crc") {
    rom.crc32 = crcOf(value);
    // Some DATs write the CRC of a ROM they lack as "-".
    if (!rom.crc32 && value != "-" && !value.empty())
      reason = sjis("ROM の CRC \"") + value + sjis("\" が16進数8桁ではありません");
  }
  return reason.empty();
}

void setGameField(DatGame& game, std::string_view key, std::string value) {
  if (key == "description") game.description = std::move(value);
  else if (key == "year") game.year = std::move(value);
  else if (key == "manufacturer") game.maker = std::move(value);
  else if (key == "publisher" && game.maker.empty()) game.maker = std::move(value);
}

std::string reasonCutOff() { return sjis("ファイルが途中で終わっています"); }
std::string reasonNoDat() { return sjis("DATファイルの形式ではありません"); }

}  // namespace qm::dat
