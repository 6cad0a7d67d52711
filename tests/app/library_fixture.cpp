#include "tests/app/library_fixture.h"

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"

namespace qm::search::test {

using text::sjis;

void LibraryTest::SetUp() {
  dblib::SetupPaths paths{dbPath(), folder.path(), "Quillmoor.db", folder.file("Quillmoor2.ini")};
  ASSERT_EQ(dblib::makeDatabase(paths, sink).outcome, dblib::SetupOutcome::Created);
  run(sjis("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, genre_name, rating, "
           "sale_year, kana, ply, ply_file_name) VALUES "
           "('C:\\roms\\hoshi.nes', 'hoshi', '.nes', 'ファミコン', '星の物語', 'デモソフト', 'アクション', 30, "
           "'1986-07-00', 'ほしのものがたり', 0, ''),"
           "('C:\\roms\\umi.sfc', 'umi', '.sfc', 'スーパーファミコン', '海の伝説', 'Let''s', 'ロールプレイング', 50, "
           "'1993-12-10', 'うみのでんせつ', 0, ''),"
           "('C:\\roms\\kiri_1.d88', 'kiri_1', '.d88', 'PC98シリーズ', '霧の館', 'デモソフト', '', 10, '0', "
           "'きりのやかた', 1, ''),"
           "('C:\\roms\\kiri_2.d88', 'kiri_2', '.d88', 'PC98シリーズ', '霧の館 2', 'デモソフト', '', 10, '0', "
           "'きりのやかた', 2, 'C:\\roms\\kiri_1.d88');"
           "INSERT INTO spec_table(pfile_sc, price) VALUES ('C:\\roms\\umi.sfc', '9800');"
           "INSERT INTO favorite_table VALUES ('C:\\roms\\hoshi.nes', '13');"
           "INSERT INTO tmp_maxdisk VALUES ('C:\\roms\\kiri_1.d88', 2);"));
  list.open(dbPath());
  ASSERT_TRUE(checker.open(dbPath()));
}

void LibraryTest::run(const std::string& sql) {
  db::DbConnection db;
  db.open(dbPath());
  auto error = db.execute(sql);
  ASSERT_FALSE(error) << text::sjisToUtf8(*error);
}

std::string LibraryTest::dbPath() const { return folder.file("Quillmoor.db"); }

int LibraryTest::countRows(const std::string& table) {
  db::DbConnection db;
  db.open(dbPath());
  if (db.execute("SELECT COUNT(*) FROM " + table + ";")) return -1;
  return std::stoi(db.cell(1, 0));
}

}  // namespace qm::search::test
