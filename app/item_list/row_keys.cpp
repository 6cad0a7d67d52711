#include "app/item_list/row_keys.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "app/item_list/list_columns.h"
#include "common/db/db_connection.h"

namespace qm::search {
namespace {

// The column table's ORDER BY items, column 2 as its two fields, in column
// order: the key numbers the terms refer to.
constexpr const char* kKeyExpressions[kSortKeyCount] = {
    "title",        "maker",        "machine_name", "genre_name",     "rating",       "sale_year", "boot_count+0",
    "last_boot",    "developer",    "breed",        "price+0",        "media_detail", "device",    "players",
    "adultex_name", "savedat_detail", "sound_detail", "play_time",    "kana",
};
// Keys 9 to 16 are spec_table's columns.
constexpr int kFirstSpecKey = 9;
constexpr int kSpecKeys = 8;
constexpr const char* kSpecKeyStatement =
    "SELECT pfile_sc, breed, price+0, media_detail, device, players, adultex_name, savedat_detail, sound_detail "
    "FROM spec_table;";
constexpr int kMachineKey = 2;
constexpr int kGenreKey = 3;

// Key of a column other than 2, whose two fields are keys 2 and 3.
int keyOfColumn(int column) { return column < kMachineGenreColumn ? column : column + 1; }

constexpr std::string_view kGroupHead = "SELECT * FROM list_view";

// "SELECT " + columns + " FROM list_view" + what follows the group statement's head.
std::optional<std::string> fromListView(std::string columns, std::string_view groupStatement) {
  std::string_view rest = ";";
  if (!groupStatement.empty()) {
    if (groupStatement.substr(0, kGroupHead.size()) != kGroupHead) return std::nullopt;
    rest = groupStatement.substr(kGroupHead.size());
  }
  return "SELECT " + columns.append(" FROM list_view").append(rest);
}

}  // namespace

std::optional<std::string> sortKeyStatement(std::string_view groupStatement) {
  std::string columns = "file_name";
  for (const char* expression : kKeyExpressions) columns.append(", ").append(expression);
  return fromListView(std::move(columns), groupStatement);
}

std::optional<std::string> sortRowStatement(std::string_view groupStatement) {
  return fromListView("file_name", groupStatement);
}

namespace {

// file_name and the keys of main_table's columns (keys 0..8, 17, 18).
std::string mainKeyColumns() {
  std::string columns = "file_name";
  for (int key = 0; key < kSortKeyCount; ++key) {
    if (key < kFirstSpecKey || key >= kFirstSpecKey + kSpecKeys) columns.append(", ").append(kKeyExpressions[key]);
  }
  return columns;
}

// Those keys through list_view.
std::optional<std::string> mainKeyStatement(std::string_view groupStatement) {
  return fromListView(mainKeyColumns(), groupStatement);
}

// The same keys straight from main_table, for every row a search can list.
std::string libraryKeyStatement() { return "SELECT " + mainKeyColumns() + " FROM main_table WHERE ply<2;"; }

}  // namespace

std::vector<SortTerm> sortTerms(const SortState& sort) {
  std::vector<SortTerm> terms;
  for (int column : sort.order()) {
    const int direction = sort.direction(column);
    if (column != kMachineGenreColumn) {
      terms.push_back({keyOfColumn(column), direction == 1});
      continue;
    }
    // "machine_name DESC, genre_name": the second field is always ascending.
    const bool genreFirst = (direction & 3) >= kGenreAscending;
    terms.push_back({genreFirst ? kGenreKey : kMachineKey, (direction & 1) == 1});
    terms.push_back({genreFirst ? kMachineKey : kGenreKey, false});
  }
  return terms;
}

RowKeys::Value RowKeys::take(const db::RowValues& row, int column, std::string& text) {
  Value value;
  switch (column < row.columnCount() ? row.type(column) : db::ValueType::Null) {
    case db::ValueType::Integer:
      value.type = kInteger;
      value.integer = row.integer(column);
      break;
    case db::ValueType::Real:
      value.type = kReal;
      value.real = row.real(column);
      break;
    case db::ValueType::Text:
    case db::ValueType::Blob: {
      value.type = row.type(column) == db::ValueType::Text ? kText : kBlob;
      const std::string_view bytes = row.utf8(column);
      value.offset = text.size();
      value.length = static_cast<std::uint32_t>(bytes.size());
      text.append(bytes);
      break;
    }
    case db::ValueType::Null:
      value.integer = 0;
      break;
  }
  return value;
}

void RowKeys::clear() {
  rows_ = 0;
  values_.clear();
  text_.clear();
  ranks_.clear();
  byFileName_.clear();
  base_.reset();
  baseRows_.clear();
}

std::optional<std::string> RowKeys::read(db::DbConnection& db, std::string_view statement) {
  clear();
  auto error = db.readRowsUtf8(db::DbConnection::toUtf8(statement), [this](const db::RowValues& row) {
    for (int c = 0; c < kStride; ++c) values_.push_back(take(row, c, text_));
    ++rows_;
    return true;
  });
  if (error) clear();
  return error;
}

std::optional<std::string> RowKeys::readWithSpecTable(db::DbConnection& db, std::string_view groupStatement) {
  clear();
  const std::optional<std::string> statement = mainKeyStatement(groupStatement);
  if (!statement) return std::string("not a group filter statement");
  return readKeysWithSpecTable(db, db::DbConnection::toUtf8(*statement));
}

std::optional<std::string> RowKeys::readLibrary(db::DbConnection& db) {
  clear();
  return readKeysWithSpecTable(db, libraryKeyStatement());
}

void RowKeys::indexFileNames() const {
  if (!byFileName_.empty() || rows_ == 0) return;
  byFileName_.reserve(static_cast<std::size_t>(rows_));
  for (int row = 0; row < rows_; ++row) {
    if (values_[static_cast<std::size_t>(row) * kStride].type == kText) byFileName_.emplace(fileNameUtf8(row), row);
  }
}

void RowKeys::takeAll(std::shared_ptr<const RowKeys> library) {
  clear();
  baseRows_.resize(static_cast<std::size_t>(library->rows_));
  for (int row = 0; row < library->rows_; ++row) baseRows_[static_cast<std::size_t>(row)] = row;
  rows_ = library->rows_;
  base_ = std::move(library);
}

void RowKeys::takeRows(std::shared_ptr<const RowKeys> library, std::vector<int> rows) {
  clear();
  baseRows_ = std::move(rows);
  rows_ = static_cast<int>(baseRows_.size());
  base_ = std::move(library);
}

std::optional<std::string> RowKeys::readRows(std::shared_ptr<const RowKeys> library, db::DbConnection& db,
                                             std::string_view statement, bool& complete) {
  clear();
  complete = true;
  library->indexFileNames();
  auto error = db.readRowsUtf8(db::DbConnection::toUtf8(statement), [&](const db::RowValues& row) {
    const auto found = library->byFileName_.find(row.utf8(0));
    if (found == library->byFileName_.end() || row.type(0) != db::ValueType::Text) {
      complete = false;
      return false;
    }
    baseRows_.push_back(found->second);
    return true;
  });
  if (error || !complete) {
    clear();
    return error;
  }
  base_ = std::move(library);
  rows_ = static_cast<int>(baseRows_.size());
  return std::nullopt;
}

std::optional<std::string> RowKeys::readKeysWithSpecTable(db::DbConnection& db, const std::string& mainStatementUtf8) {
  // spec_table's rows, by pfile_sc.
  std::string specText;
  std::vector<Value> specValues;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> specNames;  // offset and length in specText
  auto error = db.readRowsUtf8(kSpecKeyStatement, [&](const db::RowValues& row) {
    const Value name = take(row, 0, specText);
    specNames.emplace_back(name.type == kText || name.type == kBlob ? name.offset : 0, name.length);
    for (int c = 1; c <= kSpecKeys; ++c) specValues.push_back(take(row, c, specText));
    return true;
  });
  if (error) return error;
  std::unordered_map<std::string_view, std::size_t> specRow;
  specRow.reserve(specNames.size());
  for (std::size_t i = 0; i < specNames.size(); ++i)
    specRow.emplace(std::string_view(specText).substr(specNames[i].first, specNames[i].second), i);

  error = db.readRowsUtf8(mainStatementUtf8, [&](const db::RowValues& row) {
    int column = 0;
    for (; column <= kFirstSpecKey; ++column) values_.push_back(take(row, column, text_));  // file_name, keys 0..8
    const Value& name = values_[values_.size() - kFirstSpecKey - 1];
    const auto found = name.type == kText ? specRow.find(std::string_view(text_).substr(name.offset, name.length))
                                          : specRow.end();
    for (int k = 0; k < kSpecKeys; ++k) {
      // No spec_table row: the view's LEFT JOIN gives NULL.
      Value value;
      value.integer = 0;
      if (found != specRow.end()) {
        value = specValues[found->second * kSpecKeys + static_cast<std::size_t>(k)];
        if (value.type == kText || value.type == kBlob) {
          const std::uint64_t from = value.offset;
          value.offset = text_.size();
          text_.append(specText, from, value.length);
        }
      }
      values_.push_back(value);
    }
    for (; column < row.columnCount(); ++column) values_.push_back(take(row, column, text_));  // keys 17, 18
    ++rows_;
    return true;
  });
  if (error) clear();
  return error;
}

std::string_view RowKeys::textUtf8(int row, int key) const {
  if (row < 0 || row >= rows_ || key < 0 || key >= kSortKeyCount) return {};
  const Value& v = value(row, key);
  return v.type == kText ? std::string_view(table().text_).substr(v.offset, v.length) : std::string_view();
}

std::string_view RowKeys::fileNameUtf8(int row) const {
  const Value& value = table().values_[tableRow(row) * kStride];
  if (value.type != kText && value.type != kBlob) return {};
  return std::string_view(table().text_).substr(value.offset, value.length);
}

int RowKeys::compare(const Value& a, const Value& b) const {
  // Storage classes first: NULL, numbers, texts, blobs.
  auto rank = [](Type type) { return type == kNull ? 0 : type == kText ? 2 : type == kBlob ? 3 : 1; };
  const int ra = rank(a.type), rb = rank(b.type);
  if (ra != rb) return ra < rb ? -1 : 1;
  if (ra == 0) return 0;
  if (ra == 1) {
    if (a.type == kInteger && b.type == kInteger) return a.integer < b.integer ? -1 : a.integer > b.integer;
    // long double holds every 64-bit integer exactly, as SQLite's own
    // integer-to-real comparison does.
    const long double x = a.type == kInteger ? static_cast<long double>(a.integer) : a.real;
    const long double y = b.type == kInteger ? static_cast<long double>(b.integer) : b.real;
    return x < y ? -1 : x > y;
  }
  const std::string& text = table().text_;
  const int common = std::memcmp(text.data() + a.offset, text.data() + b.offset, std::min(a.length, b.length));
  if (common != 0) return common < 0 ? -1 : 1;
  return a.length < b.length ? -1 : a.length > b.length;
}

namespace {

// An order-keeping 64-bit prefix of a value within its storage class: the
// first eight bytes of a text, the bits of a number as a double. Equal
// prefixes say nothing; the values are then compared in full.
std::uint64_t prefixOf(const char* bytes, std::uint32_t length) {
  std::uint64_t prefix = 0;
  for (std::uint32_t i = 0; i < 8; ++i)
    prefix = prefix << 8 | (i < length ? static_cast<unsigned char>(bytes[i]) : 0u);
  return prefix;
}

std::uint64_t prefixOf(double number) {
  std::uint64_t bits;
  std::memcpy(&bits, &number, sizeof bits);
  return bits >> 63 ? ~bits : bits | (std::uint64_t{1} << 63);
}

// Ranges this small are sorted by comparing values: making a key's ranks
// for a few tied rows would cost more.
constexpr std::size_t kSmallRange = 48;

}  // namespace

const std::vector<std::uint32_t>& RowKeys::ranks(int key) const {
  if (ranks_.empty()) ranks_.resize(kSortKeyCount);
  std::vector<std::uint32_t>& ranks = ranks_[static_cast<std::size_t>(key)];
  if (!ranks.empty() || rows_ == 0) return ranks;
  if (base_) {
    // The library's ranks order any of its rows.
    const std::vector<std::uint32_t>& all = base_->ranks(key);
    ranks.resize(baseRows_.size());
    for (std::size_t row = 0; row < baseRows_.size(); ++row) ranks[row] = all[static_cast<std::size_t>(baseRows_[row])];
    return ranks;
  }
  struct Entry {
    std::uint64_t prefix;
    std::uint32_t row;
    std::uint8_t storageClass;
    // The prefix (with the length, for texts) is the whole value: equal
    // prefixes of two such entries are equal values.
    bool whole;
    std::uint32_t length;
  };
  // Doubles hold every integer up to 2^53 exactly.
  constexpr std::int64_t kExactInteger = std::int64_t{1} << 53;
  std::vector<Entry> entries(static_cast<std::size_t>(rows_));
  for (int row = 0; row < rows_; ++row) {
    const Value& v = value(row, key);
    const auto r = static_cast<std::uint32_t>(row);
    Entry& entry = entries[r];
    switch (v.type) {
      case kNull: entry = {0, r, 0, true, 0}; break;
      case kInteger:
        entry = {prefixOf(static_cast<double>(v.integer)), r, 1,
                 v.integer > -kExactInteger && v.integer < kExactInteger, 0};
        break;
      case kReal: entry = {prefixOf(v.real), r, 1, true, 0}; break;
      case kText:
      case kBlob:
        entry = {prefixOf(text_.data() + v.offset, v.length), r, static_cast<std::uint8_t>(v.type == kText ? 2 : 3),
                 v.length <= 8, v.length};
        break;
    }
  }
  auto order = [&](const Entry& a, const Entry& b) {
    if (a.storageClass != b.storageClass) return a.storageClass < b.storageClass;
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (a.whole && b.whole) return a.length < b.length;
    return compare(value(static_cast<int>(a.row), key), value(static_cast<int>(b.row), key)) < 0;
  };
  std::sort(entries.begin(), entries.end(), order);
  ranks.resize(entries.size());
  std::uint32_t rank = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && order(entries[i - 1], entries[i])) ++rank;
    ranks[entries[i].row] = rank;
  }
  return ranks;
}

