// The view list_view that the item list reads: its 51 columns and joins, and
// its statement without a search ("WHERE ply<2 "), which the first fill, a
// SQL search and a failed search's recovery use. The search builder adds its
// own WHERE clauses to viewHead().
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qm::db {
class DbConnection;
}

namespace qm::search {

// Column names in view order (position 0 is file_name, the item key). The
// item list reads cells by position: a position is only ever taken from this
// table by name (viewColumn), so adding or moving a column moves every reader.
inline constexpr const char* kViewColumnNames[] = {
    "file_name",      "machine_name",   "title",        "version",      "maker",        "developer",
    "genre_name",     "adult",          "media_name",   "country",      "sale_year",    "rating",
    "boot_count",     "last_boot",      "machine_num",  "media_num",    "genre_num",    "ply",
    "snap_path",      "file_title",     "file_ext",     "file_arc_title", "file_arc_ext", "creator",
    "memo",           "associate",      "crc",          "crc32",        "rom_num",      "snap1",
    "snap2",          "snap3",          "snap_dtt",     "snap_path2",   "snap_path3",   "snap_dtm",
    "breed",          "price",          "media_detail", "device",       "players",      "adultex_name",
    "adultex_num",    "savedat_detail", "sound_detail", "alter_ego",    "play_time",    "kana",
    "fave",           "maxdisk",        "emuset_name",
};

std::span<const char* const> viewColumns();

// Position of column `name` in list_view; -1 when the view has no such column.
// Kept in a constexpr and checked by a static_assert where it is used.
constexpr int viewColumn(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kViewColumnNames); ++i)
    if (name == kViewColumnNames[i]) return static_cast<int>(i);
  return -1;
}

// The positions more than one reader takes by name.
inline constexpr int kViewFileName = viewColumn("file_name");
inline constexpr int kViewMachineName = viewColumn("machine_name");
inline constexpr int kViewGenreName = viewColumn("genre_name");
inline constexpr int kViewAlterEgo = viewColumn("alter_ego");
inline constexpr int kViewFave = viewColumn("fave");
inline constexpr int kViewTitle = viewColumn("title");
static_assert(kViewFileName == 0, "the item key is the view's first column");
static_assert(kViewMachineName >= 0 && kViewGenreName >= 0 && kViewAlterEgo >= 0 && kViewFave >= 0 && kViewTitle >= 0);

// "CREATE VIEW list_view AS SELECT " + columns + "FROM main_table " + joins.
std::string viewHead();
// viewHead() + "WHERE ply<2 " + ";".
std::string viewStatementWithoutSearch();

inline constexpr const char* kDropView = "DROP VIEW list_view;";

// Drops the list view and makes it anew from `statement` (exactly one
// statement), in a library that has its main table only: a file without the
// library's tables gets nothing, so that it stays a file `create` makes anew.
std::optional<std::string> remakeListView(db::DbConnection& db, const std::string& statement);

}  // namespace qm::search
