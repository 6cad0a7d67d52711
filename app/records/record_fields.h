// Setting a record's fields by their column names, for scripted edits.
#pragma once

#include <string>
#include <string_view>

#include "app/records/record.h"

namespace qm::records {

// Sets the field named by its column ("title", "maker", "sale_year",
// "creator", "memo", "snap1", "breed", "adultex_name", "emuset_name", ...).
// "adult" takes 0 or 1; "associate" and "set" take their entries joined by
// "|" ("" for none). False for an unknown name or a bad adult value.
bool setField(Record& record, std::string_view name, const std::string& value);

}  // namespace qm::records
