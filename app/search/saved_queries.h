// Saved queries: complete SQL statements over list_view kept as small
// settings files ("<name>.txt", section "query", keys "sql" and "icon") in a
// folder tree under the program's "query" folder. Running one is an SQL
// search (search_library.h, mode 9).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::search {

inline constexpr const char* kQueryFolderName = "query";
// The longest statement a query file holds, in bytes.
inline constexpr std::size_t kQueryStatementLimit = 16384;
inline constexpr const char* kNewQueryStatement = "SELECT * FROM list_view ;";

// A query or folder name: not empty, none of \ / < > : | ? * " . (the dot
// allowed when `allowDot`), no line feed, carriage return or tab, and not a
// device name (AUX, CLOCK$, COM1-9, CON, CONFIG$, LPT1-9, NUL, PRN; any case).
bool isValidQueryName(std::string_view name, bool allowDot = false);

// A file is a query when its extension holds "txt" (any case); its name is
// the file name without the extension.
bool isQueryFile(std::string_view fileName);
std::string queryNameOf(std::string_view fileName);

struct SavedQuery {
  std::string sql;      // empty when absent, or longer than the limit
  std::string icon;     // full path of a BMP, or empty
  std::string refusal;  // why a file in another encoding was not read (program text), or empty
};
SavedQuery readQuery(const std::string& path);

// The statement as a query file keeps it, on one line: line breaks outside
// quoted texts become spaces and "--" comments at the top level go, so no
// part of the statement is folded into a comment. Nothing when it cannot be
// kept whole: a line break inside a quoted text, or longer than the limit.
std::optional<std::string> storedStatement(std::string_view typed);

struct QueryNode {
  std::string name;
  std::string path;  // a folder's path, or the query file's
  bool folder = false;
  std::string icon;  // a folder's "0.bmp" or a query's "icon", when the file exists
  std::vector<QueryNode> children;
};
// The tree under `root` in the order the file system lists it; links and
// junctions are not entered.
std::vector<QueryNode> readQueryTree(const std::string& root);

enum class QuerySave { Saved, NameEmpty, NameInvalid, NameTaken, StatementNotKept, WriteFailed };
// The dialog's message for a refusal (program text, "" for Saved).
std::string querySaveMessage(QuerySave result);

struct QueryEdit {
  std::string folder;   // where a new query goes
  std::string oldPath;  // the query being edited, or empty for a new one
  std::string name;
  std::string sql;      // as typed
  std::string icon;
};
struct QuerySaveResult {
  QuerySave result = QuerySave::WriteFailed;
  std::string path;      // the file written
  bool changed = false;  // new file, new name or new icon: the tree is built again
};
// A new query never overwrites a file; a renamed one is written under its
// new name before the old file goes.
QuerySaveResult saveQuery(const QueryEdit& edit);

enum class FolderCreate { Created, NameEmpty, NameInvalid, TooLong, Failed };
std::string folderCreateMessage(FolderCreate result);
FolderCreate createQueryFolder(const std::string& parent, std::string_view name);

// Deletes a query file, or a folder with everything in it, when `path` lies
// under `root` (never the root itself). Links inside are removed as links,
// never followed. False when refused or something could not be deleted.
bool deleteQueryItem(const std::string& root, const std::string& path);

// The path of a tree item from its names, root first: a query's gets ".txt".
std::string queryItemPath(const std::string& root, const std::vector<std::string>& names, bool query);

}  // namespace qm::search

namespace qm::search {

// The query dialog's wizard: search targets (label and field), in list order.
struct WizardTarget {
  const char* label;  // UTF-8
  const char* field;
};
inline constexpr WizardTarget kWizardTargets[] = {
    {"機種", "machine_name"},  {"タイトル", "title"},         {"メーカー", "maker"},   {"バージョン/コメント", "version"},
    {"ジャンル", "genre_name"}, {"メディア", "media_name"},   {"クリエイター", "creator"}, {"メモ", "memo"},
    {"国", "country"},         {"発売年月日", "sale_year"}, {"評価", "rating"},
};
// "SELECT * FROM list_view WHERE title LIKE '%ab%' ORDER BY rating DESC;"
// for target 1, contains, "ab", sort column 3, descending. The sort column
// is one of the item list's 18 (column 2 sorts by machine_name).
std::string wizardStatement(int target, bool equals, std::string_view keyword, int sortColumn, bool descending);

// The column window's rows: field name and meaning (program text).
struct ColumnNote {
  std::string field;
  std::string meaning;
};
std::vector<ColumnNote> columnNotes();

}  // namespace qm::search
