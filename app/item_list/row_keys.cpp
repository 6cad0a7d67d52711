#include "app/item_list/row_keys.h"

#include <algorithm>
#include <cstring>
#include <bit>
#include <functional>
#include <system_error>
#include <thread>
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
// Keys 9 to 16 are the columns of the details table, spec_table.
constexpr int kFirstDetailKey = 9;
constexpr int kDetailKeys = 8;
constexpr const char* kDetailKeyStatement =
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
    if (key < kFirstDetailKey || key >= kFirstDetailKey + kDetailKeys) columns.append(", ").append(kKeyExpressions[key]);
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

// Open addressing over 32-bit slots, for the interner and the name index:
// a power of two of slots, at most half of them used.
namespace {

std::size_t slotCountFor(std::size_t entries) {
  std::size_t slots = 16;
  while (slots < entries * 2) slots *= 2;
  return slots;
}

std::size_t mix(std::uint64_t bits) {
  bits ^= bits >> 33;
  bits *= 0xff51afd7ed558ccdULL;
  bits ^= bits >> 33;
  return static_cast<std::size_t>(bits);
}

std::size_t hashOf(std::string_view bytes) { return mix(std::hash<std::string_view>{}(bytes)); }

}  // namespace

RowKeys::NameIndex::NameIndex(const void* owner, NameOf nameOf, int rows)
    : owner_(owner), nameOf_(nameOf), slots_(slotCountFor(static_cast<std::size_t>(rows)), 0) {}

void RowKeys::NameIndex::add(int row) {
  const std::string_view name = nameOf_(owner_, row);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hashOf(name) & mask;; slot = (slot + 1) & mask) {
    if (slots_[slot] == 0) {
      slots_[slot] = static_cast<std::uint32_t>(row) + 1;
      ++count_;
      return;
    }
    if (nameOf_(owner_, static_cast<int>(slots_[slot] - 1)) == name) return;
  }
}

int RowKeys::NameIndex::find(std::string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hashOf(name) & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
    const int row = static_cast<int>(slots_[slot] - 1);
    if (nameOf_(owner_, row) == name) return row;
  }
  return -1;
}

// A column's distinct values while it is read: each value is looked up
// among those kept and added when new.
class RowKeys::Interner {
public:
  explicit Interner(Column& column) : column_(column), slots_(slotCountFor(1024), 0) {}

  std::uint32_t intern(const db::RowValues& row, int c) {
    Value value;
    value.integer = 0;
    std::string_view bytes;
    switch (c < row.columnCount() ? row.type(c) : db::ValueType::Null) {
      case db::ValueType::Integer:
        value.type = kInteger;
        value.integer = row.integer(c);
        break;
      case db::ValueType::Real:
        value.type = kReal;
        value.real = row.real(c);
        break;
      case db::ValueType::Text:
      case db::ValueType::Blob:
        value.type = row.type(c) == db::ValueType::Text ? kText : kBlob;
        bytes = row.utf8(c);
        value.length = static_cast<std::uint32_t>(bytes.size());
        break;
      case db::ValueType::Null: break;
    }
    return intern(value, bytes);
  }

  // `bytes` for a text or blob; its offset is set when it is new.
  std::uint32_t intern(Value value, std::string_view bytes) {
    const bool hasBytes = value.type == kText || value.type == kBlob;
    ++calls_;
    if (direct_) return add(value, bytes);
    // A key of mostly distinct values (times of the last boot) gains
    // nothing from the lookups, which miss the cache for every row: its
    // values are then kept as they come, equal ones more than once.
    if (calls_ == kDirectCheck && column_.values.size() * 2 > calls_) {
      direct_ = true;
      slots_ = {};
      return add(value, bytes);
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashOfValue(value, bytes) & mask;
    for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
      const Value& kept = column_.values[slots_[slot] - 1];
      if (kept.type != value.type) continue;
      if (!hasBytes ? kept.integer == value.integer
                    : kept.length == value.length &&
                          std::string_view(column_.text).substr(kept.offset, kept.length) == bytes)
        return slots_[slot] - 1;
    }
    const std::uint32_t id = add(value, bytes);
    slots_[slot] = id + 1;
    if (column_.values.size() * 2 > slots_.size()) grow();
    return id;
  }

private:
  static constexpr std::size_t kDirectCheck = 8192;

  static std::size_t hashOfValue(const Value& value, std::string_view bytes) {
    return value.type == kText || value.type == kBlob ? hashOf(bytes) + value.type
                                                      : mix(static_cast<std::uint64_t>(value.integer) + value.type);
  }

