// One row of main_table as a registration stores it: an image file, or a
// member of an archive with the member's title and extension besides. The
// statement text below is the registration's INSERT as written with every
// value a literal; the writer prepares the same text with "?" in place of the
// values once per kind and binds them per row (crclib/row_store.h), and a test
// keeps the two storing the same rows.
#pragma once

#include <string>
#include <vector>

namespace qm::reg {

struct ImageRow {
  bool inArchive = false;
  std::string key;        // file_name: the full path, or archive path "*" member name
  std::string fileTitle;  // of the image file, or of the archive
  std::string fileExt;
  std::string machine, title, smartTitle, version, maker, genre;
  bool adult = false;
  std::string media, country, saleYear, crc32, crc16;
  std::string arcTitle, arcExt;  // members only: the member's title and extension
  std::string ply = "0", plyFile;
};

// One value of the statement in column order: text, a number, or the
// statement's own expression for `modify`.
struct RowValue {
  enum class Kind { Text, Number, Now } kind;
  std::string text;
};

std::vector<RowValue> rowValues(const ImageRow& row);

// "INSERT OR REPLACE" (overwrite) or "INSERT OR IGNORE" ... with every value
// written as a literal, text quoted by db::sqlText.
std::string insertText(const ImageRow& row, bool overwrite);
// The same statement with "?" for every value but `modify`.
std::string insertTemplate(bool inArchive, bool overwrite);

}  // namespace qm::reg
