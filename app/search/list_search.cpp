#include "app/search/list_search.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdlib>

#include "app/item_list/item_list.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {

struct TitlePattern::Engine {
  pcre2_code* code = nullptr;
  pcre2_match_data* data = nullptr;
  ~Engine() {
    if (data) pcre2_match_data_free(data);
    if (code) pcre2_code_free(code);
  }
};

std::unique_ptr<TitlePattern> TitlePattern::compile(std::string_view pattern) {
  const std::string utf8 = text::sjisToUtf8(pattern);
  int error = 0;
  PCRE2_SIZE offset = 0;
  auto engine = std::make_unique<Engine>();
  engine->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.data()), utf8.size(), PCRE2_UTF | PCRE2_UCP | PCRE2_CASELESS,
                               &error, &offset, nullptr);
  if (!engine->code) return nullptr;
  pcre2_jit_compile(engine->code, PCRE2_JIT_COMPLETE);
  engine->data = pcre2_match_data_create_from_pattern(engine->code, nullptr);
  if (!engine->data) return nullptr;
  std::unique_ptr<TitlePattern> compiled(new TitlePattern);
  compiled->engine_ = std::move(engine);
  return compiled;
}

TitlePattern::~TitlePattern() = default;

std::optional<std::string> TitlePattern::firstMatch(std::string_view titleUtf8) const {
  if (pcre2_match(engine_->code, reinterpret_cast<PCRE2_SPTR>(titleUtf8.data()), titleUtf8.size(), 0, 0,
                  engine_->data, nullptr) < 0)
    return std::nullopt;
  const PCRE2_SIZE* at = pcre2_get_ovector_pointer(engine_->data);
  return std::string(titleUtf8.substr(at[0], at[1] - at[0]));
}

namespace {

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

ListSearchStep stepListSearch(const ItemList& items, int current, std::string_view text, StepDirection direction,
                              bool prefix, const TitlePattern* pattern, int& memo) {
  ListSearchStep step;
  step.matched = "--";
  const int length = static_cast<int>(text.size());
  if (text.empty()) {
    memo = 0;
    return step;
  }
  // Only after a miss: a first text of any length (an IME commit) searches,
  // and so does a longer text after a find.
  if (memo < 0 && length > -memo + 2) return step;
  step.searched = true;
  // UTF-8 lower-cases ASCII only, as the program text would.
  const std::string needle = lowerAscii(text::sjisToUtf8(text));
  const int rows = items.rowCount();
  int first = 0, last = rows - 1, by = 1;
  if (direction == StepDirection::Next) first = current + 1;
  if (direction == StepDirection::Previous) {
    first = current - 1;
    last = 0;
    by = -1;
  }
  for (int item = first; by > 0 ? item <= last : item >= last; item += by) {
    const std::string title = items.titleUtf8(item);
    if (pattern) {
      if (auto found = pattern->firstMatch(title)) {
        step.found = item;
        step.matched = text::utf8ToSjis(*found);
        break;
      }
      continue;
    }
    const std::size_t at = lowerAscii(title).find(needle);
    if (at != std::string::npos && (!prefix || at == 0)) {
      step.found = item;
      break;
    }
  }
  if (step.found >= 0) {
    memo = length;
  } else if (direction == StepDirection::FromTop) {
    // The length that last found something (or this first one) bounds what is searched next.
    memo = memo != 0 ? -std::abs(memo) : -length;
  } else {
    step.beep = true;
  }
  return step;
}

}  // namespace qm::search
