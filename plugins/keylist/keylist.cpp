// keylist.nya: a rename-data plug-in that reads a keyed text list.
//
// The list is Shift-JIS text, lines ending in LF or CR LF:
//
//   ; a comment
//   [Star Quest]               a line in brackets begins a record (its text is a label only)
//   CRC32=1A2B3C4D             the record's keys: CRC32, CRC16 and File (name with extension)
//   File=Star Quest (J).rom
//   Title=スタークエスト        every other name is an item: Title, Maker, Country, Version,
//   Year=1987                  Year, ImgNum, Genre, R, Creator, Memo, Kana, Developer, SaleDate,
//   Memo=first line            Price, Model, MediaInfo, DeviceInfo, Player, SaveInfo, SoundInfo,
//   +second line               CeroRating; a line starting with "+" goes on with the value above
//                              on a new line (CR LF)
//
// Key type 0 looks the key up among the CRC32 values, 16 among the CRC16
// values, 100 among the File values without their extension and 101 among
// the File values; ASCII case is ignored. The first record with the key wins.
//
// The list is parsed once and kept while the caller hands over the same list.
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "plugins/plugin_exports.h"

#define KEYLIST_EXPORT PLUGIN_EXPORT
#define KEYLIST_CALL PLUGIN_CALL

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

using qm::plugin::giveText;
using qm::plugin::isLeadByte;

std::string upper(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;
      continue;
    }
    if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
  }
  return out;
}

// The name without its last extension, found by whole characters.
std::string_view withoutExtension(std::string_view name) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(name[i]))) ++i;
    else if (name[i] == '.') dot = i;
  }
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

struct Index {
  std::string text;  // the list as parsed, to know it again
  std::vector<Fields> records;
  std::unordered_map<std::string, std::size_t> byKey[4];  // CRC32, CRC16, file title, file name
};

int slotOf(int keyType) {
  switch (keyType) {
    case 0: return 0;
    case 16: return 1;
    case 100: return 2;
    case 101: return 3;
  }
  return -1;
}

void addKeys(Index& index, std::size_t record) {
  for (const auto& [name, value] : index.records[record]) {
    const std::string key = upper(trimmed(value));
    if (name == "CRC32") index.byKey[0].emplace(key, record);
    else if (name == "CRC16") index.byKey[1].emplace(key, record);
    else if (name == "File") {
      index.byKey[2].emplace(std::string(withoutExtension(key)), record);
      index.byKey[3].emplace(key, record);
    }
  }
}

void parse(Index& index) {
  std::string_view rest(index.text);
  bool inRecord = false;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      index.records.emplace_back();
      inRecord = true;
      continue;
    }
    if (!inRecord) continue;
    Fields& fields = index.records.back();
    if (line.front() == '+') {
      if (!fields.empty()) fields.back().second += "\r\n" + std::string(line.substr(1));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    fields.emplace_back(std::string(trimmed(line.substr(0, equals))), std::string(line.substr(equals + 1)));
  }
  for (std::size_t record = 0; record < index.records.size(); ++record) addKeys(index, record);
}

std::mutex lock;
// Freed when the library is unloaded.
std::unique_ptr<Index> current;
const char* currentList = nullptr;
std::string lastKey;

// The index of `list`, parsed again when the list differs from the last one.
// Comparing the whole text each time would cost as much as parsing it, so
// it is compared when the key changes: the calls for one image share the key.
const Index& indexOf(const char* list, const char* key) {
  if (current && list == currentList && lastKey == key) return *current;
  const std::size_t length = std::strlen(list);
  if (!current || current->text.size() != length || std::memcmp(current->text.data(), list, length) != 0) {
    current = std::make_unique<Index>();
    current->text.assign(list, length);
    parse(*current);
  }
  currentList = list;
  lastKey = key;
  return *current;
}

const std::string* lookUp(const char* list, const char* key, std::int16_t keyType, const char* item) {
  if (!list || !key) return nullptr;
  const int slot = slotOf(keyType);
  if (slot < 0) return nullptr;
  const Index& index = indexOf(list, key);
  const auto found = index.byKey[slot].find(upper(trimmed(key)));
  if (found == index.byKey[slot].end()) return nullptr;
  for (const auto& [name, value] : index.records[found->second])
    if (name == item) return &value;
  return nullptr;
}

