// The in-list search ("ItemListSearch"): jumps through the item list to the
// next title that holds, or starts with, the typed text, or that a Migemo
// pattern matches. It compares the titles the list already holds, without a
// statement per row.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qm::search {

class ItemList;

// A Migemo pattern compiled for titles (UTF-8, case ignored).
class TitlePattern {
public:
  // `pattern` is program text; nothing when the engine refuses it.
  static std::unique_ptr<TitlePattern> compile(std::string_view pattern);
  ~TitlePattern();
  TitlePattern(const TitlePattern&) = delete;
  TitlePattern& operator=(const TitlePattern&) = delete;
  // The first matched text (UTF-8), or nothing.
  std::optional<std::string> firstMatch(std::string_view titleUtf8) const;

private:
  TitlePattern() = default;
  struct Engine;
  std::unique_ptr<Engine> engine_;
};

enum class StepDirection { FromTop = 0, Next = 1, Previous = 2 };

struct ListSearchStep {
  int found = -1;            // the item to select, or -1
  std::string matched;       // Migemo's first matched text (program text); "--" otherwise
  bool beep = false;         // Next or Previous found nothing
  bool searched = false;     // false when the text was too long after a miss
};

// One step. `memo` is the type-ahead memo: positive = the length that last
// found an item, negative after a miss from the top (texts longer than
// |memo| + 2 are then not searched until one is found again), 0 = none. `pattern` may be null
// (plain text, case ignored).
ListSearchStep stepListSearch(const ItemList& items, int current, std::string_view text, StepDirection direction,
                              bool prefix, const TitlePattern* pattern, int& memo);

}  // namespace qm::search
