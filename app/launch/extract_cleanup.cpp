#include "app/launch/extract_cleanup.h"

#include "app/launch/path_parts.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string withoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && isSeparator(path.back())) path.pop_back();
  return path;
}

bool isAbsolute(const std::string& path) {
  return (path.size() > 2 && path[1] == ':' && isSeparator(path[2])) || (!path.empty() && isSeparator(path[0]));
}

bool isDriveRoot(const std::string& folder) {
  if (folder.size() == 1 && isSeparator(folder[0])) return true;  // "/" or "\"
  if (folder.size() == 2 && folder[1] == ':') return true;        // "C:"
  // "\\server\share": two leading separators and at most one more.
  if (folder.size() > 2 && isSeparator(folder[0]) && isSeparator(folder[1])) {
    int separators = 0;
    for (std::size_t i = 2; i < folder.size(); i = sjis::nextChar(folder, i))
      if (isSeparator(folder[i])) ++separators;
    return separators <= 1;
  }
  return false;
}

// Whether a key of the library (or an alter-ego copy) lies in the folder or
// below it. ASCII case is ignored, as Windows file names are compared.
bool holdsLibraryImages(const std::string& folder, const std::string& dbPath) {
  std::string sql;
  for (const char* separator : {"\\", "/"}) {
    const std::string head = db::sqlText(folder + separator);
    for (const char* column : {"file_name", "ae_file"}) {
      sql += std::string(sql.empty() ? "" : " UNION ALL ") + "SELECT " + column + " FROM " +
             (column[0] == 'f' ? "main_table" : "alter_ego_table") + " WHERE lower(substr(" + column + ",1,length(" +
             head + ")))=lower(" + head + ")";
    }
  }
  db::DbConnection db;
  db.open(dbPath);
  // A library that cannot be read is taken as holding images: deleting is the risk.
  return db.execute(sql + " LIMIT 1;") || db.rowCount() > 0;
}

}  // namespace

CleanupRefusal checkExtractFolder(const std::string& folderText, const std::string& programFolder,
                                  const std::string& dbPath) {
  if (!isAbsolute(folderText)) return CleanupRefusal::NotAbsolute;
  const std::string folder = withoutTrailingSeparators(folderText);
  if (isDriveRoot(folder)) return CleanupRefusal::DriveRoot;
  if (!platform::folderExists(folder)) return CleanupRefusal::Missing;
  if (sjis::equalsIgnoreCaseAscii(folder, withoutTrailingSeparators(programFolder)))
    return CleanupRefusal::ProgramFolder;
  if (holdsLibraryImages(folder, dbPath)) return CleanupRefusal::HoldsImages;
  return CleanupRefusal::None;
}

int emptyExtractFolder(const std::string& folder, const std::string& programFolder, const std::string& dbPath) {
  if (checkExtractFolder(folder, programFolder, dbPath) != CleanupRefusal::None) return -1;
  return platform::deleteMatchingFiles(withoutTrailingSeparators(folder), "*");
}

}  // namespace qm::launch
