// What the plug-in found for one image, as the library stores it, and the
// statements that write it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/renamedata/rename_items.h"

namespace qm::renamedata {

struct FoundValues {
  // Per item, the value to store (program text); nothing when not found.
  std::array<std::optional<std::string>, kItemCount> values;
  std::optional<std::string> smartTitle;  // made from the title

  bool any() const;
  const std::optional<std::string>& operator[](RenameItem item) const { return values[indexOf(item)]; }
};

// A number function's result as stored, or nothing when it is not used: a
// year above 0 as "YYYY-00-00", a ROM number above 0, an adult mark of 0 or
// more, where anything above 1 is 1.
std::optional<std::string> storedNumber(RenameItem item, int value);
// A text function's result as stored, or nothing for an empty text. A sale
// date the release-date rule knows is stored in its form ("1987" ->
// "1987-00-00"); any other text as it came.
std::optional<std::string> storedText(RenameItem item, std::string value);

// The statements for one image (`key` its file_name), in the order they run:
// main_table, spec_table, creator_table, memo_table, each only when it has
// something found.
std::vector<std::string> updateStatements(const std::string& fileName, const FoundValues& found);

}  // namespace qm::renamedata
