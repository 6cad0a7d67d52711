#include "app/search/search_sql.h"

#include "app/item_list/list_view_sql.h"
#include "common/db/db_connection.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "common/text/smart_title.h"
#include "common/text/text_normalizer.h"

namespace qm::search {
namespace {

constexpr const char* kModeLabels[kSearchBarModeCount] = {
    "あいまい検索", "ファイルパス", "タイトル", "メーカー/開発元", "ジャンル",
    "バージョン/コメント", "クリエイター", "メモ", "発売年月日", "SQL検索",
};

// The field of the one-field modes (1, 2, 4..8).
const char* fieldOfMode(int mode) {
  switch (mode) {
    case kFilePathMode: return "file_name";
    case kTitleMode: return "title";
    case kGenreMode: return "genre_name";
    case kVersionMode: return "version";
    case kCreatorMode: return "creator";
    case kMemoMode: return "memo";
    case kSaleYearMode: return "sale_year";
    default: return "";
  }
}

constexpr std::string_view kFuzzyFields =
    "file_name||ifnull(title,'')||ifnull(kana,'')||machine_name||ifnull(maker,'')||ifnull(developer,'')||"
    "ifnull(tag,'')||ifnull(version,'')||ifnull(creator,'')";
// The several-words form leaves version out.
constexpr std::string_view kWordFields =
    "file_name||ifnull(title,'')||ifnull(kana,'')||machine_name||ifnull(maker,'')||ifnull(developer,'')||"
    "ifnull(tag,'')||ifnull(creator,'')";

constexpr std::string_view kWhereHead = "WHERE (ply<2) AND (";

std::string collapseSpaces(std::string text) {
  text = sjis::replaceAll(text, text::sjis("　"), " ");
  while (text.find("  ") != std::string::npos) text = sjis::replaceAll(text, "  ", " ");
  return text;
}

std::string trimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The smart form of a search text: the smart title's folding, except that
// spaces become half-width instead of going.
std::string smartForm(std::string_view text, const text::SymbolTables& tables, bool mayBeEmpty) {
  text::NormalizeOptions options = text::smartTitleOptions();
  options.spaceRule = text::kSpacesToHalfWidth;
  options.mayBeEmpty = mayBeEmpty;
  return text::normalizeText(text, options, tables);
}

// Mode 8 folds full-width digits and letters, so "１９９０" finds "1990".
std::string saleYearForm(std::string_view text, const text::SymbolTables& tables) {
  text::NormalizeOptions options;
  options.kanaTarget = -1;
  options.unvoiced = false;
  options.spaceRule = text::kSpacesToHalfWidth;
  options.userMap = true;
  options.removeSymbols = false;
  options.romanNumerals = false;
  options.mayBeEmpty = false;
  return text::normalizeText(text, options, tables);
}

std::string migemoTerm(int mode, int regexMode, std::string_view pattern) {
  if (pattern.empty() || regexCondition(regexMode, "title", pattern).empty()) return {};
  switch (mode) {
    case kMakerMode:
    case kMakerLinkMode:
      return " OR(" + regexCondition(regexMode, "maker", pattern) + " OR " +
             regexCondition(regexMode, "developer", pattern) + ") ";
    case kCreatorMode:
    case kMemoMode:
      if (regexMode != kRegexFunction) return {};
      [[fallthrough]];
    default: {
      const std::string field = mode == kFuzzyMode ? "title" : fieldOfMode(mode);
      return " OR(" + regexCondition(regexMode, field, pattern) + ") ";
    }
  }
}

std::string view(std::string_view condition) { return viewHead() + std::string(kWhereHead) + std::string(condition) + ")"; }

// The conditions' side of the statements: the same texts, as UTF-8.
using Field = TextField;
const std::vector<Field> kFuzzyFieldList = {Field::FileName, Field::Title,     Field::Kana,
                                            Field::MachineName, Field::Maker,  Field::Developer,
                                            Field::Tag,      Field::Version,   Field::Creator};
const std::vector<Field> kWordFieldList = {Field::FileName, Field::Title, Field::Kana,      Field::MachineName,
                                           Field::Maker,    Field::Developer, Field::Tag, Field::Creator};

Field fieldEnumOfMode(int mode) {
  switch (mode) {
    case kFilePathMode: return Field::FileName;
    case kTitleMode: return Field::Title;
    case kGenreMode: return Field::GenreName;
    case kVersionMode: return Field::Version;
    case kCreatorMode: return Field::Creator;
    case kMemoMode: return Field::Memo;
    default: return Field::SaleYear;
  }
}

// What likeContains() puts between "'%" and "%'", without the doubled quotes.
std::string likeText(std::string_view text, bool& escaped) {
  escaped = false;
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = sjis::charLength(text, pos);
    const char c = text[pos];
    if (length == 1 && (c == '%' || c == '_' || c == '`')) {
      out += '`';
      escaped = true;
    }
    out.append(text.substr(pos, length));
    pos += length;
  }
  return out;
}

TextTest likeTest(std::vector<Field> fields, std::string_view text) {
  TextTest test;
  test.fields = std::move(fields);
  test.kind = TextTest::Kind::Like;
  // Appended, not "%" + ... + "%": GCC 12 warns falsely of an overlap there.
  std::string pattern(1, '%');
  pattern += likeText(text, test.backquoteEscape);
  pattern += '%';
  test.operand = db::DbConnection::toUtf8(pattern);
  return test;
}

TextTest equalsTest(Field field, std::string_view text) {
  TextTest test;
  test.fields = {field};
  test.kind = TextTest::Kind::Equals;
  test.operand = db::DbConnection::toUtf8(text);
  return test;
}

// The Migemo alternative's tests, where migemoTerm() gives the statement one.
void addRegexpTests(TextCondition& condition, int mode, std::string_view term, std::string_view quotedPattern) {
  if (term.empty()) return;
  std::string pattern = sjis::replaceAll(std::string(quotedPattern), "''", "'");
  std::vector<Field> fields = {Field::Title};
  if (mode == kMakerMode || mode == kMakerLinkMode) {
    fields = {Field::Maker, Field::Developer};
  } else if (mode != kFuzzyMode) {
    fields = {fieldEnumOfMode(mode)};
  }
  for (Field field : fields) {
    TextTest test;
    test.fields = {field};
    test.kind = TextTest::Kind::Regexp;
    test.operand = db::DbConnection::toUtf8(pattern);
    condition.tests.push_back(std::move(test));
  }
}

// The words buildWordCondition() takes, split the same way.
std::vector<std::string_view> wordsOf(std::string_view words) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (start <= words.size()) {
    std::size_t space = words.find(' ', start);
    if (space == std::string_view::npos) space = words.size();
    out.push_back(words.substr(start, space - start));
    start = space + 1;
  }
  return out;
}

