#include "common/db/regexp_functions.h"

#include <pcre2.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace qm::db {
namespace {

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using CodePtr = std::unique_ptr<pcre2_code, CodeDeleter>;
using MatchDataPtr = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;

// A compiled pattern with its match data, kept for the rest of the statement:
// every row reuses both, and the JIT's machine code where it is available.
struct Compiled {
  CodePtr code;
  MatchDataPtr data;
};

void freeCompiled(void* compiled) { delete static_cast<Compiled*>(compiled); }

// The compiled pattern, or nothing with the reason in `message`.
CodePtr compileText(const unsigned char* pattern, std::size_t length, std::string& message) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  CodePtr code(
      pcre2_compile(pattern, static_cast<PCRE2_SIZE>(length), PCRE2_UTF | PCRE2_UCP, &error, &offset, nullptr));
  if (!code) {
    PCRE2_UCHAR reason[256];
    pcre2_get_error_message(error, reason, sizeof reason);
    message = "regular expression error at offset " + std::to_string(offset) + ": " +
              reinterpret_cast<const char*>(reason);
  }
  return code;
}

CodePtr compile(sqlite3_context* ctx, sqlite3_value* pattern) {
  std::string message;
  CodePtr code = compileText(sqlite3_value_text(pattern), static_cast<std::size_t>(sqlite3_value_bytes(pattern)),
                             message);
  if (!code) {
    sqlite3_result_error(ctx, message.c_str(), -1);
    return code;
  }
  // Without JIT support (or memory for it) the interpreter matches the same.
  pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
  return code;
}

void match(sqlite3_context* ctx, sqlite3_value** argv, int patternIndex, int textIndex) {
  if (sqlite3_value_type(argv[patternIndex]) == SQLITE_NULL ||
      sqlite3_value_type(argv[textIndex]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  std::unique_ptr<Compiled> fresh;
  auto* compiled = static_cast<Compiled*>(sqlite3_get_auxdata(ctx, patternIndex));
  if (!compiled) {
    fresh = std::make_unique<Compiled>();
    fresh->code = compile(ctx, argv[patternIndex]);
    if (!fresh->code) return;
    fresh->data.reset(pcre2_match_data_create_from_pattern(fresh->code.get(), nullptr));
    if (!fresh->data) {
      sqlite3_result_error_nomem(ctx);
      return;
    }
    compiled = fresh.get();
  }
  auto* subject = sqlite3_value_text(argv[textIndex]);
  auto length = static_cast<PCRE2_SIZE>(sqlite3_value_bytes(argv[textIndex]));
  // A subject that is not valid UTF-8 simply does not match.
  sqlite3_result_int(ctx, pcre2_match(compiled->code.get(), subject, length, 0, 0, compiled->data.get(), nullptr) >= 0
                              ? 1
                              : 0);
  // Last: SQLite may free the pattern inside this call.
  if (fresh) sqlite3_set_auxdata(ctx, patternIndex, fresh.release(), freeCompiled);
}

void regexpOperator(sqlite3_context* ctx, int, sqlite3_value** argv) { match(ctx, argv, 0, 1); }
void regexFunction(sqlite3_context* ctx, int, sqlite3_value** argv) { match(ctx, argv, 1, 0); }

}  // namespace

std::optional<std::string> regexpPatternError(std::string_view utf8Pattern) {
  std::string message;
  if (compileText(reinterpret_cast<const unsigned char*>(utf8Pattern.data()), utf8Pattern.size(), message))
    return std::nullopt;
  return message;
}

struct RegexpMatcher::Compiled : qm::db::Compiled {};

RegexpMatcher::RegexpMatcher(std::unique_ptr<Compiled> compiled) : compiled_(std::move(compiled)) {}
RegexpMatcher::~RegexpMatcher() = default;

std::unique_ptr<RegexpMatcher> RegexpMatcher::compile(std::string_view utf8Pattern) {
  std::string message;
  auto compiled = std::make_unique<Compiled>();
  compiled->code = compileText(reinterpret_cast<const unsigned char*>(utf8Pattern.data()), utf8Pattern.size(), message);
  if (!compiled->code) return nullptr;
  pcre2_jit_compile(compiled->code.get(), PCRE2_JIT_COMPLETE);
  compiled->data.reset(pcre2_match_data_create_from_pattern(compiled->code.get(), nullptr));
  if (!compiled->data) return nullptr;
  return std::unique_ptr<RegexpMatcher>(new RegexpMatcher(std::move(compiled)));
}

bool RegexpMatcher::matches(std::string_view utf8Subject) const {
  return pcre2_match(compiled_->code.get(), reinterpret_cast<PCRE2_SPTR>(utf8Subject.data()), utf8Subject.size(), 0,
                     0, compiled_->data.get(), nullptr) >= 0;
}

int registerRegexpFunctions(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  int rc = sqlite3_create_function(db, "regexp", 2, flags, nullptr, regexpOperator, nullptr, nullptr);
  if (rc != SQLITE_OK) return rc;
  return sqlite3_create_function(db, "regex", 2, flags, nullptr, regexFunction, nullptr, nullptr);
}

}  // namespace qm::db
