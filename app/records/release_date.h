// The release date rule shared by every place that takes a date from the user
// (the image-add dialog, the record editor, the bulk date change): what passes,
// the stored form it becomes, and the shorter form the editor shows.
//
// Stored: "0" for none, else "yyyy-mm-dd" with "00" for an unknown month or day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::records {

// The stored form of `text`, or nothing when it is not a date: "" becomes "0";
// 1 to 3 bytes fail; the year at the start must lie in 1840..2060; from 6
// bytes on, the month at the sixth byte in 1..12; from 8 bytes on, the day
// after the first "-" from the seventh byte on in 1..31.
// "1980" -> "1980-00-00", "1980-5" -> "1980-05-00", "1980-5-25" -> "1980-05-25".
std::optional<std::string> normalizeReleaseDate(std::string_view text);
inline bool releaseDateValid(std::string_view text) { return normalizeReleaseDate(text).has_value(); }

// The editor's form of a stored date: "0" is empty, "-00" at the sixth byte
// cuts to the year, "-00" at the ninth byte to the year and month.
std::string releaseDateShown(std::string_view stored);

// What to save for the field showing `shown`, loaded from `stored`: a field
// left as it was shown keeps the stored value, whatever it holds, so that
// saving other fields never fails on an old date; anything else goes through
// the rule.
std::optional<std::string> releaseDateToSave(std::string_view shown, std::string_view stored);

// The message for a date the rule refuses (program text).
std::string releaseDateRefusal();

}  // namespace qm::records
