// A missing or empty library file becomes a complete version-8 database.
#include <gtest/gtest.h>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/dblib/expected_schema.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {
namespace {

using qm::test::queryRows;
using text::sjis;

struct CreationCase {
  const char* name;
  const char* subfolderUtf8;  // the program folder inside the temporary one
  bool emptyFileFirst;        // a 0-byte Quillmoor.db is already there
};
std::ostream& operator<<(std::ostream& out, const CreationCase& c) { return out << c.name; }

class CreationTest : public ::testing::TestWithParam<CreationCase> {
protected:
  CreationTest() : harness(sjis(GetParam().subfolderUtf8)) {}

  // folder + separator + default_icon + separator + kind + separator + file, UTF-8
  std::string icon(const char* kind, const std::string& file) const {
    using platform::joinPath;
    return text::sjisToUtf8(joinPath(joinPath(joinPath(harness.paths.programFolder, "default_icon"), kind), file));
  }

  SetupHarness harness;
};

TEST_P(CreationTest, MakesTheCompleteDatabaseWithoutAsking) {
  if (GetParam().emptyFileFirst) {
    ASSERT_TRUE(qm::test::writeFile(harness.paths.dbPath, ""));
  }

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Created);
  EXPECT_EQ(result.versionBefore, -1);
  EXPECT_TRUE(harness.sink.messages().empty()) << harness.sink.messages().front();
  EXPECT_TRUE(harness.backups().empty());
  EXPECT_EQ(exportResult(result.outcome), 0);

  // Other tools read the statements back, so sqlite_master must hold them as written.
  std::vector<std::string> stored;
  for (const auto& statement : expected::creationStatements())
    stored.push_back(statement.object + "|" + expected::storedForm(statement.sql));
  EXPECT_EQ(
      queryRows(harness.paths.dbPath, "SELECT name, sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY rowid;"),
      stored);

  EXPECT_EQ(queryRows(harness.paths.dbPath, "SELECT ver, typeof(ver) FROM qlm_table;"),
            std::vector<std::string>{"8|integer"});
}

TEST_P(CreationTest, SeedsTheMasterTablesWithIconsInTheProgramFolder) {
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Created);
  const std::string& db = harness.paths.dbPath;

  std::vector<std::string> media, genres, machines, marks;
  for (const auto& row : expected::media())
    media.push_back(row.name + "|" + icon("media", row.iconFile) + "|" + std::to_string(row.number));
  for (const auto& row : expected::genres())
    genres.push_back(row.name + "|" + icon("genre", row.iconFile) + "|" + std::to_string(row.number));
  for (const auto& row : expected::machines())
    machines.push_back(row.name + "|" + icon("machine", row.iconFile) + "|" + std::to_string(row.number) + "|" +
                       row.extensions + "|" + row.defaultMedia + "||0|0|||");
  for (const auto& row : expected::ratingMarks())
    marks.push_back(row.name + "|" + icon("cero", row.iconFile) + "|" + std::to_string(row.number));

  EXPECT_EQ(queryRows(db, "SELECT media, media_icon, media_num FROM media_info_table ORDER BY rowid;"), media);
  EXPECT_EQ(queryRows(db, "SELECT genre, genre_icon, genre_num FROM genre_info_table ORDER BY rowid;"), genres);
  EXPECT_EQ(queryRows(db,
                      "SELECT machine, machine_icon, machine_num, search_ext, default_media, snap_path, "
                      "crc_start_byte, crc_byte_len, snap_path2, snap_path3, snap_dtm FROM machine_info_table "
                      "ORDER BY rowid;"),
            machines);
  EXPECT_EQ(queryRows(db, "SELECT adultex, adultex_icon, adultex_num FROM adultex_info_table ORDER BY rowid;"), marks);
  EXPECT_EQ(queryRows(db,
                      "SELECT (SELECT count(*) FROM main_table) + (SELECT count(*) FROM spec_table) + "
                      "(SELECT count(*) FROM memo_table) + (SELECT count(*) FROM tmp_maxdisk);"),
            std::vector<std::string>{"0"});
}

INSTANTIATE_TEST_SUITE_P(Folders, CreationTest,
                         ::testing::Values(CreationCase{"MissingFile", "", false}, CreationCase{"EmptyFile", "", true},
                                           CreationCase{"FolderWithQuote", "it's mine", false},
                                           CreationCase{"JapaneseFolder", "ゲーム表ソフト", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
  const char* name;
  bool folderMissing;   // the program folder is not there
  bool journalBlocked;  // a folder takes the journal's name, so nothing can be written
};
std::ostream& operator<<(std::ostream& out, const FailureCase& c) { return out << c.name; }

class CreationFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CreationFailureTest, ReportsMainTableAndLeavesNoFile) {
  SetupHarness harness;
  const std::string folder = GetParam().folderMissing ? harness.file("missing") : harness.paths.programFolder;
  harness.paths = {platform::joinPath(folder, "Quillmoor.db"), folder, "Quillmoor.db",
                   platform::joinPath(folder, "Quillmoor2.ini")};
  if (GetParam().journalBlocked) {
    ASSERT_TRUE(platform::createFolder(harness.file("Quillmoor.db-journal")));
  }

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Failed);
  EXPECT_EQ(exportResult(result.outcome), -1);
  ASSERT_EQ(harness.sink.messages().size(), 1u);
  const auto& message = harness.sink.messages()[0];
  EXPECT_EQ(message.text, sjis("\"main_table\"\nメインテーブルが作成できませんでした。\n処理を中止します\n") +
                              "unable to open database file");
  EXPECT_EQ(message.caption, sjis("DBエラー"));
  EXPECT_EQ(message.icon, platform::MessageIcon::Error);
  EXPECT_EQ(message.buttons, platform::MessageButtons::Ok);
  // Opening made the file; a failed creation must not leave it for the next start.
  EXPECT_FALSE(platform::fileExists(harness.paths.dbPath));
  EXPECT_EQ(qm::test::listFolder(harness.temp.path()),
            GetParam().journalBlocked ? std::vector<std::string>{"Quillmoor.db-journal"} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Causes, CreationFailureTest,
                         ::testing::Values(FailureCase{"FolderMissing", true, false},
                                           FailureCase{"JournalBlocked", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::dblib::test
