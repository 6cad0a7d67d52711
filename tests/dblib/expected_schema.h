// The version-8 library database as the design notes write it,
// copied here as literal texts: the tests compare the code's output with these,
// never with the code's own strings.
#pragma once

#include <string>
#include <vector>

namespace qm::dblib::expected {

struct Statement {
  std::string sql;     // as executed, UTF-8
  std::string object;  // table, index or trigger name
};

// Creation statements 1 to 21 in their order.
const std::vector<Statement>& creationStatements();
const std::string& statementFor(const std::string& object);

// What sqlite_master keeps of a statement: the text without the final ";" and
// the blanks before it.
std::string storedForm(const std::string& sql);

// main_table with its columns up to and including `lastColumn`.
std::string mainTableUpTo(const std::string& lastColumn);
// delete_subtable_main with its first `deletions` deletions.
std::string deleteTrigger(int deletions);

struct MasterRow {
  std::string name;
  std::string iconFile;
  int number;
  std::string extensions;    // machines only
  std::string defaultMedia;  // machines only
};

const std::vector<MasterRow>& media();
const std::vector<MasterRow>& genres();
const std::vector<MasterRow>& machines();
const std::vector<MasterRow>& ratingMarks();

}  // namespace qm::dblib::expected
