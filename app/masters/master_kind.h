// The four master tables and the words and texts of each: its SQL word
// ("machine" names machine_info_table and its columns machine, machine_icon,
// machine_num) and the labels and messages of its dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::master {

enum class Kind : std::int16_t { Machine = 0, Media = 1, Genre = 2, Adultex = 3 };

// Also the order in which "-rebuildmaster" renumbers them.
inline constexpr Kind kAllKinds[] = {Kind::Machine, Kind::Media, Kind::Genre, Kind::Adultex};

// A kind holds at most this many entries through the dialogs.
inline constexpr int kCapacity = 299;
// The property dialog reads the name up to this many bytes.
inline constexpr int kMaxNameBytes = 256;

struct KindTexts {  // Shift-JIS
  std::string windowTitle;
  std::string groupLabel;
  std::string nameLabel;
  std::string nameRequired;
  std::string nameRefused;
  std::string duplicateName;
  std::string insertFailed;
  std::string updateFailed;
  std::string iconListFailed;
};

std::string_view word(Kind kind);
std::string tableOf(Kind kind);  // word + "_info_table"
const KindTexts& textsOf(Kind kind);

}  // namespace qm::master
