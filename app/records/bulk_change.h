// Changing one field of many items at once, and the quick marks (adult mark,
// rating). Every change runs in one transaction on one connection: a failed
// statement rolls the whole change back and is reported.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/message_sink.h"

namespace qm::records {

enum class BulkField { Title, Maker, Developer, Country, Version, SaleYear, Creator, Genre, AdultMark };

// By the column name the field writes ("title", "maker", "developer",
// "country", "version", "sale_year", "creator", "genre_name", "adultex_name").
std::optional<BulkField> bulkFieldNamed(std::string_view column);
// The other way round ("creator" lives in creator_table).
const char* bulkColumnOf(BulkField field);

struct BulkChange {
  BulkField field = BulkField::Maker;
  std::string value;       // program text
  std::string kana;        // titles only: the reading written with them
  std::string smartTitle;  // titles only
};

// The refusal shown for `change`, or nothing: an empty title, a date the rule
// refuses. A date that passes is replaced by its stored form.
std::optional<std::string> prepareBulkChange(BulkChange& change);

// The statements for one selected item (the mark's depends on whether the
// item has a details row yet).
std::vector<std::string> bulkStatements(const BulkChange& change, const std::string& key, bool hasDetailsRow);

// Refusals as information boxes, failures as "DBエラー"; true when committed.
bool applyBulkChange(const std::string& dbPath, BulkChange change, const std::vector<std::string>& keys,
                     platform::MessageSink& sink);

// The adult mark for all selected items: set when the first is unset, else
// cleared. Returns the value written, or nothing when it failed (rolled back).
std::optional<bool> toggleAdult(const std::string& dbPath, const std::vector<std::string>& keys, bool firstMarked,
                                platform::MessageSink& sink);

// The rating for a click `x` pixels right of the rating column's left edge
// (five 16-pixel stars), or nothing outside -5 < x < 80.
std::optional<int> ratingFromClick(int x);
// The rating (0, 10, ..., 50) for a click at `clickX` in a rating column whose
// left edge is at `columnLeft` (same coordinates), or nothing when the click
// is too far from the stars the item list draws. Left of the first star
// clears the rating.
std::optional<int> ratingAtClick(int clickX, int columnLeft);
bool setRating(const std::string& dbPath, const std::string& key, int rating, platform::MessageSink& sink);
bool setRatings(const std::string& dbPath, const std::vector<std::string>& keys, int rating,
                platform::MessageSink& sink);

}  // namespace qm::records
