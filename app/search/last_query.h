// What the item list carries from one run to the next (section "LastQuery").
//
// The window code, at the first paint: resetLastQueryWhenFlagged(), then
// loadSettings(..., ReadAt::FirstPaint) and restoredQuery(); if its view
// statement is not empty it runs it, then fills the list and puts the cursor
// on its primary key. Before saveAtShutdown() it calls rememberQuery().
#pragma once

#include <string>

#include "app/item_list/list_statement.h"
#include "app/item_list/sort_state.h"

namespace qm::platform {
class IniFile;
}
namespace qm {
class Settings;
}

namespace qm::search {

struct RestoredQuery {
  ListStatements statements;  // the group statement always starts empty
  std::string primaryKey;     // file_name of the item that was current
};

RestoredQuery restoredQuery(const Settings& settings);

// "DispEmuSetName" = -1 in "ItemListColor" marks a remembered query that must
// not be trusted: it is written back as 0 and "LastQuery" is reset ("SQL1",
// "SQL2", "SQL3", "PrimaryKey" empty, "SortColumn" 0, "SortOrder" 1), in the
// file and in `settings`. True when it was reset.
bool resetLastQueryWhenFlagged(Settings& settings, const platform::IniFile& ini);

// The statements, the current item's key and the sort, for saving at exit.
void rememberQuery(Settings& settings, const ListStatements& statements, const std::string& primaryKey,
                   const SortState& sort, bool readingSort);

}  // namespace qm::search