  std::uint32_t add(Value value, std::string_view bytes) {
    if (value.type == kText || value.type == kBlob) {
      value.offset = column_.text.size();
      column_.text.append(bytes);
    }
    column_.values.push_back(value);
    return static_cast<std::uint32_t>(column_.values.size() - 1);
  }

  void grow() {
    slots_.assign(slots_.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint32_t id = 0; id < column_.values.size(); ++id) {
      const Value& v = column_.values[id];
      const std::string_view bytes =
          v.type == kText || v.type == kBlob ? std::string_view(column_.text).substr(v.offset, v.length) : "";
      std::size_t slot = hashOfValue(v, bytes) & mask;
      while (slots_[slot] != 0) slot = (slot + 1) & mask;
      slots_[slot] = id + 1;
    }
  }

  Column& column_;
  std::vector<std::uint32_t> slots_;
  std::size_t calls_ = 0;
  bool direct_ = false;
};

// Reading rows into the keys: a file name and an interner per key.
struct RowKeys::Reader {
  explicit Reader(RowKeys& keys) : keys(keys) {
    keys.columns_.resize(kSortKeyCount);
    for (Column& column : keys.columns_) interners.emplace_back(column);
    keys.nameStart_.push_back(0);
  }
  void name(const db::RowValues& row, int column) {
    const bool text = row.type(column) == db::ValueType::Text;
    if (text || row.type(column) == db::ValueType::Blob) keys.names_.append(row.utf8(column));
    keys.nameStart_.push_back(keys.names_.size());
    keys.nameNotText_.push_back(!text);
  }
  // Room for about `rows` rows at once: growing a million rows' arrays
  // step by step copies them over and over.
  void reserve(std::int64_t rows) {
    if (rows <= 0) return;
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(rows, std::int64_t{1} << 26));
    for (Column& column : keys.columns_) column.ids.reserve(n);
    keys.nameStart_.reserve(n + 1);
  }
  void key(int key, std::uint32_t id) { keys.columns_[static_cast<std::size_t>(key)].ids.push_back(id); }

  RowKeys& keys;
  std::vector<Interner> interners;
};

void RowKeys::clear() {
  rows_ = 0;
  columns_.clear();
  names_.clear();
  nameStart_.clear();
  nameNotText_.clear();
  ranks_.clear();
  byFileName_.reset();
  base_.reset();
  baseRows_.clear();
}

std::optional<std::string> RowKeys::read(db::DbConnection& db, std::string_view statement) {
  clear();
  Reader reader(*this);
  auto error = db.readRowsUtf8(db::DbConnection::toUtf8(statement), [&](const db::RowValues& row) {
    reader.name(row, 0);
    for (int key = 0; key < kSortKeyCount; ++key) reader.key(key, reader.interners[static_cast<std::size_t>(key)].intern(row, key + 1));
    ++rows_;
    return true;
  });
  if (error) clear();
  return error;
}

std::optional<std::string> RowKeys::readWithDetails(db::DbConnection& db, std::string_view groupStatement) {
  clear();
  const std::optional<std::string> statement = mainKeyStatement(groupStatement);
  if (!statement) return std::string("not a group filter statement");
  return readKeysWithDetails(db, db::DbConnection::toUtf8(*statement));
}

std::optional<std::string> RowKeys::readLibrary(db::DbConnection& db, int splitFrom) {
  clear();
  // Rowids are given in order and seldom reused: the last one is about the
  // number of rows, found without counting them.
  std::int64_t lastRowid = 0;
  db.readRowsUtf8("SELECT max(rowid) FROM main_table;", [&](const db::RowValues& row) {
    lastRowid = row.integer(0);
    return false;
  });
  if (lastRowid >= splitFrom && !db.path().empty() && db.path() != ":memory:") {
    if (readLibraryInTwo(db, lastRowid)) return std::nullopt;
    clear();
  }
  return readKeysWithDetails(db, libraryKeyStatement(), lastRowid);
}

