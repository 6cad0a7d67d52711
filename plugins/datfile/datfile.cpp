// datfile.nya: a rename-data plug-in that reads DAT files, the lists of
// known dumps in the Logiqx XML format (No-Intro, Redump, TOSEC) or the
// clrmamepro text format, handed over as the list text (UTF-8 as the
// formats are, or already Shift-JIS).
//
// Key type 0 finds the game holding a ROM of that CRC-32; 100 and 101 the
// game holding a ROM of that file name, without or with its extension (the
// last part of the ROM's name, ASCII case ignored). CRC-16 finds nothing:
// DATs do not state it. The first game wins when several hold the key.
//
// Answers: Title (the description, else the name), Maker (manufacturer,
// else publisher), Year, Country and Version (the name's tags) and Memo (the
// DAT's name for the game and the ROM that matched).
//
// The list is read once and indexed; it is read again when the program says
// a list begins (GetListError) or hands over another one.
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/dat/dat_file.h"
#include "common/dat/dat_index.h"
#include "common/dat/dat_notice.h"
#include "common/dat/name_tags.h"
#include "common/text/encoding.h"
#include "plugins/plugin_exports.h"

namespace {

using qm::plugin::giveText;
using qm::text::sjis;

// The list as read, known again by its address and first bytes: comparing
// the whole text for every call would cost as much as reading it; a new DAT
// differs from the last one in its header (version, date) anyway.
struct LoadedList {
  const char* address = nullptr;
  std::string head;
  std::optional<qm::dat::DatFile> dat;
  std::unique_ptr<qm::dat::DatIndex> index;
  std::string error;
};

constexpr std::size_t kHeadBytes = 1024;

std::mutex lock;
std::unique_ptr<LoadedList> current;  // freed when the library is unloaded

// Compared byte by byte up to the first difference, so never past the
// terminator of a shorter list.
bool sameHead(const LoadedList& loaded, const char* list) {
  std::size_t i = 0;
  for (; i < loaded.head.size(); ++i)
    if (list[i] != loaded.head[i]) return false;
  return loaded.head.size() == kHeadBytes || list[i] == '\0';
}

const LoadedList& loadedFor(const char* list, bool again) {
  if (!again && current && current->address == list && sameHead(*current, list)) return *current;
  auto loaded = std::make_unique<LoadedList>();
  const std::size_t length = std::strlen(list);
  loaded->address = list;
  loaded->head.assign(list, std::min(length, kHeadBytes));
  qm::dat::DatRead read = qm::dat::readDat(std::string_view(list, length));
  loaded->error = std::move(read.error);
  if (read.dat) {
    loaded->dat = std::move(read.dat);
    loaded->index = std::make_unique<qm::dat::DatIndex>(*loaded->dat);
  }
  current = std::move(loaded);
  return *current;
}

std::optional<std::uint32_t> crcKey(std::string_view key) {
  if (key.size() != 8) return std::nullopt;
  return qm::dat::crcOf(key);
}

qm::dat::RomRef lookUp(const char* list, const char* key, std::int16_t keyType) {
  if (!list || !key) return {};
  const LoadedList& loaded = loadedFor(list, false);
  if (!loaded.index) return {};
  switch (keyType) {
    case 0: {
      const auto crc = crcKey(key);
      return crc ? loaded.index->byCrc(*crc) : qm::dat::RomRef{};
    }
    case 100: return loaded.index->byName(key, false);
    case 101: return loaded.index->byName(key, true);
  }
  return {};
}

std::string memoOf(const qm::dat::RomRef& found) {
  const qm::dat::DatRom& rom = *found.rom;
  std::string memo = found.game->name + "\r\n" + rom.name + sjis("（");
  if (rom.size) memo += std::to_string(*rom.size) + sjis(" バイト、");
  return memo + (rom.status.empty() ? std::string("good") : rom.status) + sjis("）");
}

std::string answer(const qm::dat::RomRef& found, std::string_view item) {
  const qm::dat::DatGame& game = *found.game;
  if (item == "Title") return game.description.empty() ? game.name : game.description;
  if (item == "Maker") return game.maker;
  if (item == "Country") return qm::dat::nameTags(game.name).country;
  if (item == "Version") return qm::dat::nameTags(game.name).version;
  if (item == "Memo") return memoOf(found);
  return {};
}

std::int16_t text(const char* list, const char* key, std::int16_t keyType, char** buffer, std::uint16_t size,
                  std::string_view item) {
  std::lock_guard<std::mutex> guard(lock);
  const qm::dat::RomRef found = lookUp(list, key, keyType);
  if (!found.game) return -1;
  const std::string value = answer(found, item);
  if (value.empty()) return -1;
  return giveText(value, buffer, size);
}

// The report on the list, read afresh: the program calls this once before
// the keys of a run.
std::int16_t listText(const char* list, char** buffer, std::uint16_t size, bool error) {
  if (!list) return -1;
  std::lock_guard<std::mutex> guard(lock);
  // Both reports are asked for one list in turn: only the first reads it.
  const LoadedList& loaded = loadedFor(list, error);
  if (error) return loaded.error.empty() ? -1 : giveText(loaded.error, buffer, size);
  if (!loaded.dat) return -1;
  return giveText(qm::dat::datNotice(*loaded.dat, *loaded.index), buffer, size);
}

}  // namespace

#define DATFILE_TEXT(name)                                                                                  \
  PLUGIN_EXPORT std::int16_t PLUGIN_CALL Get##name(const char* list, const char* key, std::int16_t keyType, \
                                                   char** buffer, std::uint16_t size) {                     \
    return text(list, key, keyType, buffer, size, #name);                                                   \
  }

DATFILE_TEXT(Title)
DATFILE_TEXT(Maker)
DATFILE_TEXT(Country)
DATFILE_TEXT(Version)
DATFILE_TEXT(Memo)

PLUGIN_EXPORT std::int16_t PLUGIN_CALL GetYear(const char* list, const char* key, std::int16_t keyType) {
  std::lock_guard<std::mutex> guard(lock);
  const qm::dat::RomRef found = lookUp(list, key, keyType);
  if (!found.game) return -1;
  // "1987", "1987-05-25" and "1987/05": the year; "198x" and "19??" are none.
  const std::string& year = found.game->year;
  if (year.size() < 4 || (year.size() > 4 && year[4] >= '0' && year[4] <= '9')) return -1;
  const auto value = qm::dat::sizeOf(std::string_view(year).substr(0, 4));
  return value ? static_cast<std::int16_t>(*value) : std::int16_t{-1};
}

PLUGIN_EXPORT std::int16_t PLUGIN_CALL GetListError(const char* list, char** buffer, std::uint16_t size) {
  return listText(list, buffer, size, true);
}

PLUGIN_EXPORT std::int16_t PLUGIN_CALL GetListNotice(const char* list, char** buffer, std::uint16_t size) {
  return listText(list, buffer, size, false);
}

PLUGIN_EXPORT std::int16_t PLUGIN_CALL GetPluginVersion() { return 100; }

PLUGIN_EXPORT std::int16_t PLUGIN_CALL GetPluginAuthor(char** buffer, std::uint16_t size) {
  return giveText("Quillmoor2", buffer, size);
}

PLUGIN_EXPORT std::int16_t PLUGIN_CALL GetPluginInfo(char** buffer, std::uint16_t size) {
  static const std::string info = sjis(
      "DATファイル（Logiqx XML・clrmamepro 形式、No-Intro・Redump・TOSEC など）を読みます。"
      "キーは CRC32 とファイル名です");
  return giveText(info, buffer, size);
}
