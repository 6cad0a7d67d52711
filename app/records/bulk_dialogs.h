// The bulk-change dialogs of the "一括変更" menu: for each command its caption,
// prompt, input and limits, and which field the input writes.
#pragma once

#include <optional>
#include <string>

#include "app/records/bulk_change.h"
#include "app/settings/settings_catalogue.h"
#include "common/platform/ini.h"

namespace qm::records {

enum class BulkInput {
  Suggesting,  // a drop-down that can offer the library's values as one types
  Edit,        // a plain edit box
};

struct BulkDialog {
  int command;
  BulkField field;
  const char* caption;  // UTF-8
  const char* prompt;   // UTF-8
  BulkInput input;
  int limit;  // bytes read from the input
  // The check box of the incremental search and the field it looks values
  // up in ("title", "maker", "developer", "country"); none for edit boxes.
  std::optional<Setting> incremental;
  const char* suggestField;
};

// The dialog of commands 1125-1127, 1129 and 1132-1134; nothing for others.
const BulkDialog* bulkDialogOf(int command);

// Whether the bulk title dialog fills the reading from the title: its own
// default (on) when Quillmoor2.ini has no "TitleToKana" yet, where the record
// editor's is off.
bool bulkTitleToKana(const platform::IniFile& ini);

}  // namespace qm::records
