#include "app/item_list/text_condition.h"

#include <algorithm>

#include "common/db/db_connection.h"
#include "common/db/like_function.h"
#include "common/db/regexp_functions.h"

namespace qm::search {
namespace {

constexpr const char* kFieldNames[static_cast<int>(TextField::Count)] = {
    "file_name", "title", "kana", "machine_name", "maker", "developer", "tag",
    "version", "creator", "smart_title", "genre_name", "memo", "sale_year",
};

// The view concatenates these as they are; the others through ifnull(x,'').
bool concatenatedAsIs(TextField field) { return field == TextField::FileName || field == TextField::MachineName; }

std::string loadStatement(const std::vector<TextField>& fields) {
  std::string sql = "SELECT file_name";
  bool creator = false;
  bool memo = false;
  for (TextField field : fields) {
    sql.append(", ").append(fieldName(field));
    creator = creator || field == TextField::Creator;
    memo = memo || field == TextField::Memo;
  }
  sql += " FROM main_table";
  if (creator) sql += " LEFT JOIN creator_table ON file_name = pfile_cr";
  if (memo) sql += " LEFT JOIN memo_table ON file_name = pfile_mm";
  return sql + " WHERE ply<2;";
}

// A compiled test: its pattern read once for every row.
struct Compiled {
  const TextTest* test;
  std::unique_ptr<db::LikePattern> like;
  std::unique_ptr<db::RegexpMatcher> regexp;
};

}  // namespace

const char* fieldName(TextField field) { return kFieldNames[static_cast<int>(field)]; }

std::vector<TextField> allTextFields() {
  std::vector<TextField> fields;
  for (int field = 0; field < static_cast<int>(TextField::Count); ++field) fields.push_back(static_cast<TextField>(field));
  return fields;
}

std::vector<TextField> fieldsOf(const TextCondition& condition) {
  std::vector<TextField> fields;
  for (const TextTest& test : condition.tests) {
    for (TextField field : test.fields) {
      if (std::find(fields.begin(), fields.end(), field) == fields.end()) fields.push_back(field);
    }
  }
  return fields;
}

std::optional<std::string> SearchTexts::load(db::DbConnection& db, const std::vector<TextField>& fields,
                                             const RowKeys::NameIndex& rowOf, int rows,
                                             const std::atomic<bool>* stop) {
  std::vector<TextField> missing;
  for (TextField field : fields) {
    if (!has(field)) missing.push_back(field);
  }
  if (missing.empty()) return std::nullopt;
  rows_ = rows;
  std::vector<Column> read(missing.size());
  for (Column& column : read) {
    column.offset.assign(static_cast<std::size_t>(rows), 0);
    column.length.assign(static_cast<std::size_t>(rows), 0);
    column.kind.assign(static_cast<std::size_t>(rows), 0);
    column.bytes.push_back('\0');  // where a row never read points: NULL
  }
  bool complete = true;
  bool stopped = false;
  auto error = db.readRowsUtf8(loadStatement(missing), [&](const db::RowValues& row) {
    if (stop && stop->load(std::memory_order_relaxed)) {
      stopped = true;
      return false;
    }
    const int found = row.type(0) == db::ValueType::Text ? rowOf.find(row.utf8(0)) : -1;
    if (found < 0) {
      complete = false;
      return false;
    }
    const auto at = static_cast<std::size_t>(found);
    for (std::size_t k = 0; k < missing.size(); ++k) {
      Column& column = read[k];
      const int c = static_cast<int>(k) + 1;
      const db::ValueType type = row.type(c);
      if (type == db::ValueType::Null) continue;
      const std::string_view bytes = row.utf8(c);
      column.kind[at] = static_cast<std::uint8_t>((type == db::ValueType::Text ? 1 : 2) |
                                                  (db::plainUtf8(bytes) ? kPlain : 0));
      column.offset[at] = static_cast<std::uint32_t>(column.bytes.size());
      column.length[at] = static_cast<std::uint32_t>(bytes.size());
      column.bytes.append(bytes).push_back('\0');
    }
    return true;
  });
  if (error) return error;
  if (stopped) return std::string("stopped");
  if (!complete) return std::string("the library changed while its texts were read");
  for (std::size_t k = 0; k < missing.size(); ++k) {
    read[k].loaded = true;
    columns_[static_cast<int>(missing[k])] = std::move(read[k]);
  }
  return std::nullopt;
}

bool SearchTexts::hasAll() const {
  for (const Column& column : columns_) {
    if (!column.loaded) return false;
  }
  return true;
}

std::string_view SearchTexts::value(TextField field, int row) const {
  const Column& column = columns_[static_cast<int>(field)];
  const auto r = static_cast<std::size_t>(row);
  return {column.bytes.data() + column.offset[r], column.length[r]};
}

bool SearchTexts::isNull(TextField field, int row) const {
  return columns_[static_cast<int>(field)].kind[static_cast<std::size_t>(row)] == 0;
}

bool SearchTexts::isText(TextField field, int row) const {
  return (columns_[static_cast<int>(field)].kind[static_cast<std::size_t>(row)] & 3) == 1;
}

bool SearchTexts::isPlain(TextField field, int row) const {
  return (columns_[static_cast<int>(field)].kind[static_cast<std::size_t>(row)] & kPlain) != 0;
}

std::optional<std::vector<int>> SearchTexts::matching(const TextCondition& condition) const {
  for (TextField field : fieldsOf(condition)) {
    if (!has(field)) return std::nullopt;
  }
  std::vector<Compiled> tests;
  for (const TextTest& test : condition.tests) {
    Compiled compiled{&test, nullptr, nullptr};
    if (test.kind == TextTest::Kind::Like) {
      compiled.like = std::make_unique<db::LikePattern>(test.operand, test.backquoteEscape ? U'`' : 0);
    } else if (test.kind == TextTest::Kind::Regexp) {
      compiled.regexp = db::RegexpMatcher::compile(test.operand);
      if (!compiled.regexp) return std::nullopt;
    }
    tests.push_back(std::move(compiled));
  }
  std::string joined;  // one row's concatenation, reused
  // NULL, whatever the test, is not true: it fails an AND and leaves an OR to the others.
  auto holds = [&](const Compiled& compiled, int row) {
    const TextTest& test = *compiled.test;
    // One field is tested where it is kept; several are joined first.
    if (test.fields.size() == 1) {
      const TextField field = test.fields[0];
      if (isNull(field, row)) return false;
      const std::string_view text = value(field, row);
      switch (test.kind) {
        case TextTest::Kind::Like: return compiled.like->matches(text.data(), isPlain(field, row));
        case TextTest::Kind::Equals: return isText(field, row) && text == test.operand;
        case TextTest::Kind::Regexp: return compiled.regexp->matches(text);
      }
      return false;
    }
    joined.clear();
    bool isText = true;
    bool plain = true;
    for (TextField field : test.fields) {
      if (isNull(field, row)) {
        if (concatenatedAsIs(field)) return false;
        continue;
      }
      isText = isText && this->isText(field, row);
      plain = plain && isPlain(field, row);
      joined.append(value(field, row));
    }
    switch (test.kind) {
      case TextTest::Kind::Like: return compiled.like->matches(joined.c_str(), plain);
      // A number or a blob never equals a text.
      case TextTest::Kind::Equals: return isText && joined == test.operand;
      case TextTest::Kind::Regexp: return compiled.regexp->matches(joined);
    }
    return false;
  };
  std::vector<int> rows;
  for (int row = 0; row < rows_; ++row) {
    bool result = condition.all;
    for (const Compiled& compiled : tests) {
      if (holds(compiled, row) != condition.all) {
        result = !condition.all;
        break;
      }
    }
    if (result) rows.push_back(row);
  }
  return rows;
}

}  // namespace qm::search