TextCondition wordCondition(std::string_view words, const std::vector<Field>& fields, bool all) {
  TextCondition condition;
  condition.all = all;
  for (std::string_view word : wordsOf(words)) condition.tests.push_back(likeTest(fields, word));
  return condition;
}

}  // namespace

std::string searchModeLabel(int mode) {
  return mode >= 0 && mode < kSearchBarModeCount ? text::sjis(kModeLabels[mode]) : std::string();
}

std::string likePattern(std::string_view text, bool& escaped) {
  // A quote is never a trail byte of Shift-JIS: doubling every one is safe.
  return sjis::replaceAll(likeText(text, escaped), "'", "''");
}

std::string likeContains(std::string_view field, std::string_view text) {
  bool escaped = false;
  const std::string pattern = likePattern(text, escaped);
  return std::string(field) + " LIKE '%" + pattern + (escaped ? "%' ESCAPE '`'" : "%'");
}

std::string buildWordCondition(std::string_view words, std::string_view field, std::string_view op) {
  std::string out;
  std::size_t start = 0;
  while (start <= words.size()) {
    std::size_t space = words.find(' ', start);
    if (space == std::string_view::npos) space = words.size();
    if (!out.empty()) out += op;
    out += '(';
    out += likeContains(field, words.substr(start, space - start));
    out += ')';
    start = space + 1;
  }
  return out;
}

std::string regexCondition(int regexMode, std::string_view field, std::string_view quotedPattern) {
  if (regexMode == kRegexpOperator) return std::string(field) + " REGEXP '" + std::string(quotedPattern) + "' ";
  if (regexMode == kRegexFunction) return "REGEX(" + std::string(field) + ",'" + std::string(quotedPattern) + "') ";
  return {};
}

std::optional<std::string> preparedSearchText(std::string_view typed, int mode, const text::SymbolTables& tables) {
  std::string text = trimSpaces(typed);
  if (mode == kSaleYearMode) text = saleYearForm(text, tables);
  if (mode == kFuzzyMode) text = collapseSpaces(text);
  // A full-width space alone is a space after the collapse.
  if (mode == kFuzzyMode) text = trimSpaces(text);
  if (text.empty()) return std::nullopt;
  return text;
}