const RowKeys::NameIndex& RowKeys::rowsByFileName() const {
  if (!byFileName_) {
    auto index = std::make_shared<NameIndex>(
        this, [](const void* owner, int row) { return static_cast<const RowKeys*>(owner)->fileNameUtf8(row); }, rows_);
    for (int row = 0; row < rows_; ++row) {
      if (!nameNotText_[static_cast<std::size_t>(row)]) index->add(row);
    }
    byFileName_ = std::move(index);
  }
  return *byFileName_;
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
  const NameIndex& index = library->rowsByFileName();
  auto error = db.readRowsUtf8(db::DbConnection::toUtf8(statement), [&](const db::RowValues& row) {
    const int found = row.type(0) == db::ValueType::Text ? index.find(row.utf8(0)) : -1;
    if (found < 0) {
      complete = false;
      return false;
    }
    baseRows_.push_back(found);
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

// The details table's rows, by pfile_sc: their names, and the numbers of their
// values among the keys' distinct values.
struct RowKeys::DetailRows {
  std::string names;
  std::vector<std::uint64_t> start{0};
  std::vector<bool> isText;
  std::vector<std::uint32_t> ids;  // kDetailKeys a row
  std::uint32_t nullIds[kDetailKeys] = {};  // no details row: the view's LEFT JOIN gives NULL
  std::unique_ptr<NameIndex> index;

  std::string_view name(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return std::string_view(names).substr(start[r], start[r + 1] - start[r]);
  }
  void makeIndex() {
    const int rows = static_cast<int>(isText.size());
    index = std::make_unique<NameIndex>(
        this, [](const void* owner, int row) { return static_cast<const DetailRows*>(owner)->name(row); }, rows);
    for (int row = 0; row < rows; ++row) {
      if (isText[static_cast<std::size_t>(row)]) index->add(row);
    }
  }
};

std::optional<std::string> RowKeys::readDetailRows(db::DbConnection& db, Reader& reader, DetailRows& details) {
  auto error = db.readRowsUtf8(kDetailKeyStatement, [&](const db::RowValues& row) {
    // A name that is not a text never matches a file_name (the join's =).
    details.isText.push_back(row.type(0) == db::ValueType::Text);
    if (details.isText.back()) details.names.append(row.utf8(0));
    details.start.push_back(details.names.size());
    for (int k = 0; k < kDetailKeys; ++k)
      details.ids.push_back(reader.interners[static_cast<std::size_t>(kFirstDetailKey + k)].intern(row, k + 1));
    return true;
  });
  if (error) return error;
  for (int k = 0; k < kDetailKeys; ++k) {
    Value null;
    null.integer = 0;
    details.nullIds[k] = reader.interners[static_cast<std::size_t>(kFirstDetailKey + k)].intern(null, {});
  }
  return std::nullopt;
}

std::optional<std::string> RowKeys::readMainRows(db::DbConnection& db, const std::string& statementUtf8,
                                                 Reader& reader, const MainColumns& columns) {
  return db.readRowsUtf8(statementUtf8, [&](const db::RowValues& row) {
    int column = 0;
    if (columns.rowids) columns.rowids->push_back(row.integer(column++));
    const int nameColumn = column;
    if (columns.names) {
      reader.name(row, column++);
      ++rows_;
    }
    for (const int key : columns.keys) {
      if (key >= kFirstDetailKey && key < kFirstDetailKey + kDetailKeys) continue;
      reader.key(key, reader.interners[static_cast<std::size_t>(key)].intern(row, column++));
    }
    if (!columns.details) return true;
    const DetailRows& details = *columns.details;
    const int found = row.type(nameColumn) == db::ValueType::Text ? details.index->find(row.utf8(nameColumn)) : -1;
    for (int k = 0; k < kDetailKeys; ++k)
      reader.key(kFirstDetailKey + k, found < 0 ? details.nullIds[k] : details.ids[static_cast<std::size_t>(found) * kDetailKeys + k]);
    return true;
  });
}

std::optional<std::string> RowKeys::readKeysWithDetails(db::DbConnection& db, const std::string& mainStatementUtf8,
                                                          std::int64_t rowsAbout) {
  Reader reader(*this);
  reader.reserve(rowsAbout);
  DetailRows details;
  auto error = readDetailRows(db, reader, details);
  if (!error) {
    details.makeIndex();
    MainColumns columns;
    columns.names = true;
    for (int key = 0; key < kSortKeyCount; ++key) columns.keys.push_back(key);
    columns.details = &details;
    error = readMainRows(db, mainStatementUtf8, reader, columns);
  }
  if (error) clear();
  return error;
}

std::string RowKeys::mainStatement(const MainColumns& columns) {
  std::string sql = "SELECT ";
  if (columns.rowids) sql += "rowid, ";
  if (columns.names) sql += "file_name, ";
  for (const int key : columns.keys) sql.append(kKeyExpressions[key]).append(", ");
  sql.resize(sql.size() - 2);
  return sql + " FROM main_table WHERE ply<2;";
}

// Half of the keys are read on a thread of their own through a connection of
// its own: making a million rows' keys is mostly our work on the values, not
// SQLite's, and both halves scan the table in rowid order. The second thread
// also reads the details table; its rows are put to the library's rows by name once
// both are read, through the name index searches need anyway, which the
// first thread makes while the second is still reading. False (and the keys
// are to be read again) when the halves do not hold the same rows: the
// library changed between the two reads.
bool RowKeys::readLibraryInTwo(db::DbConnection& db, std::int64_t rowsAbout) {
  Reader reader(*this);
  reader.reserve(rowsAbout);
  MainColumns first, second;
  std::vector<std::int64_t> firstRowids, secondRowids;
  first.names = true;
  first.keys = {0, 1, 2, 3, 4};
  first.rowids = &firstRowids;
  second.keys = {5, 6, 7, 8, 17, 18};
  second.rowids = &secondRowids;
  DetailRows details;
  std::optional<std::string> secondError = std::string("not read");
  const std::string& path = db.path();
  auto readSecond = [&] {
    db::DbConnection other;
    other.open(path);
    secondError = readDetailRows(other, reader, details);
    if (!secondError) secondError = readMainRows(other, mainStatement(second), reader, second);
  };
  std::thread thread;
  try {
    thread = std::thread(readSecond);
  } catch (const std::system_error&) {
    return false;
  }
  const std::optional<std::string> error = readMainRows(db, mainStatement(first), reader, first);
  if (!error) rowsByFileName();
  thread.join();
  if (error || secondError || firstRowids != secondRowids) return false;
  const auto rows = static_cast<std::size_t>(rows_);
  for (int k = 0; k < kDetailKeys; ++k) columns_[static_cast<std::size_t>(kFirstDetailKey + k)].ids.assign(rows, details.nullIds[k]);
  // As the join of each row to its details row: the first of a name.
  std::vector<bool> taken(rows, false);
  for (int detailRow = 0; detailRow < static_cast<int>(details.isText.size()); ++detailRow) {
    if (!details.isText[static_cast<std::size_t>(detailRow)]) continue;
    const int row = byFileName_->find(details.name(detailRow));
    if (row < 0 || taken[static_cast<std::size_t>(row)]) continue;
    taken[static_cast<std::size_t>(row)] = true;
    for (int k = 0; k < kDetailKeys; ++k)
      columns_[static_cast<std::size_t>(kFirstDetailKey + k)].ids[static_cast<std::size_t>(row)] =
          details.ids[static_cast<std::size_t>(detailRow) * kDetailKeys + k];
  }
  return true;
}

std::string_view RowKeys::textUtf8(int row, int key) const {
  if (row < 0 || row >= rows_ || key < 0 || key >= kSortKeyCount) return {};
  const Value& v = value(row, key);
  return v.type == kText ? std::string_view(column(key).text).substr(v.offset, v.length) : std::string_view();
}

std::string_view RowKeys::fileNameUtf8(int row) const {
  const RowKeys& t = table();
  const std::size_t r = tableRow(row);
  return std::string_view(t.names_).substr(t.nameStart_[r], t.nameStart_[r + 1] - t.nameStart_[r]);
}

int RowKeys::compare(const Column& column, const Value& a, const Value& b) {
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
  const std::string& text = column.text;
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

std::vector<std::uint32_t> RowKeys::valueRanks(int key) const {
  const Column& c = columns_[static_cast<std::size_t>(key)];
  struct Entry {
    std::uint64_t prefix;
    std::uint32_t id;
    std::uint8_t storageClass;
    // The prefix (with the length, for texts) is the whole value: equal
    // prefixes of two such entries are equal values.
    bool whole;
    std::uint32_t length;
  };
  // Doubles hold every integer up to 2^53 exactly.
  constexpr std::int64_t kExactInteger = std::int64_t{1} << 53;
  std::vector<Entry> entries(c.values.size());
  for (std::size_t id = 0; id < c.values.size(); ++id) {
    const Value& v = c.values[id];
    const auto i = static_cast<std::uint32_t>(id);
    Entry& entry = entries[id];
    switch (v.type) {
      case kNull: entry = {0, i, 0, true, 0}; break;
      case kInteger:
        entry = {prefixOf(static_cast<double>(v.integer)), i, 1,
                 v.integer > -kExactInteger && v.integer < kExactInteger, 0};
        break;
      case kReal: entry = {prefixOf(v.real), i, 1, true, 0}; break;
      case kText:
      case kBlob:
        entry = {prefixOf(c.text.data() + v.offset, v.length), i, static_cast<std::uint8_t>(v.type == kText ? 2 : 3),
                 v.length <= 8, v.length};
        break;
    }
  }
  auto order = [&](const Entry& a, const Entry& b) {
    if (a.storageClass != b.storageClass) return a.storageClass < b.storageClass;
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (a.whole && b.whole) return a.length < b.length;
    return compare(c, c.values[a.id], c.values[b.id]) < 0;
  };
  std::sort(entries.begin(), entries.end(), order);
  // Distinct values can still be equal (an integer and a real of one value).
  std::vector<std::uint32_t> ranks(entries.size());
  std::uint32_t rank = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && order(entries[i - 1], entries[i])) ++rank;
    ranks[entries[i].id] = rank;
  }
  return ranks;
}

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
  const std::vector<std::uint32_t> byValue = valueRanks(key);
  const std::vector<std::uint32_t>& ids = columns_[static_cast<std::size_t>(key)].ids;
  ranks.resize(ids.size());
  for (std::size_t row = 0; row < ids.size(); ++row) ranks[row] = byValue[ids[row]];
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
        const int key = terms[t].key;
        const int result = compare(column(key), value(a, key), value(b, key));
        if (result != 0) return terms[t].descending ? result > 0 : result < 0;
      }
      return false;
    });
    return;
  }
  // As many terms as fit are packed into one number per row, each rank in
  // the bits its key's count of values needs (turned over when descending),
  // and the rows sorted by it once: a million rows sorted term by term took
  // most of a second.
  struct Packed {
    std::uint64_t key;
    std::uint32_t place;  // in the range: equal keys keep their order
  };
  std::vector<Packed> packed(last - first);
  for (std::size_t i = 0; i < packed.size(); ++i) packed[i] = {0, static_cast<std::uint32_t>(i)};
  int bits = 0;
  std::size_t next = term;
  for (; next < terms.size(); ++next) {
    const std::uint32_t limit = rankLimit(terms[next].key);
    const int width = std::bit_width(limit);
    if (bits + width > 64) break;
    bits += width;
    const std::vector<std::uint32_t>& rank = ranks(terms[next].key);
    const bool descending = terms[next].descending;
    for (Packed& p : packed) {
      const std::uint32_t r = rank[static_cast<std::size_t>(rows[first + p.place])];
      p.key = p.key << width | (descending ? limit - 1 - r : r);
    }
  }
  std::sort(packed.begin(), packed.end(),
            [](const Packed& a, const Packed& b) { return a.key != b.key ? a.key < b.key : a.place < b.place; });
  const std::vector<int> range(rows.begin() + static_cast<std::ptrdiff_t>(first),
                               rows.begin() + static_cast<std::ptrdiff_t>(last));
  for (std::size_t i = 0; i < packed.size(); ++i) rows[first + i] = range[packed[i].place];
  std::size_t run = 0;
  for (std::size_t i = 1; i <= packed.size(); ++i) {
    if (i == packed.size() || packed[i].key != packed[run].key) {
      refine(rows, first + run, first + i, terms, next);
      run = i;
    }
  }
}

