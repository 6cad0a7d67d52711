#include "app/records/suggest_memo.h"

namespace qm::records {

SuggestMemo::Step SuggestMemo::typed(std::size_t length) {
  if (length == 0 || length < memo_) {
    memo_ = length;
    return Step::CloseList;
  }
  return length > kSuggestTextLimit ? Step::Leave : Step::LookUp;
}

}  // namespace qm::records
