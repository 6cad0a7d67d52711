// The item list's rows as sort keys: each row's file_name and the values of
// the column table's 19 ORDER BY expressions, kept with SQLite's own types, so
// that a header click sorts in memory into the order that the list
// statement's ORDER BY gives, without running the statement again.
//
// SQLite's order, which order() follows: NULL first, then numbers (integers
// and reals compared by value), then texts compared byte by byte (BINARY, the
// collation of every list_view column), then blobs; DESC reverses a term,
// NULLs last. Rows equal in every term keep the order they were read in.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/item_list/sort_state.h"

namespace qm::db {
class DbConnection;
class RowValues;
}

namespace qm::search {

inline constexpr int kSortKeyCount = 19;

// The statement that reads the keys of a group filter statement's rows (or of
// the whole view for an empty one), as program text; nothing when the
// statement is not of the group pane's form "SELECT * FROM list_view ...".
std::optional<std::string> sortKeyStatement(std::string_view groupStatement);
// The statement that lists only the file_name of those rows, for
// RowKeys::readRows; nothing for the same statements.
std::optional<std::string> sortRowStatement(std::string_view groupStatement);

struct SortTerm {
  int key;
  bool descending;
};
// The terms of the state's ORDER BY list (SortState::orderByList), in order.
std::vector<SortTerm> sortTerms(const SortState& sort);

class RowKeys {
public:
  // Reads the rows of a sortKeyStatement (program text). Nothing on success,
  // else SQLite's error text; the keys are then empty.
  std::optional<std::string> read(db::DbConnection& db, std::string_view statement);
  // The same keys for a group filter statement over a list_view made by
  // viewHead() (list_view_sql.h), whose spec_table columns come from a LEFT
  // JOIN on file_name = pfile_sc: spec_table is read once and matched in
  // memory, which costs far less than the join's lookup for every row.
  std::optional<std::string> readWithSpecTable(db::DbConnection& db, std::string_view groupStatement);
  // The keys of every item a view of viewHead() can list: main_table's rows
  // with ply<2 and their spec_table columns, found by file_name for readRows().
  // Kept while the library stays as it was, so that a search reads only which
  // items it lists, and the ranks of a key are made once for all of them.
  std::optional<std::string> readLibrary(db::DbConnection& db);
  // The rows a statement lists whose one column is file_name (program text),
  // in the order read, with their keys taken from `library` (readLibrary).
  // Nothing on success, else SQLite's error text; `complete` is false (and
  // the keys empty) when it lists an item that `library` does not hold.
  std::optional<std::string> readRows(std::shared_ptr<const RowKeys> library, db::DbConnection& db,
                                      std::string_view statement, bool& complete);
  // Every row of `library`, in its order: what the view without a search lists.
  void takeAll(std::shared_ptr<const RowKeys> library);
  // The given rows of `library`, in the order given.
  void takeRows(std::shared_ptr<const RowKeys> library, std::vector<int> rows);
  // A library's rows by file_name (UTF-8); rows whose file_name is not a text are not in it.
  const std::unordered_map<std::string_view, int>& rowsByFileName() const {
    indexFileNames();
    return byFileName_;
  }

  int rowCount() const { return rows_; }
  std::string_view fileNameUtf8(int row) const;
  // A key's text (UTF-8); "" when it is not a text.
  std::string_view textUtf8(int row, int key) const;
  // Row numbers in the order of `terms`.
  std::vector<int> order(const std::vector<SortTerm>& terms) const;
  // The key's distinct values in ascending order, as SELECT DISTINCT ...
  // ORDER BY gives them; UTF-8, NULL read as "" (numbers as SQLite writes
  // them, integers only; nothing when a real is among them).
  std::optional<std::vector<std::string>> distinctValues(int key) const;

private:
  enum Type : std::uint8_t { kNull, kInteger, kReal, kText, kBlob };
  struct Value {
    Type type = kNull;
    std::uint32_t length = 0;  // texts and blobs
    union {
      std::int64_t integer;
      double real;
      std::uint64_t offset;  // into text_
    };
  };
  static constexpr int kStride = kSortKeyCount + 1;  // file_name first

  static Value take(const db::RowValues& row, int column, std::string& text);
  void clear();
  std::optional<std::string> readKeysWithSpecTable(db::DbConnection& db, const std::string& mainStatementUtf8);
  // Rows taken from a library's keys are looked up there.
  const RowKeys& table() const { return base_ ? *base_ : *this; }
  std::size_t tableRow(int row) const {
    return static_cast<std::size_t>(base_ ? baseRows_[static_cast<std::size_t>(row)] : row);
  }
  const Value& value(int row, int key) const {
    return table().values_[tableRow(row) * kStride + 1 + static_cast<std::size_t>(key)];
  }
  int compare(const Value& a, const Value& b) const;
  // Every row's place among the key's distinct values (0 the least), made
  // when first needed: comparing small numbers in one array is what makes a
  // sort of 100,000 rows fast; comparing the values themselves jumps around
  // memory for every comparison.
  const std::vector<std::uint32_t>& ranks(int key) const;
  void refine(std::vector<int>& rows, std::size_t first, std::size_t last, const std::vector<SortTerm>& terms,
              std::size_t term) const;

  int rows_ = 0;
  std::vector<Value> values_;
  std::string text_;
  mutable std::vector<std::vector<std::uint32_t>> ranks_;
  // A library's rows by file_name, made when a view's rows are first looked up.
  mutable std::unordered_map<std::string_view, int> byFileName_;
  void indexFileNames() const;
  std::shared_ptr<const RowKeys> base_;
  std::vector<int> baseRows_;  // row -> row of base_
};

}  // namespace qm::search
