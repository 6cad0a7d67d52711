// The version box: the program, the database engine and a line per archive
// type.
#include "app/library/version_box.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "common/version.h"

namespace qm::shell {
namespace {

using text::sjis;

TEST(VersionBox, EngineThenOneLinePerArchiveType) {
  EXPECT_EQ(versionBoxText("3.40.1", {"lzh\t\tlibarchive 3.6.2", "7z\t\tlibarchive 3.6.2"}),
            "Quillmoor2\t\tversion " QM_VERSION_TEXT "\n\nSQLite\t\tversion 3.40.1\nlzh\t\tlibarchive 3.6.2\n7z\t\tlibarchive 3.6.2\n");
  const std::string linked = versionBoxText();
  for (const char* type : {"\nlzh\t\tlibarchive ", "\nzip\t\tlibarchive ", "\nrar\t\tlibarchive ", "\n7z\t\tlibarchive "})
    EXPECT_NE(linked.find(type), std::string::npos) << type;
  EXPECT_EQ(versionCaption(), sjis("バージョン"));
}

}  // namespace
}  // namespace qm::shell
