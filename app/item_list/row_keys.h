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
  std::optional<std::string> readWithDetails(db::DbConnection& db, std::string_view groupStatement);
  // The keys of every item a view of viewHead() can list: main_table's rows
  // with ply<2 and their spec_table columns, found by file_name for readRows().
  // Kept while the library stays as it was, so that a search reads only which
  // items it lists, and the ranks of a key are made once for all of them.
  // From `splitFrom` rows on, the keys are read by two threads at once.
  static constexpr int kSplitReadRows = 50000;
  std::optional<std::string> readLibrary(db::DbConnection& db, int splitFrom = kSplitReadRows);
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
  // A library's rows by file_name (UTF-8); rows whose file_name is not a
  // text are not in it, and of two rows of one name only the first is.
  class NameIndex;
  const NameIndex& rowsByFileName() const;

  int rowCount() const { return rows_; }
  std::string_view fileNameUtf8(int row) const;
  // A key's text (UTF-8); "" when it is not a text.
  std::string_view textUtf8(int row, int key) const;
  // Row numbers in the order of `terms`.
  std::vector<int> order(const std::vector<SortTerm>& terms) const;
  // The library's rows among these rows (taken from a library's keys) whose
  // key equals `text` (UTF-8), as SQLite's = finds a text in a TEXT column,
  // or else `number`, as = finds an integer in an INTEGER column. Nothing
  // when these rows are not a library's.
  std::optional<std::vector<int>> libraryRowsWhere(int key, const std::optional<std::string>& text,
                                                   std::int64_t number) const;
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
      std::uint64_t offset;  // into the column's text
    };
  };
  // One key of every row, kept as the number of the row's value among the
  // key's distinct values: most keys take few values (makers, machines,
  // ratings), so a million rows cost 4 bytes each, and a key's ranks are made
  // by sorting its distinct values only.
  struct Column {
    std::vector<std::uint32_t> ids;  // row -> distinct value
    std::vector<Value> values;
    std::string text;
  };
  class Interner;
  struct Reader;
  struct DetailRows;
  // What a statement over main_table gives, in its column order: rowid (to
  // `rowids`), file_name (`names`), the keys (those of the details table
  // found through `details` by file_name instead).
  struct MainColumns {
    std::vector<std::int64_t>* rowids = nullptr;
    bool names = false;
    std::vector<int> keys;
    const DetailRows* details = nullptr;
  };
  static std::string mainStatement(const MainColumns& columns);
  std::optional<std::string> readDetailRows(db::DbConnection& db, Reader& reader, DetailRows& details);
  std::optional<std::string> readMainRows(db::DbConnection& db, const std::string& statementUtf8, Reader& reader,
                                          const MainColumns& columns);
  bool readLibraryInTwo(db::DbConnection& db, std::int64_t rowsAbout);

  void clear();
  std::optional<std::string> readKeysWithDetails(db::DbConnection& db, const std::string& mainStatementUtf8,
                                                   std::int64_t rowsAbout = 0);
  // Rows taken from a library's keys are looked up there.
  const RowKeys& table() const { return base_ ? *base_ : *this; }
  std::size_t tableRow(int row) const {
    return static_cast<std::size_t>(base_ ? baseRows_[static_cast<std::size_t>(row)] : row);
  }
  const Column& column(int key) const { return table().columns_[static_cast<std::size_t>(key)]; }
  const Value& value(int row, int key) const {
    const Column& c = column(key);
    return c.values[c.ids[tableRow(row)]];
  }
  static int compare(const Column& column, const Value& a, const Value& b);
  // Every row's place among the key's distinct values (0 the least), made
  // when first needed: comparing small numbers in one array is what makes a
  // sort of a million rows fast.
  const std::vector<std::uint32_t>& ranks(int key) const;
  // The same place for each of the key's distinct values.
  std::vector<std::uint32_t> valueRanks(int key) const;
  void refine(std::vector<int>& rows, std::size_t first, std::size_t last, const std::vector<SortTerm>& terms,
              std::size_t term) const;

  int rows_ = 0;
  std::vector<Column> columns_;
  // file_name of every row: its bytes, where each starts (one more than the
  // rows) and which are not texts.
  std::string names_;
  std::vector<std::uint64_t> nameStart_;
  std::vector<bool> nameNotText_;
  mutable std::vector<std::vector<std::uint32_t>> ranks_;
  // More than the key's highest rank.
  std::uint32_t rankLimit(int key) const;
  // Made when a view's rows are first looked up by name.
  mutable std::shared_ptr<NameIndex> byFileName_;
  std::shared_ptr<const RowKeys> base_;
  std::vector<int> baseRows_;  // row -> row of base_
};

// Rows by their names, for names kept elsewhere (`nameOf`): an open
// addressing table of row numbers, 8 bytes a row, where a map of string
// views took ten times that and a node allocation per row.
class RowKeys::NameIndex {
public:
  using NameOf = std::string_view (*)(const void* owner, int row);
  NameIndex(const void* owner, NameOf nameOf, int rows);
  // Adds `row` unless a row of the same name is in already.
  void add(int row);
  // The row of `name`, or -1.
  int find(std::string_view name) const;
  std::size_t size() const { return count_; }

private:
  const void* owner_;
  NameOf nameOf_;
  std::vector<std::uint32_t> slots_;  // row + 1, 0 free
  std::size_t count_ = 0;
};

}  // namespace qm::search
