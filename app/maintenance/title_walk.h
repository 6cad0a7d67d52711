// The walk that the reading and smart-title runs share over selected
// (file_name, title) rows: one UPDATE per row inside one transaction, a log
// line per row, the stop request checked after each row. A failing UPDATE is
// logged and the walk goes on; after a stop the rows done so far are kept.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/db/db_connection.h"
#include "common/run/run_context.h"

namespace qm::maintenance {

struct TitleWalk {
  const char* column;  // of main_table
  std::function<void(std::string_view title, std::string& value)> convert;
  std::function<std::string(const std::string& title, const std::string& value,
                            const std::optional<std::string>& error)>
      logLine;
  std::string stoppedLine;
};

// `rows` holds the result of the selection: file_name in column 0, title in 1.
RunResult walkTitles(const RunContext& run, db::DbConnection& rows, const TitleWalk& walk);

}  // namespace qm::maintenance
