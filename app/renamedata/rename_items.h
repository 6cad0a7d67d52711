// What a rename-data plug-in can tell about an image: one exported function
// per item, its result kind and byte limit, the column it fills and the
// check box that ticks it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/platform/export.h"

namespace qm::renamedata {

enum class RenameItem : std::uint8_t {
  Title, Maker, Country, Version, Year, ImgNum, Genre, R, Creator, Memo, Kana, Developer, SaleDate,
  Price, Model, MediaInfo, DeviceInfo, Player, SaveInfo, SoundInfo, CeroRating,
};
inline constexpr std::size_t kItemCount = 21;

struct ItemInfo {
  RenameItem item;
  const char* exportName;  // "GetTitle"
  bool number;             // a number function; else a text function
  std::size_t limit;       // longest text taken, in bytes (texts only)
  const char* label;       // the check box, UTF-8
};

// In the order of RenameItem.
const std::array<ItemInfo, kItemCount>& itemTable();
const ItemInfo& itemInfo(RenameItem item);
inline std::size_t indexOf(RenameItem item) { return static_cast<std::size_t>(item); }

// The exports' signatures. Texts are zero-terminated Shift-JIS; a text
// function is called first with size 0 for the length it needs (terminator
// included), then with a buffer of that size.
using NumberExport = std::int16_t(QM_STDCALL*)(const char* list, const char* key, std::int16_t keyType);
using TextExport = std::int16_t(QM_STDCALL*)(const char* list, const char* key, std::int16_t keyType, char** buffer,
                                             std::uint16_t size);
using InfoTextExport = std::int16_t(QM_STDCALL*)(char** buffer, std::uint16_t size);
using VersionExport = std::int16_t(QM_STDCALL*)();
// Of the list as a whole, asked once before the keys; both may be missing.
using ListTextExport = std::int16_t(QM_STDCALL*)(const char* list, char** buffer, std::uint16_t size);

inline constexpr const char* kVersionExport = "GetPluginVersion";
inline constexpr const char* kAuthorExport = "GetPluginAuthor";
inline constexpr const char* kInfoExport = "GetPluginInfo";
inline constexpr const char* kListErrorExport = "GetListError";    // the list cannot be used
inline constexpr const char* kListNoticeExport = "GetListNotice";  // what the plug-in found in it

}  // namespace qm::renamedata
