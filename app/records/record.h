// Everything the record editor shows and changes of one image or one set.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace qm::records {

// The seven text fields of the details tab, in spec_table's column order.
inline constexpr int kDetailCount = 7;
inline constexpr const char* kDetailColumns[kDetailCount] = {"breed",   "price",          "media_detail", "device",
                                                             "players", "savedat_detail", "sound_detail"};
inline constexpr int kSnapSlots = 3;

// Creators longer than this many bytes are refused.
inline constexpr std::size_t kCreatorLimit = 512;

struct Record {
  std::string file;                // the image, or the set's parent as loaded
  std::vector<std::string> set;    // the set's images in disk order; empty for a single image
  std::string title, kana, maker, developer, version;
  std::string machine, genre, media;  // "" for none
  bool adult = false;
  std::string country;
  std::string saleYear;  // as shown: "" for none, "1980", "1980-05", ...
  std::string tag;
  std::string creators;
  std::string memo;
  std::vector<std::string> associates;
  std::array<std::string, kSnapSlots> snaps;
  std::string snapDisplay;  // snap_dtt; "" when the item's own settings are off
  std::array<std::string, kDetailCount> details;
  std::string adultMark;  // spec_table.adultex_name; "" for none
  std::string emulator;   // use_emuset_table.emuset_name; "" for none

  // The key the set's rows and side tables belong to after saving.
  const std::string& newKey() const { return set.empty() ? file : set.front(); }
};

}  // namespace qm::records
