#include "app/item_list/list_view_sql.h"

#include "common/db/db_connection.h"

namespace qm::search {
namespace {

static_assert(std::size(kViewColumnNames) == 51);

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

std::span<const char* const> viewColumns() { return kViewColumnNames; }

std::string viewHead() {
  std::string sql = "CREATE VIEW list_view AS SELECT ";
  for (std::size_t i = 0; i < std::size(kViewColumnNames); ++i) {
    sql += kViewColumnNames[i];
    sql += i + 1 < std::size(kViewColumnNames) ? "," : " ";
  }
  sql += "FROM main_table ";
  for (const char* join : kJoins) sql += join;
  return sql;
}

std::string viewStatementWithoutSearch() { return viewHead() + "WHERE ply<2 " + ";"; }

std::optional<std::string> remakeListView(db::DbConnection& db, const std::string& statement) {
  if (auto error = db.execute("SELECT 1 FROM sqlite_master WHERE type='table' AND name='main_table';")) return error;
  if (db.rowCount() == 0) return std::string("no such table: main_table");
  db.execute(kDropView);
  return db.executeOne(statement);
}

}  // namespace qm::search
