#include "app/library/version_box.h"

#include <sqlite3.h>

#include "common/archive/archive_versions.h"
#include "common/text/encoding.h"
#include "common/version.h"

namespace qm::shell {

std::string versionCaption() { return text::sjis("バージョン"); }

std::string versionBoxText(const std::string& sqliteVersion, const std::vector<std::string>& archiveLines) {
  std::string text = "Quillmoor2\t\tversion " QM_VERSION_TEXT "\n\nSQLite\t\tversion " + sqliteVersion + "\n";
  for (const std::string& line : archiveLines) text += line + "\n";
  return text;
}

std::string versionBoxText() { return versionBoxText(sqlite3_libversion(), archive::archiveVersionLines()); }

}  // namespace qm::shell