[[maybe_unused]] std::int16_t text(const char* list, const char* key, std::int16_t keyType, char** buffer, std::uint16_t size,
                  const char* item) {
  std::lock_guard<std::mutex> guard(lock);
  const std::string* value = lookUp(list, key, keyType, item);
  if (!value) return -1;
  return giveText(*value, buffer, size);
}

[[maybe_unused]] std::int16_t number(const char* list, const char* key, std::int16_t keyType, const char* item) {
  std::lock_guard<std::mutex> guard(lock);
  const std::string* value = lookUp(list, key, keyType, item);
  if (!value) return -1;
  const std::string_view digits = trimmed(*value);
  if (digits.empty() || digits.size() > 4) return -1;
  int result = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    result = result * 10 + (c - '0');
  }
  return static_cast<std::int16_t>(result);
}

}  // namespace

#define KEYLIST_TEXT(name)                                                                                   \
  KEYLIST_EXPORT std::int16_t KEYLIST_CALL Get##name(const char* list, const char* key, std::int16_t keyType, \
                                                     char** buffer, std::uint16_t size) {                    \
    return text(list, key, keyType, buffer, size, #name);                                                    \
  }
#define KEYLIST_NUMBER(name)                                                                                  \
  KEYLIST_EXPORT std::int16_t KEYLIST_CALL Get##name(const char* list, const char* key, std::int16_t keyType) { \
    return number(list, key, keyType, #name);                                                                 \
  }

// KEYLIST_PARTIAL builds a stand-in without the title, year and memo
// functions; KEYLIST_INFO_ONLY one with none of the item functions.
#ifndef KEYLIST_INFO_ONLY
#ifndef KEYLIST_PARTIAL
KEYLIST_TEXT(Title)
KEYLIST_NUMBER(Year)
KEYLIST_TEXT(Memo)
#endif
KEYLIST_TEXT(Maker)
KEYLIST_TEXT(Country)
KEYLIST_TEXT(Version)
KEYLIST_NUMBER(ImgNum)
KEYLIST_TEXT(Genre)
KEYLIST_NUMBER(R)
KEYLIST_TEXT(Creator)
KEYLIST_TEXT(Kana)
KEYLIST_TEXT(Developer)
KEYLIST_TEXT(SaleDate)
KEYLIST_TEXT(Price)
KEYLIST_TEXT(Model)
KEYLIST_TEXT(MediaInfo)
KEYLIST_TEXT(DeviceInfo)
KEYLIST_TEXT(Player)
KEYLIST_TEXT(SaveInfo)
KEYLIST_TEXT(SoundInfo)
KEYLIST_TEXT(CeroRating)
#endif

KEYLIST_EXPORT std::int16_t KEYLIST_CALL GetPluginVersion() { return 100; }

KEYLIST_EXPORT std::int16_t KEYLIST_CALL GetPluginAuthor(char** buffer, std::uint16_t size) {
  return giveText("Quillmoor2", buffer, size);
}

// Shift-JIS: "キー付きテキストリスト（[レコード] と 項目名=値 の行）を読みます"
KEYLIST_EXPORT std::int16_t KEYLIST_CALL GetPluginInfo(char** buffer, std::uint16_t size) {
  return giveText("\x83\x4c\x81\x5b\x95\x74\x82\xab\x83\x65\x83\x4c\x83\x58\x83\x67\x83\x8a\x83\x58\x83\x67"
                  "\x81\x69\x5b\x83\x8c\x83\x52\x81\x5b\x83\x68\x5d\x20\x82\xc6\x20\x8d\x80\x96\xda\x96\xbc\x3d"
                  "\x92\x6c\x20\x82\xcc\x8d\x73\x81\x6a\x82\xf0\x93\xc7\x82\xdd\x82\xdc\x82\xb7",
                  buffer, size);
}
