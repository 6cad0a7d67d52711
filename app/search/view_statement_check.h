// Whether a view statement read back from Quillmoor2.ini ("SQL1" of
// "LastQuery") may be run: the file is plain text anyone can edit, and the
// view statement is the one statement the list runs that creates something.
// It passes only as our own view head followed by a WHERE clause which, as
// the SELECT of the view, is exactly one read-only query.
#pragma once

#include <string_view>

namespace qm::db {
class StatementChecker;
}

namespace qm::search {

bool isTrustedViewStatement(std::string_view statement, const db::StatementChecker& checker);

}  // namespace qm::search
