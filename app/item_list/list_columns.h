// The item list's 18 columns: header, list_view column, sort expression and
// default visibility, and the layout (widths, shown columns, their order) as
// the settings keep it. The window code inserts the columns of
// shownColumnsInOrder() with their widths and draws cells with cellText().
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/item_list/list_view_sql.h"

namespace qm {
class Settings;
}

namespace qm::search {

inline constexpr int kColumnCount = 18;
inline constexpr int kMachineGenreColumn = 2;
inline constexpr int kTitleColumn = 0;
inline constexpr int kReadingColumn = 17;

struct ListColumn {
  const char* header;     // UTF-8; column 2 changes with its sort direction
  const char* field;      // the list_view column shown; "" for column 2 (two fields)
  const char* sortKey;    // the ORDER BY item; "" for column 2 (see sort_state.h)
  int viewColumn;         // position of `field` in list_view (machine_name for column 2)
  bool shownByDefault;
};

const std::array<ListColumn, kColumnCount>& listColumns();

// Header of a column as program text; column 2 by its sort direction (0..3).
std::string columnHeader(int column, int direction = 0);

struct ColumnLayout {
  std::array<int, kColumnCount> width{};
  std::array<bool, kColumnCount> shown{};
  std::array<int, kColumnCount> position{};  // display position among the shown ones
};

// From the "ItemList" keys ("clm", "clm_disp", "clm_sort" + NN) of loaded settings.
ColumnLayout columnLayout(const Settings& settings);
// And back, before the settings are saved.
void storeColumnLayout(Settings& settings, const ColumnLayout& layout);

// Shown columns ordered by display position (ties by column number).
std::vector<int> shownColumnsInOrder(const ColumnLayout& layout);

// Cell texts whose shown value differs from the stored one; everything else
// is shown as stored. Values are program text.
std::string saleYearText(std::string_view stored);   // "0" empty, cut before "-00"
std::string lastBootText(std::string_view stored);   // never booted: "- -"
std::string adultexText(std::string_view stored);    // empty: "指定なし"
// Column 2's two lines, upper first: genre on top for directions 2 and 3.
std::array<std::string, 2> machineGenreLines(std::string_view machine, std::string_view genre, int direction);
// A cell of a one-line column (not column 2) from its stored value.
std::string cellText(int column, std::string_view stored);
// Filled stars of a stored rating (0, 10, ..., 50): 0..5, the rest empty.
int filledStars(std::string_view stored);
// The favourite groups an item is in: the digits of `fave`, ascending, once each.
std::vector<int> favouriteMarks(std::string_view fave);

}  // namespace qm::search