// Sorts rows[first, last), which tie in every term before `term`, by the
// terms from `term` on, keeping the order of rows that tie in all of them.
void RowKeys::refine(std::vector<int>& rows, std::size_t first, std::size_t last,
                     const std::vector<SortTerm>& terms, std::size_t term) const {
  if (last - first < 2 || term >= terms.size()) return;
  const auto begin = rows.begin() + static_cast<std::ptrdiff_t>(first);
  const auto end = rows.begin() + static_cast<std::ptrdiff_t>(last);
  if (last - first <= kSmallRange) {
    std::stable_sort(begin, end, [&](int a, int b) {
      for (std::size_t t = term; t < terms.size(); ++t) {
        const int result = compare(value(a, terms[t].key), value(b, terms[t].key));
        if (result != 0) return terms[t].descending ? result > 0 : result < 0;
      }
      return false;
    });
    return;
  }
  const std::vector<std::uint32_t>& rank = ranks(terms[term].key);
  if (terms[term].descending) {
    std::stable_sort(begin, end, [&](int a, int b) { return rank[a] > rank[b]; });
  } else {
    std::stable_sort(begin, end, [&](int a, int b) { return rank[a] < rank[b]; });
  }
  std::size_t run = first;
  for (std::size_t i = first + 1; i <= last; ++i) {
    if (i == last || rank[rows[i]] != rank[rows[run]]) {
      refine(rows, run, i, terms, term + 1);
      run = i;
    }
  }
}

