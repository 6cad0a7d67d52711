// When a field's drop-down looks up the library's values as the user types:
// the memo remembers the length of the text last looked up, so that deleting
// back closes the list instead of looking up again, while typing on looks up
// at every key.
#pragma once

#include <cstddef>

namespace qm::records {

// Texts longer than this many bytes are not looked up.
inline constexpr std::size_t kSuggestTextLimit = 16;

class SuggestMemo {
public:
  enum class Step { CloseList, LookUp, Leave };
  // What to do for the text now typed (its length in bytes).
  Step typed(std::size_t length);
  // After a look-up of a text of `length` bytes.
  void lookedUp(std::size_t length) { memo_ = length; }

private:
  std::size_t memo_ = 0;
};

}  // namespace qm::records
