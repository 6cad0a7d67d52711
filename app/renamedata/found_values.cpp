#include "app/renamedata/found_values.h"

#include <algorithm>
#include <utility>

#include "app/records/release_date.h"
#include "common/db/db_connection.h"

namespace qm::renamedata {

using I = RenameItem;

bool FoundValues::any() const {
  return std::any_of(values.begin(), values.end(), [](const auto& value) { return value.has_value(); });
}

std::optional<std::string> storedNumber(RenameItem item, int value) {
  switch (item) {
    case I::Year:
      if (value <= 0) return std::nullopt;
      return std::to_string(value) + "-00-00";
    case I::ImgNum:
      if (value <= 0) return std::nullopt;
      return std::to_string(value);
    case I::R:
      if (value < 0) return std::nullopt;
      return value > 1 ? "1" : std::to_string(value);
    default:
      return std::nullopt;
  }
}

std::optional<std::string> storedText(RenameItem item, std::string value) {
  if (value.empty()) return std::nullopt;
  if (item == I::SaleDate) {
    if (auto date = records::normalizeReleaseDate(value)) return date;
  }
  return value;
}

namespace {

struct Target {
  RenameItem item;
  const char* column;
};

// The main row's columns in the order they are set; the smart title follows
// the title.
constexpr Target kMain[] = {{I::Title, "title"},     {I::Maker, "maker"},         {I::Country, "country"},
                            {I::Version, "version"}, {I::Year, "sale_year"},      {I::ImgNum, "rom_num"},
                            {I::Genre, "genre_name"}, {I::R, "adult"},            {I::Kana, "kana"},
                            {I::Developer, "developer"}, {I::SaleDate, "sale_year"}};
constexpr Target kDetails[] = {{I::Model, "breed"},        {I::Price, "price"},        {I::MediaInfo, "media_detail"},
                               {I::DeviceInfo, "device"},  {I::Player, "players"},     {I::SaveInfo, "savedat_detail"},
                               {I::SoundInfo, "sound_detail"}, {I::CeroRating, "adultex_name"}};

std::optional<std::string> mainStatement(const std::string& key, const FoundValues& found) {
  std::string sets;
  for (const Target& target : kMain) {
    const auto& value = found[target.item];
    if (!value) continue;
    sets += std::string(",") + target.column + "=" + db::sqlText(*value) + " ";
    if (target.item == I::Title && found.smartTitle) sets += ",smart_title=" + db::sqlText(*found.smartTitle) + " ";
  }
  if (sets.empty()) return std::nullopt;
  return "UPDATE main_table SET modify=datetime('now','localtime') " + sets + " WHERE file_name=" + db::sqlText(key) +
         " ;";
}

// Details not found this time keep what the row holds: an existing row is
// updated in the found columns only.
std::optional<std::string> detailStatement(const std::string& key, const FoundValues& found) {
  std::string columns, values, updates;
  for (const Target& target : kDetails) {
    const auto& value = found[target.item];
    if (!value) continue;
    columns += std::string(target.column) + ",";
    values += db::sqlText(*value) + ",";
    updates += std::string(updates.empty() ? "" : ",") + target.column + "=excluded." + target.column;
  }
  if (columns.empty()) return std::nullopt;
  return "INSERT INTO spec_table(" + columns + "pfile_sc) VALUES(" + values + db::sqlText(key) +
         ") ON CONFLICT(pfile_sc) DO UPDATE SET " + updates + ";";
}

}  // namespace

std::vector<std::string> updateStatements(const std::string& fileName, const FoundValues& found) {
  std::vector<std::string> statements;
  if (auto main = mainStatement(fileName, found)) statements.push_back(std::move(*main));
  if (auto details = detailStatement(fileName, found)) statements.push_back(std::move(*details));
  if (const auto& creator = found[I::Creator])
    statements.push_back("INSERT OR REPLACE INTO creator_table( pfile_cr, creator ) VALUES( " + db::sqlText(fileName) +
                         "," + db::sqlText(*creator) + " );");
  if (const auto& memo = found[I::Memo])
    statements.push_back("INSERT OR REPLACE INTO memo_table( pfile_mm, memo ) VALUES( " + db::sqlText(fileName) + "," +
                         db::sqlText(*memo) + " );");
  return statements;
}

}  // namespace qm::renamedata
