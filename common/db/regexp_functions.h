// Regular expressions inside SQL, built into every connection: the REGEXP
// operator (`text REGEXP pattern`, which SQLite calls as regexp(pattern, text))
// and the function REGEX(text, pattern). Both match PCRE2 patterns over UTF-8
// and give 1 or 0, NULL when either side is NULL. A compiled pattern is kept
// for the rest of the statement.
#pragma once

struct sqlite3;

namespace qm::db {

// SQLite's result code of the registration.
int registerRegexpFunctions(sqlite3* db);

}  // namespace qm::db