std::vector<int> RowKeys::order(const std::vector<SortTerm>& terms) const {
  std::vector<int> rows(static_cast<std::size_t>(rows_));
  for (int i = 0; i < rows_; ++i) rows[static_cast<std::size_t>(i)] = i;
  refine(rows, 0, rows.size(), terms, 0);
  return rows;
}

std::optional<std::vector<std::string>> RowKeys::distinctValues(int key) const {
  std::vector<std::string> values;
  const std::vector<std::uint32_t>& rank = ranks(key);
  // One row of each rank, in rank order (the ranks of a library's subset have gaps).
  std::vector<int> first;
  for (int row = 0; row < rows_; ++row) {
    const std::uint32_t r = rank[static_cast<std::size_t>(row)];
    if (r >= first.size()) first.resize(r + 1, -1);
    if (first[r] < 0) first[r] = row;
  }
  for (const int row : first) {
    if (row < 0) continue;
    const Value& v = value(row, key);
    switch (v.type) {
      case kNull: values.emplace_back(); break;
      case kInteger: values.push_back(std::to_string(v.integer)); break;
      case kReal: return std::nullopt;
      case kText:
      case kBlob: values.emplace_back(table().text_, v.offset, v.length); break;
    }
  }
  return values;
}

}  // namespace qm::search
