#include "crclib/image_row.h"

#include "common/db/db_connection.h"

namespace qm::reg {
namespace {

constexpr const char* kFileColumns =
    " INTO main_table( file_name, file_title, file_ext, machine_name, title, smart_title, version, maker, "
    "genre_name, adult, media_name, country, sale_year, modify, crc32, crc, ply, ply_file_name ) VALUES( ";
constexpr const char* kMemberColumns =
    " INTO main_table( file_name, file_title, file_ext, machine_name, title, smart_title, version, maker, "
    "genre_name, adult, media_name, country, sale_year, modify, crc32, crc, file_arc_title, file_arc_ext, ply, "
    "ply_file_name ) VALUES( ";
constexpr const char* kNow = "datetime('now','localtime')";

std::string head(bool inArchive, bool overwrite) {
  return std::string(overwrite ? "INSERT OR REPLACE" : "INSERT OR IGNORE") + (inArchive ? kMemberColumns : kFileColumns);
}

template <typename Write>
std::string statement(bool inArchive, bool overwrite, const std::vector<RowValue>& values, Write write) {
  std::string sql = head(inArchive, overwrite);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) sql += ", ";
    sql += values[i].kind == RowValue::Kind::Now ? std::string(kNow) : write(values[i]);
  }
  return sql + " );";
}

RowValue text(const std::string& value) { return {RowValue::Kind::Text, value}; }

}  // namespace

std::vector<RowValue> rowValues(const ImageRow& row) {
  std::vector<RowValue> values{text(row.key),     text(row.fileTitle), text(row.fileExt),     text(row.machine),
                               text(row.title),   text(row.smartTitle), text(row.version),    text(row.maker),
                               text(row.genre),   {RowValue::Kind::Number, row.adult ? "1" : "0"},
                               text(row.media),   text(row.country),   text(row.saleYear),    {RowValue::Kind::Now, ""},
                               text(row.crc32),   text(row.crc16)};
  if (row.inArchive) {
    values.push_back(text(row.arcTitle));
    values.push_back(text(row.arcExt));
  }
  values.push_back(text(row.ply));
  values.push_back(text(row.plyFile));
  return values;
}

std::string insertText(const ImageRow& row, bool overwrite) {
  return statement(row.inArchive, overwrite, rowValues(row), [](const RowValue& v) {
    return v.kind == RowValue::Kind::Text ? db::sqlText(v.text) : v.text;
  });
}

std::string insertTemplate(bool inArchive, bool overwrite) {
  ImageRow shape;
  shape.inArchive = inArchive;
  return statement(inArchive, overwrite, rowValues(shape), [](const RowValue&) { return std::string("?"); });
}

}  // namespace qm::reg
