// A drop-down field (title, maker, developer, country) that offers the
// library's values beginning with what was typed, or matching its Migemo
// pattern, while its incremental search is on.
#pragma once

#include <windows.h>

#include <string>

#include "app/records/suggest_memo.h"

namespace qm::db {
class DbConnection;
}
namespace qm::search {
class MigemoSource;
}

namespace qm::records {

// Where the values come from; the Migemo part is optional.
struct SuggestSource {
  db::DbConnection* db = nullptr;
  search::MigemoSource* migemo = nullptr;  // null: plain text only
  bool migemoOn = true;                    // "InclOn"
  int classLimit = 12;                     // "InclClassLimit"
  int regexMode = 1;
};

class FieldSuggest {
public:
  void attach(HWND combo, std::string field) {
    combo_ = combo;
    field_ = std::move(field);
  }
  HWND combo() const { return combo_; }
  // CBN_EDITCHANGE of the combo box.
  void typed(const SuggestSource& source);

private:
  HWND combo_ = nullptr;
  std::string field_;
  SuggestMemo memo_;
};

}  // namespace qm::records
