// The item list hook for a front end without a window: refresh() makes
// list_view again from the search the main window saved when it last closed
// (section "LastQuery", key "SQL1" of Quillmoor2.ini), so a run from the
// command line does not leave the view dropped. Without a saved search the
// view stays absent, as at every start of the program before its first search.
#pragma once

#include <optional>
#include <string>

#include "common/run/run_context.h"

namespace qm::maintenance {

class SavedSearchView : public ItemListHook {
public:
  SavedSearchView(std::string dbPath, std::string settingsPath)
      : dbPath_(std::move(dbPath)), settingsPath_(std::move(settingsPath)) {}

  void emptied() override {}
  void refresh() override;
  // SQLite's error text when the saved statement failed.
  const std::optional<std::string>& error() const { return error_; }

private:
  std::string dbPath_;
  std::string settingsPath_;
  std::optional<std::string> error_;
};

}  // namespace qm::maintenance
