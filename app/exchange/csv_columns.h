// The 24 fields of a library CSV file in file order: the column each one
// fills, the table that holds it, its header text and the longest value an
// import takes.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace qm::exchange {

enum class CsvTable { Main, Details, Creator };  // main_table, spec_table, creator_table

struct CsvColumn {
  const char* column;  // SQL name, also the name the export reads by
  const char* header;  // UTF-8; headerText() gives it as program text
  CsvTable table;
  std::size_t limit;   // bytes of program text
  bool required;
};

inline constexpr std::size_t kCsvFieldCount = 24;
// Field numbers the import treats apart.
inline constexpr std::size_t kKeyField = 0, kTitleField = 3, kAdultField = 9;

std::span<const CsvColumn> csvColumns();
// The header text of field `index` (program text).
const std::string& headerText(std::size_t index);

}  // namespace qm::exchange
