// The condition of a search-bar view, as well as its statement: the same
// tests of the same fields, answered over the library's texts held in
// memory. A search then lists its rows without reading the view: the view's
// concatenations of nine fields and its join of the creators, made again
// for each of 100,000 rows, took most of a fuzzy search's time.
//
// The statement stays what the view is made of (the group pane, a SQL search
// and the next start read list_view); the condition only has to give the
// same rows, which the tests check against the view on generated libraries.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/item_list/row_keys.h"

namespace qm::db {
class DbConnection;
class LikePattern;
class RegexpMatcher;
}

namespace qm::search {

// list_view's fields a search tests.
enum class TextField {
  FileName, Title, Kana, MachineName, Maker, Developer, Tag, Version, Creator, SmartTitle, GenreName, Memo,
  SaleYear, Count
};

// The field's name in list_view.
const char* fieldName(TextField field);

// One test of a WHERE: `fields` concatenated (each but file_name and
// machine_name through ifnull(x,'')) LIKE, = or REGEXP the operand (UTF-8).
struct TextTest {
  enum class Kind { Like, Equals, Regexp };
  std::vector<TextField> fields;
  Kind kind = Kind::Like;
  std::string operand;
  bool backquoteEscape = false;  // LIKE ... ESCAPE '`'
};

// The tests joined by AND (`all`) or OR; empty when the statement has a form
// the condition does not know, and the view is read instead.
struct TextCondition {
  bool all = false;
  std::vector<TextTest> tests;
};

// The texts of every item a search can list (main_table's rows with ply<2,
// the creator and the memo joined once), by field, read the first time a
// search needs a field and kept while the library stays as it is.
class SearchTexts {
public:
  // `rowOf`: file_name (UTF-8) -> the row of the library's keys the texts are
  // kept under. Nothing on success, else SQLite's error text.
  // `stop`, when given and set, ends the read early (an error).
  std::optional<std::string> load(db::DbConnection& db, const std::vector<TextField>& fields,
                                  const RowKeys::NameIndex& rowOf, int rows,
                                  const std::atomic<bool>* stop = nullptr);
  bool hasAll() const;
  bool has(TextField field) const { return columns_[static_cast<int>(field)].loaded; }

  // The library rows that meet the condition, in row order; nothing when a
  // pattern cannot be compiled (the view then decides).
  std::optional<std::vector<int>> matching(const TextCondition& condition) const;

private:
  struct Column {
    bool loaded = false;
    std::string bytes;                  // every value, each followed by a NUL
    std::vector<std::uint32_t> offset;  // row -> start in bytes
    std::vector<std::uint32_t> length;  // row -> length
    std::vector<std::uint8_t> kind;     // row -> 0 NULL, 1 text, 2 another type; kPlain added
  };
  // The value's bytes may be compared as bytes by LIKE (db::plainUtf8).
  static constexpr std::uint8_t kPlain = 4;
  std::string_view value(TextField field, int row) const;
  bool isNull(TextField field, int row) const;
  bool isText(TextField field, int row) const;
  bool isPlain(TextField field, int row) const;

  Column columns_[static_cast<int>(TextField::Count)];
  int rows_ = 0;
};

// Every field a search may test.
std::vector<TextField> allTextFields();
// The fields a condition reads.
std::vector<TextField> fieldsOf(const TextCondition& condition);

}  // namespace qm::search
