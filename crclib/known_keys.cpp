#include "crclib/known_keys.h"

#include "common/db/db_connection.h"

namespace qm::reg {

std::string KnownKeys::folded(std::string utf8) {
  // SQLite's LIKE folds ASCII letters only; UTF-8 has no ASCII trail bytes.
  for (char& c : utf8) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return utf8;
}

std::optional<std::string> KnownKeys::load(db::DbConnection& db) {
  keys_.clear();
  if (auto error = db.execute("SELECT file_name, fave FROM main_table LEFT JOIN favorite_table ON "
                              "file_name=pfile_fv;")) {
    return error;
  }
  const int rows = db.rowCount();
  keys_.reserve(static_cast<std::size_t>(rows));
  for (int row = 1; row <= rows; ++row) {
    bool& favourite = keys_[folded(std::string(db.cellUtf8(row, 0)))];
    favourite = favourite || !db.cellUtf8(row, 1).empty();
  }
  // The result can be large; it is not needed any more.
  db.execute("SELECT 1;");
  return std::nullopt;
}

bool KnownKeys::exists(const std::string& key) const {
  return keys_.contains(folded(db::DbConnection::toUtf8(key)));
}

bool KnownKeys::favourite(const std::string& key) const {
  const auto it = keys_.find(folded(db::DbConnection::toUtf8(key)));
  return it != keys_.end() && it->second;
}

void KnownKeys::add(const std::string& key) { keys_.emplace(folded(db::DbConnection::toUtf8(key)), false); }

bool shouldRegister(const KnownKeys& keys, const std::string& key, bool overwrite, bool keepFavourites) {
  if (!overwrite) return !keys.exists(key);
  return !keepFavourites || !keys.favourite(key);
}

}  // namespace qm::reg
