#include "app/search/list_view_sql.h"

namespace qm::search {
namespace {

constexpr const char* kColumns[] = {
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
static_assert(std::size(kColumns) == 51);

constexpr const char* kJoins[] = {
    "LEFT JOIN machine_info_table ON machine_name = machine ",
    "LEFT JOIN media_info_table ON media_name = media ",
    "LEFT JOIN genre_info_table ON genre_name = genre ",
    "LEFT JOIN creator_table ON file_name = pfile_cr ",
    "LEFT JOIN memo_table ON file_name = pfile_mm ",
    "LEFT JOIN snap_path_table ON file_name = pfile_sp ",
    "LEFT JOIN spec_table ON file_name = pfile_sc ",
    "LEFT JOIN alter_ego_table ON file_name = pfile_ae ",
    "LEFT JOIN adultex_info_table ON adultex = spec_table.adultex_name ",
    "LEFT JOIN favorite_table ON file_name = pfile_fv ",
    "LEFT JOIN tmp_maxdisk ON file_name = pfile_md_tmp ",
    "LEFT JOIN use_emuset_table ON file_name = pfile_ue ",
};

}  // namespace

std::span<const char* const> viewColumns() { return kColumns; }

std::string viewHead() {
  std::string sql = "CREATE VIEW list_view AS SELECT ";
  for (std::size_t i = 0; i < std::size(kColumns); ++i) {
    sql += kColumns[i];
    sql += i + 1 < std::size(kColumns) ? "," : " ";
  }
  sql += "FROM main_table ";
  for (const char* join : kJoins) sql += join;
  return sql;
}

std::string viewStatementWithoutSearch() { return viewHead() + "WHERE ply<2 " + ";"; }

}  // namespace qm::search