// Ranks are below the count of the key's values kept, known without making them.
std::uint32_t RowKeys::rankLimit(int key) const {
  return std::max<std::uint32_t>(1, static_cast<std::uint32_t>(column(key).values.size()));
}

std::vector<int> RowKeys::order(const std::vector<SortTerm>& terms) const {
  std::vector<int> rows(static_cast<std::size_t>(rows_));
  for (int i = 0; i < rows_; ++i) rows[static_cast<std::size_t>(i)] = i;
  refine(rows, 0, rows.size(), terms, 0);
  return rows;
}

std::optional<std::vector<int>> RowKeys::libraryRowsWhere(int key, const std::optional<std::string>& text,
                                                          std::int64_t number) const {
  if (!base_ || key < 0 || key >= kSortKeyCount) return std::nullopt;
  const Column& c = column(key);
  // Each distinct value is tested once.
  std::vector<bool> equal(c.values.size());
  for (std::size_t id = 0; id < c.values.size(); ++id) {
    const Value& v = c.values[id];
    equal[id] = text ? v.type == kText && std::string_view(c.text).substr(v.offset, v.length) == *text
                     : (v.type == kInteger && v.integer == number) ||
                           (v.type == kReal && v.real == static_cast<double>(number));
  }
  std::vector<int> rows;
  for (const int row : baseRows_) {
    if (equal[c.ids[static_cast<std::size_t>(row)]]) rows.push_back(row);
  }
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
      case kBlob: values.emplace_back(column(key).text, v.offset, v.length); break;
    }
  }
  return values;
}

}  // namespace qm::search
