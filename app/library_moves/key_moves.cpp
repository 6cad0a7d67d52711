#include "app/library_moves/key_moves.h"

#include <cstdlib>

#include "common/db/prepared_statement.h"
#include "crclib/registration_rules.h"
#include "dblib/schema.h"

namespace qm::moves {
namespace {

using db::DbConnection;

std::optional<KeyMoveFailure> failed(const std::optional<std::string>& error) {
  if (!error) return std::nullopt;
  return KeyMoveFailure{"", *error, ""};
}

std::optional<KeyMoveFailure> firstCollision(DbConnection& db) {
  // A new key that an image keeping its key already has, or that two moving
  // images would both get.
  static const char* const kQueries[] = {
      "SELECT new FROM key_moves WHERE new IN (SELECT file_name FROM main_table) "
      "AND new NOT IN (SELECT old FROM key_moves) LIMIT 1;",
      "SELECT new FROM key_moves GROUP BY new HAVING count(*)>1 LIMIT 1;"};
  for (const char* sql : kQueries) {
    if (auto error = db.execute(sql)) return KeyMoveFailure{"", *error, ""};
    if (db.rowCount() > 0) return KeyMoveFailure{db.cell(1, 0), "", ""};
  }
  return std::nullopt;
}

// An image without a key could be neither launched nor told apart.
std::optional<KeyMoveFailure> firstEmptied(DbConnection& db) {
  if (auto error = db.execute("SELECT old FROM key_moves WHERE new='' LIMIT 1;")) return KeyMoveFailure{"", *error, ""};
  if (db.rowCount() > 0) return KeyMoveFailure{"", "", db.cell(1, 0)};
  return std::nullopt;
}

// One row after the other, SQLite checks a unique key as each row changes: when
// a new key is the old key of another moving image ("roms" -> "roms2" with
// both folders in the library), that image must be out of the way first. The
// keys are then parked under a name no path has (a leading \x01) and moved on
// from there.
std::optional<std::string> parkKeysIfChained(DbConnection& db, std::string& lookup) {
  lookup = "old";
  if (auto error = db.execute("SELECT 1 FROM key_moves WHERE new IN (SELECT old FROM key_moves) LIMIT 1;"))
    return error;
  if (db.rowCount() == 0) return std::nullopt;
  lookup = "held";
  if (auto error = db.execute("UPDATE key_moves SET held=char(1)||old; CREATE INDEX temp.key_moves_held ON "
                              "key_moves(held);"))
    return error;
  std::vector<std::pair<std::string, std::string>> keys{{"main_table", "file_name"}};
  for (const auto& side : dblib::sideTableKeys()) keys.emplace_back(side.table, side.key);
  for (const auto& [table, key] : keys) {
    const std::string sql = "UPDATE " + table + " SET " + key + "=(SELECT held FROM key_moves WHERE old=" + key +
                            ") WHERE " + key + " IN (SELECT old FROM key_moves);";
    if (auto error = db.execute(sql)) return error;
  }
  return std::nullopt;
}

// The new key of a key column looked up by `lookup`; of a link column by the
// old key, as links are never parked.
std::string newKey(const std::string& column, const std::string& lookup) {
  return "coalesce((SELECT new FROM key_moves WHERE " + lookup + "=" + column + ")," + column + ")";
}

std::string movedBy(const std::string& column, const std::string& lookup) {
  return column + " IN (SELECT " + lookup + " FROM key_moves)";
}

// The key column and, where the table has one, the link to a set's parent.
std::string moveStatement(const std::string& table, const std::string& key, const std::string& link,
                          const std::string& lookup) {
  std::string sql = "UPDATE " + table + " SET " + key + "=" + newKey(key, lookup);
  if (!link.empty()) sql += "," + link + "=" + newKey(link, "old");
  sql += " WHERE " + movedBy(key, lookup);
  if (!link.empty()) sql += " OR " + movedBy(link, "old");
  return sql + ";";
}

std::optional<std::string> moveRows(DbConnection& db, const std::string& lookup) {
  if (auto error = db.execute(moveStatement("main_table", "file_name", "ply_file_name", lookup))) return error;
  for (const auto& side : dblib::sideTableKeys()) {
    const std::string table = side.table;
    const std::string link = table == "alter_ego_table" ? "ply_pfile_ae" : "";
    if (auto error = db.execute(moveStatement(table, side.key, link, lookup))) return error;
  }
  return std::nullopt;
}

// Only keys whose file or member name changed: a moved folder keeps them.
std::optional<std::string> renameNameParts(DbConnection& db) {
  struct Renamed {
    std::string key;
    reg::KeyNameParts parts;
  };
  std::vector<Renamed> renamed;
  auto error = db.readRowsUtf8("SELECT old, new FROM key_moves;", [&](const db::RowValues& row) {
    const std::string newKey = DbConnection::fromUtf8(row.utf8(1));
    reg::KeyNameParts parts = reg::keyNameParts(newKey);
    if (!(parts == reg::keyNameParts(DbConnection::fromUtf8(row.utf8(0))))) renamed.push_back({newKey, parts});
    return true;
  });
  if (error || renamed.empty()) return error;
  db::PreparedStatement update;
  if (auto failure = update.prepare(db, "UPDATE main_table SET file_title=?, file_ext=?, file_arc_title=?, "
                                        "file_arc_ext=? WHERE file_name=?;"))
    return failure;
  for (const Renamed& row : renamed) {
    update.bindText(1, row.parts.fileTitle);
    update.bindText(2, row.parts.fileExt);
    update.bindText(3, row.parts.arcTitle);
    update.bindText(4, row.parts.arcExt);
    update.bindText(5, row.key);
    if (auto failure = update.run()) return failure;
  }
  return std::nullopt;
}

std::optional<KeyMoveFailure> moveWithinTable(DbConnection& db, int* moved) {
  if (auto failure = firstEmptied(db)) return failure;
  if (auto failure = firstCollision(db)) return failure;
  if (moved) {
    if (auto error = db.execute("SELECT count(*) FROM key_moves;")) return failed(error);
    *moved = std::atoi(db.cell(1, 0).c_str());
  }
  std::string lookup;
  if (auto error = parkKeysIfChained(db, lookup)) return failed(error);
  if (auto error = moveRows(db, lookup)) return failed(error);
  return failed(renameNameParts(db));
}

constexpr const char* kMovesTable = "CREATE TEMP TABLE key_moves(old TEXT PRIMARY KEY, new TEXT, held TEXT);";

}  // namespace

std::optional<KeyMoveFailure> moveKeyPairs(DbConnection& db, const std::vector<KeyMove>& moves, int* moved) {
  std::optional<KeyMoveFailure> failure = failed(db.execute(kMovesTable));
  if (!failure) {
    db::PreparedStatement add;
    failure = failed(add.prepare(db, "INSERT INTO key_moves(old, new) VALUES(?, ?);"));
    for (std::size_t i = 0; !failure && i < moves.size(); ++i) {
      add.bindText(1, moves[i].from);
      add.bindText(2, moves[i].to);
      failure = failed(add.run());
    }
  }
  if (!failure) failure = moveWithinTable(db, moved);
  db.execute("DROP TABLE IF EXISTS temp.key_moves;");
  return failure;
}

std::optional<KeyMoveFailure> moveKeys(DbConnection& db, const std::string& from, const std::string& to,
                                       const std::string& machine, int* moved) {
  const std::string machineFilter = machine.empty() ? "" : "machine_name=" + db::sqlText(machine) + " AND ";
  // instr() matches bytes as they are: no wildcards, letter case counts, as
  // REPLACE() does.
  const std::string collect = std::string(kMovesTable) +
                              " INSERT INTO key_moves(old, new) SELECT file_name, REPLACE(file_name," +
                              db::sqlText(from) + "," + db::sqlText(to) + ") FROM main_table WHERE " + machineFilter +
                              "instr(file_name," + db::sqlText(from) + ")>0;";
  std::optional<KeyMoveFailure> failure = failed(db.execute(collect));
  if (!failure) failure = moveWithinTable(db, moved);
  db.execute("DROP TABLE IF EXISTS temp.key_moves;");
  return failure;
}

}  // namespace qm::moves
