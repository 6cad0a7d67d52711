// The rows of a registration: the prepared statements store exactly what the
// statement texts as written would, batches commit on their own, a busy
// COMMIT is waited for, a failed one loses only its batch, and the count is
// what the database really took.
#include "crclib/row_store.h"

#include <gtest/gtest.h>

#include <thread>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/crclib/registration_fixture.h"

namespace qm::reg::test {
namespace {

using text::sjis;
using Rows = std::vector<std::string>;
using namespace std::chrono_literals;

// Rows that walk the edges of every column: quotes, kanji, empty texts, both
// kinds, both adult values, a key differing only in case.
std::vector<ImageRow> generatedRows() {
  const std::string texts[] = {"", "plain", sjis("表示 ソフト"), "it's ''quoted''", sjis("ﾃｱ"), "%_?*", "0"};
  std::vector<ImageRow> rows;
  for (int i = 0; i < 28; ++i) {
    ImageRow row;
    row.inArchive = i % 2 == 1;
    row.key = sjis("C:\\ロム\\") + (i == 27 ? "A" : "a") + std::to_string(i % 27) + (row.inArchive ? ".zip*m.d88" : ".d88");
    auto at = [&](int k) { return texts[(i + k) % std::size(texts)]; };
    row.fileTitle = at(0), row.fileExt = at(1), row.machine = at(2), row.title = at(3), row.smartTitle = at(4);
    row.version = at(5), row.maker = at(6), row.genre = at(0), row.media = at(1), row.country = at(2);
    row.saleYear = at(3), row.crc32 = at(4), row.crc16 = at(5), row.ply = std::to_string(i % 4), row.plyFile = at(6);
    if (row.inArchive) row.arcTitle = at(1), row.arcExt = at(2);
    row.adult = i % 3 == 0;
    rows.push_back(row);
  }
  return rows;
}

class RowStoreTest : public RegistrationTest {
protected:
  Rows stored(const std::string& path) {
    db::DbConnection db;
    db.open(path);
    // typeof() too: a bound value must have the type its literal would.
    EXPECT_FALSE(db.execute("SELECT * FROM main_table ORDER BY file_name;"));
    EXPECT_FALSE(db.execute("UPDATE main_table SET modify='';"));
    db.execute("SELECT *, typeof(adult), typeof(ply), typeof(crc) FROM main_table ORDER BY file_name;");
    Rows out;
    for (int r = 1; r <= db.rowCount(); ++r) {
      std::string line;
      for (int c = 0; c < db.columnCount(); ++c) line += std::string(db.cellUtf8(r, c)) + "|";
      out.push_back(line);
    }
    return out;
  }
};

TEST_F(RowStoreTest, PreparedRowsAreTheRowsOfTheStatementTexts) {
  for (bool overwrite : {false, true}) {
    qm::test::TempFolder other;
    const std::string textPath = other.file("text.db");
    ASSERT_EQ(platform::copyFileNoOverwrite(dbPath(), textPath), platform::CopyResult::Copied);
    sql("DELETE FROM main_table;");
    db::DbConnection prepared, written;
    prepared.open(dbPath());
    written.open(textPath);
    ASSERT_FALSE(written.execute("DELETE FROM main_table;"));
    RowStore store(prepared, overwrite, {5, 60s});
    ASSERT_FALSE(store.begin());
    for (const ImageRow& row : generatedRows()) {
      EXPECT_NE(store.write(row), RowOutcome::Failed) << store.error();
      EXPECT_FALSE(written.execute(insertText(row, overwrite))) << insertText(row, overwrite);
    }
    ASSERT_FALSE(store.finish());
    const Rows a = stored(dbPath()), b = stored(textPath);
    EXPECT_EQ(a.size(), 28u);
    EXPECT_EQ(a, b) << overwrite;
  }
}

TEST(InsertText, AsWrittenForBothKinds) {
  ImageRow row;
  row.key = "C:\\a'b.zip*x.d88";
  row.title = "It's";
  row.adult = true;
  row.ply = "2";
  EXPECT_EQ(insertText(row, false),
            "INSERT OR IGNORE INTO main_table( file_name, file_title, file_ext, machine_name, title, smart_title, "
            "version, maker, genre_name, adult, media_name, country, sale_year, modify, crc32, crc, ply, "
            "ply_file_name ) VALUES( 'C:\\a''b.zip*x.d88', '', '', '', 'It''s', '', '', '', '', 1, '', '', '', "
            "datetime('now','localtime'), '', '', '2', '' );");
  row.inArchive = true;
  row.arcTitle = "x";
  row.arcExt = "d88";
  EXPECT_EQ(insertText(row, true),
            "INSERT OR REPLACE INTO main_table( file_name, file_title, file_ext, machine_name, title, smart_title, "
            "version, maker, genre_name, adult, media_name, country, sale_year, modify, crc32, crc, file_arc_title, "
            "file_arc_ext, ply, ply_file_name ) VALUES( 'C:\\a''b.zip*x.d88', '', '', '', 'It''s', '', '', '', '', "
            "1, '', '', '', datetime('now','localtime'), '', '', 'x', 'd88', '2', '' );");
  EXPECT_EQ(insertTemplate(true, false).find('\''), insertTemplate(true, false).find("'now'"));
}

TEST_F(RowStoreTest, BatchesCommitOnTheirOwnAndTheCountIsWhatWasStored) {
  db::DbConnection db;
  db.open(dbPath());
  RowStore store(db, false, {3, 60s});
  ASSERT_FALSE(store.begin());
  std::vector<long long> committed;
  for (const ImageRow& row : generatedRows()) {
    if (committed.size() == 7) break;
    ASSERT_EQ(store.write(row), RowOutcome::Stored);
    committed.push_back(store.committed());
  }
  EXPECT_EQ(committed, (std::vector<long long>{0, 0, 3, 3, 3, 6, 6}));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table;"), Rows{"6"});  // seen from another connection
  EXPECT_EQ(store.stored(), 7);
  ASSERT_FALSE(store.finish());
  EXPECT_EQ(store.committed(), 7);
}

// The next batch takes the lock with its first row, so a writer waiting for
// it (a record edit, another registration) gets in between two batches.
TEST_F(RowStoreTest, BetweenTwoBatchesAnotherWriterGetsTheLock) {
  db::DbConnection db;
  db.open(dbPath());
  RowStore store(db, false, {2, 60s});
  ASSERT_FALSE(store.begin());
  const auto all = generatedRows();
  ASSERT_EQ(store.write(all[0]), RowOutcome::Stored);
  ASSERT_EQ(store.write(all[1]), RowOutcome::Stored);
  db::DbConnection other;
  other.open(dbPath());
  other.setBusyTimeout(0);
  EXPECT_FALSE(other.execute("BEGIN IMMEDIATE; DELETE FROM main_table; COMMIT;"));
  ASSERT_EQ(store.write(all[2]), RowOutcome::Stored);
  ASSERT_FALSE(store.finish());
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table;"), Rows{"1"});
}

TEST_F(RowStoreTest, ACollidingKeyIsCountedOnce) {
  for (bool overwrite : {false, true}) {
    sql("DELETE FROM main_table;");
    db::DbConnection db;
    db.open(dbPath());
    RowStore store(db, overwrite);
    ASSERT_FALSE(store.begin());
    ImageRow row = generatedRows().front();
    const std::string first = row.title;
    EXPECT_EQ(store.write(row), RowOutcome::Stored);
    row.title = "second";
    EXPECT_EQ(store.write(row), RowOutcome::Collided);
    ASSERT_FALSE(store.finish());
    EXPECT_EQ(store.committed(), 1);
    EXPECT_EQ(rows("SELECT title FROM main_table;"), Rows{overwrite ? "second" : first});
    // An image already in the library is no collision, and not stored without overwrite.
    RowStore again(db, overwrite);
    ASSERT_FALSE(again.begin());
    EXPECT_EQ(again.write(row), overwrite ? RowOutcome::Stored : RowOutcome::Ignored);
    ASSERT_FALSE(again.finish());
    EXPECT_EQ(again.committed(), overwrite ? 1 : 0);
  }
}

// A reader holds the library (its read transaction keeps a shared lock), which
// keeps a COMMIT waiting for up to the connection's busy timeout.
class Reader {
public:
  explicit Reader(const std::string& path) {
    db_.open(path);
    EXPECT_FALSE(db_.execute("BEGIN; SELECT * FROM main_table;"));
  }
  void release() { db_.execute("COMMIT;"); }

private:
  db::DbConnection db_;
};

TEST_F(RowStoreTest, ABusyCommitWaitsForTheReader) {
  db::DbConnection db;
  db.open(dbPath());
  db.setBusyTimeout(10000);
  RowStore store(db, false, {100, 60s});
  ASSERT_FALSE(store.begin());
  ASSERT_EQ(store.write(generatedRows().front()), RowOutcome::Stored);
  Reader reader(dbPath());
  std::thread later([&] {
    std::this_thread::sleep_for(300ms);
    reader.release();
  });
  EXPECT_FALSE(store.finish());
  later.join();
  EXPECT_EQ(store.committed(), 1);
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table;"), Rows{"1"});
}

TEST_F(RowStoreTest, AFailedCommitLosesOnlyItsBatch) {
  db::DbConnection db;
  db.open(dbPath());
  db.setBusyTimeout(10);
  RowStore store(db, false, {2, 60s});
  ASSERT_FALSE(store.begin());
  const auto all = generatedRows();
  ASSERT_EQ(store.write(all[0]), RowOutcome::Stored);
  ASSERT_EQ(store.write(all[1]), RowOutcome::Stored);
  Reader reader(dbPath());
  ASSERT_EQ(store.write(all[2]), RowOutcome::Stored);
  EXPECT_EQ(store.write(all[3]), RowOutcome::Failed);
  EXPECT_FALSE(store.error().empty());
  EXPECT_FALSE(store.finish());  // nothing pending any more
  reader.release();
  EXPECT_EQ(store.committed(), 2);
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table;"), Rows{"2"});
}

}  // namespace
}  // namespace qm::reg::test
