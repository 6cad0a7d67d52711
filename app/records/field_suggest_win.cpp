#include "app/records/field_suggest_win.h"

#include "app/search/migemo_pattern.h"
#include "app/search/search_sql.h"
#include "app/search/suggestions.h"
#include "app/ui/combo_text_win.h"

namespace qm::records {

namespace {

std::string migemoPattern(const SuggestSource& source, const std::string& typed) {
  if (!source.migemo || !source.migemoOn || source.regexMode < 1 || !source.migemo->enabled() ||
      !search::takesMigemo(typed))
    return {};
  const auto raw = source.migemo->query(search::migemoQueryText(typed));
  return raw ? search::sqlPattern(*raw, source.regexMode, source.classLimit) : std::string();
}

}  // namespace

void FieldSuggest::typed(const SuggestSource& source) {
  if (!combo_ || !source.db) return;
  const std::string text = ui::windowText(combo_);
  switch (memo_.typed(text.size())) {
    case SuggestMemo::Step::CloseList:
      SendMessageA(combo_, CB_SHOWDROPDOWN, FALSE, 0);
      return;
    case SuggestMemo::Step::Leave:
      return;
    case SuggestMemo::Step::LookUp:
      break;
  }
  const auto statement =
      search::fieldSuggestionStatement(field_, text, migemoPattern(source, text), source.regexMode);
  if (!statement) return;
  const std::vector<std::string> rows = search::suggestionRows(*source.db, *statement);
  memo_.lookedUp(text.size());
  const DWORD selection = static_cast<DWORD>(SendMessageA(combo_, CB_GETEDITSEL, 0, 0));
  SendMessageA(combo_, CB_SHOWDROPDOWN, FALSE, 0);
  SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
  if (!rows.empty()) {
    // The typed text first, so that the open list leaves it as it is.
    SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    for (const std::string& row : rows) SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(combo_, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(combo_, CB_SETCURSEL, 0, 0);
  }
  SetWindowTextA(combo_, text.c_str());
  SendMessageA(combo_, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selection), HIWORD(selection)));
}

}  // namespace qm::records
