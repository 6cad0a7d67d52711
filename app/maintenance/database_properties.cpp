#include "app/maintenance/database_properties.h"

#include <sqlite3.h>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

const std::string& notCreatedText() {
  static const std::string text = text::sjis("DBが作成されていません");
  return text;
}

std::optional<std::string> count(db::DbConnection& db, const char* sql) {
  if (db.execute(sql) || db.rowCount() < 1) return std::nullopt;
  return groupDigits(db.cell(1, 0));
}

std::string sizeText(const std::string& dbPath) {
  const auto size = platform::fileSize(dbPath);
  return size ? groupDigits(std::to_string(*size)) + " byte" : notCreatedText();
}

std::string_view signOf(std::string_view decimal) {
  static const std::string triangle = text::sjis("▲");
  if (decimal.starts_with("-")) return decimal.substr(0, 1);
  if (decimal.starts_with(triangle)) return decimal.substr(0, triangle.size());
  return {};
}

}  // namespace

std::string groupDigits(std::string_view decimal) {
  const std::string_view sign = signOf(decimal);
  const std::string_view digits = decimal.substr(sign.size());
  if (digits.size() < 4) return std::string(decimal);
  std::string out(sign);
  const std::size_t head = digits.size() % 3;
  out += digits.substr(0, head);
  for (std::size_t at = head; at < digits.size(); at += 3) {
    if (at > 0) out += ',';
    out += digits.substr(at, 3);
  }
  return out;
}

DatabaseFigures readDatabaseFigures(const std::string& dbPath) {
  DatabaseFigures figures;
  if (platform::fileExists(dbPath)) {
    db::DbConnection db;
    db.open(dbPath);
    figures.titles = count(db, "SELECT COUNT(*) FROM main_table WHERE ply < 2 ;");
    figures.images = count(db, "SELECT COUNT(*) FROM main_table ;");
    figures.makers = count(db, "SELECT COUNT(DISTINCT maker) FROM main_table ;");
  }
  figures.fileSize = sizeText(dbPath);
  figures.path = dbPath;
  figures.sqliteVersion = sqlite3_libversion();
  return figures;
}

std::optional<std::string> vacuumDatabase(const std::string& dbPath) {
  if (!platform::fileExists(dbPath)) return notCreatedText();
  db::DbConnection db;
  db.open(dbPath);
  return db.execute("VACUUM;");
}

std::string vacuumFailureMessage(const std::string& error) { return text::sjis("バキュームに失敗しました\n") + error; }

const std::string& vacuumFailureCaption() {
  static const std::string caption = text::sjis("DBエラー");
  return caption;
}

}  // namespace qm::maintenance