bool takesMigemo(std::string_view prepared) {
  if (prepared.size() < 2) return false;
  for (char c : {'(', ')', '[', ']', '|'}) {
    if (sjis::find(prepared, c) != sjis::npos) return false;
  }
  return true;
}

std::optional<SearchClauses> buildSearchClauses(const SearchRequest& request, std::string_view migemoPattern,
                                                int regexMode) {
  if (request.mode < 0 || request.mode > kMakerLinkMode || request.mode == kSqlMode) return std::nullopt;
  const std::optional<std::string> prepared = preparedSearchText(request.text, request.mode, request.tables);
  if (!prepared) return std::nullopt;
  const std::string& text = *prepared;
  const std::string m = migemoTerm(request.mode, regexMode, migemoPattern);
  const std::string quoted = db::DbConnection::quoteSql(text);
  int match = request.match;
  if (request.mode == kFuzzyMode && match != kEquals && text.find(' ') != std::string::npos) match = kSeveralWords;

  SearchClauses clauses;
  auto add = [&](std::string statement, TextCondition condition) {
    clauses.statements.push_back(std::move(statement));
    clauses.conditions.push_back(std::move(condition));
  };
  auto anyOf = [&](std::vector<TextTest> tests) {
    TextCondition condition;
    condition.tests = std::move(tests);
    addRegexpTests(condition, request.mode, m, migemoPattern);
    return condition;
  };
  if (request.mode == kFuzzyMode) {
    if (match == kSeveralWords) {
      clauses.severalWords = true;
      std::string smart = smartForm(text, request.tables, false);
      std::string fields(kWordFields);
      std::vector<Field> fieldList = kWordFieldList;
      if (smart != text) {
        fields += "||ifnull(smart_title,'')";
        fieldList.push_back(Field::SmartTitle);
      }
      if (!request.skipAnd) add(view(buildWordCondition(text, fields, "AND")), wordCondition(text, fieldList, true));
      TextCondition either = wordCondition(text, fieldList, false);
      addRegexpTests(either, request.mode, m, migemoPattern);
      add(view(buildWordCondition(text, fields, "OR") + m), std::move(either));
    } else if (match == kEquals) {
      std::string condition;
      std::vector<TextTest> tests;
      for (Field field : kFuzzyFieldList) {
        const char* name = fieldName(field);
        if (!condition.empty()) condition += " OR ";
        condition += std::string(name) + "='" + quoted + "'";
        tests.push_back(equalsTest(field, text));
      }
      const std::string smart = smartForm(text, request.tables, false);
      if (smart != text) {
        condition += " OR smart_title='" + db::DbConnection::quoteSql(smart) + "'";
        tests.push_back(equalsTest(Field::SmartTitle, smart));
      }
      add(view(condition + m), anyOf(std::move(tests)));
    } else {
      std::string condition = "(";
      condition += likeContains(kFuzzyFields, text);
      condition += ')';
      std::vector<TextTest> tests = {likeTest(kFuzzyFieldList, text)};
      const std::string smart = smartForm(text, request.tables, true);
      if (!smart.empty()) {
        condition += " OR (";
        condition += likeContains("smart_title", smart);
        condition += ')';
        tests.push_back(likeTest({Field::SmartTitle}, smart));
      }
      add(view(condition + m), anyOf(std::move(tests)));
    }
    return clauses;
  }
  if (request.mode == kMakerMode || request.mode == kMakerLinkMode) {
    if (match == kContains) {
      // "LIKE'%" without a space, as the statement has always been written.
      std::string developer = likeContains("developer", text);
      developer.replace(developer.find(" LIKE '"), 7, " LIKE'");
      add(view(likeContains("maker", text) + " OR " + developer + m),
          anyOf({likeTest({Field::Maker}, text), likeTest({Field::Developer}, text)}));
    } else {
      add(view("maker='" + quoted + "' OR developer='" + quoted + "'" + m),
          anyOf({equalsTest(Field::Maker, text), equalsTest(Field::Developer, text)}));
    }
    return clauses;
  }
  const std::string field = fieldOfMode(request.mode);
  const Field fieldEnum = fieldEnumOfMode(request.mode);
  if (match == kContains) {
    add(view(likeContains(field, text) + m), anyOf({likeTest({fieldEnum}, text)}));
  } else {
    add(view(field + " = '" + quoted + "'" + m), anyOf({equalsTest(fieldEnum, text)}));
  }
  return clauses;
}

std::string whereClauseOf(std::string_view viewStatement) {
  const std::string head = viewHead();
  if (viewStatement.substr(0, head.size()) != head) return {};
  return std::string(viewStatement.substr(head.size()));
}

}  // namespace qm::search
