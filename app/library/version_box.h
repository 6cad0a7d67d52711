// The text of the version box: the program, the database engine and, for
// each archive type, the reader that opens it.
#pragma once

#include <string>
#include <vector>

namespace qm::shell {

std::string versionCaption();
// From the engine's version ("3.40.1") and the archive lines
// (archive::archiveVersionLines()).
std::string versionBoxText(const std::string& sqliteVersion, const std::vector<std::string>& archiveLines);
// With the versions linked into this program.
std::string versionBoxText();

}  // namespace qm::shell
