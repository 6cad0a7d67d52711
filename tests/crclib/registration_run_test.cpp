// Registration runs over trees made at test time, checked row by row with SQL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "crclib/known_keys.h"
#include "tests/crclib/registration_fixture.h"
#include "tests/support/lock_wait.h"

namespace qm::reg::test {
namespace {

using Rows = std::vector<std::string>;
using text::sjis;
using text::sjisToUtf8;

const std::string kDisk1 = "disk one bytes", kDisk2 = "second disk", kSingle = "123456789";

class RegistrationRunTest : public RegistrationTest {};

TEST_F(RegistrationRunTest, FolderTreeWithSetsCrcsAndEveryColumn) {
  const std::string root = tree("ゲーム");
  put(root, "Game (Disk 1).d88", kDisk1);
  put(root, "game (Disk 2).D88", kDisk2);  // name order ignores case
  put(root, "readme.doc", "not an image");
  put(root, "表/ソフト (1987).d88", kSingle);
  tree("ゲーム/空");
  RegistrationRequest r = request(root);
  r.media = sjis("2D");
  r.genre = sjis("RPG");
  r.saleYear = "1985-1";
  auto& s = r.settings;
  s.searchSubfolders = s.folderSets = s.crc32 = s.crc16 = s.adult = true;
  s.titleMode = 1;
  s.makerMode = 1;
  s.versionMode = 1;
  const RegistrationResult result = run(r);

  EXPECT_EQ(result.end, RegistrationEnd::Completed);
  EXPECT_EQ(result.counted, 4);
  EXPECT_EQ(result.stored, 3);
  EXPECT_EQ(sjisToUtf8(host.statuses.back()), "3 件の格納・更新が完了しました。( 4 ファイル中 )");
  EXPECT_EQ(sjisToUtf8(host.statuses.front()), "ファイル数調査中…");
  EXPECT_EQ(host.range, 4u);
  EXPECT_EQ(host.steps, 4u);
  EXPECT_EQ(host.endings, 1);
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(host.lastMarker, "");
  EXPECT_TRUE(host.sink.messages().empty());

  const std::string d1 = sjisToUtf8(platform::joinPath(root, "Game (Disk 1).d88"));
  const std::string d2 = sjisToUtf8(platform::joinPath(root, "game (Disk 2).D88"));
  const std::string one = sjisToUtf8(platform::joinPath(platform::joinPath(root, sjis("表")), sjis("ソフト (1987).d88")));
  EXPECT_EQ(rows("SELECT file_name, file_title, file_ext, machine_name, title, smart_title, version, maker, "
                   "genre_name, adult, media_name, country, sale_year, crc32, crc, ply, ply_file_name, "
                   "file_arc_title, file_arc_ext, typeof(ply), length(modify) FROM main_table ORDER BY rowid;"),
              (Rows{d1 + "|Game (Disk 1)|d88|テスト|Game|GAME|(Disk 1)|ゲーム|RPG|1|2D||1985-1|" +
                              zlibCrc32(kDisk1) + "|" + bitwiseCrc16(kDisk1) + "|1||||integer|19",
                          d2 + "|game (Disk 2)|D88|テスト|game|GAME|(Disk 2)|ゲーム|RPG|1|2D||1985-1|" +
                              zlibCrc32(kDisk2) + "|" + bitwiseCrc16(kDisk2) + "|2|" + d1 + "|||integer|19",
                          // Alone in its folder: its set number is taken back.
                          one + "|ソフト (1987)|d88|テスト|ソフト|ソフト|(1987)|表|RPG|1|2D||1985-1|CBF43926|6F91|0||||"
                                "integer|19"}));
  // What a later sync compares against: each file's size and time as found by path.
  Rows stamps;
  for (const std::string& utf8 : {d1, d2, one}) {
    const auto stamp = platform::fileStamp(text::utf8ToSjis(utf8)).value();
    stamps.push_back(utf8 + "|" + std::to_string(stamp.size) + "|" + std::to_string(stamp.modified));
  }
  EXPECT_EQ(rows("SELECT pfile_sn, size, mtime FROM seen_file_table ORDER BY rowid;"), stamps);
}

TEST_F(RegistrationRunTest, ExtensionsSubfoldersAndSingleFiles) {
  const std::string root = tree("roms");
  const std::string single = put(root, "solo.d88", kSingle);
  put(root, "deep/skip.d88", kDisk1);
  put(root, "notes.txt", "t");
  put(root, "noext", "n");
  RegistrationRequest r = request(root);
  r.settings.folderSets = true;
  EXPECT_EQ(run(r).counted, 3);  // sub-folders neither counted nor walked
  EXPECT_EQ(rows("SELECT file_title, ply, crc32, crc FROM main_table ORDER BY file_name;"),
              (Rows{"noext|1||", "notes|2||", "solo|3||"}));

  // One file as the path: registered on its own, set number 0.
  sql("DELETE FROM main_table;");
  RegistrationRequest file = request(single);
  file.settings.folderSets = file.settings.crc32 = true;
  const auto result = run(file);
  EXPECT_EQ(result.counted, 1);
  EXPECT_EQ(rows("SELECT file_name, ply, crc32 FROM main_table;"), (Rows{sjisToUtf8(single) + "|0|CBF43926"}));

  // A machine without a record takes every file.
  sql("DELETE FROM main_table;");
  RegistrationRequest any = request(root);
  any.machine = sjis("未登録");
  any.settings.searchSubfolders = true;
  EXPECT_EQ(run(any).stored, 4);
  // So does one whose extension list is empty.
  sql("DELETE FROM main_table;"
      "INSERT INTO machine_info_table(machine, machine_num, search_ext) VALUES('EMPTY', 97, '');");
  any.machine = "EMPTY";
  EXPECT_EQ(run(any).stored, 4);

  RegistrationRequest empty = request(tree("empty"));
  EXPECT_EQ(run(empty).end, RegistrationEnd::NothingFound);
  EXPECT_EQ(sjisToUtf8(host.statuses.back()), "指定されたフォルダにファイルが見つかりませんでした。");
}

TEST_F(RegistrationRunTest, OverwriteAndFavouriteProtection) {
  const std::string root = tree("ow");
  const std::string fav = put(root, "fav.d88", "f");
  const std::string plain = put(root, "plain.d88", "p");
  run(request(root));
  sql("UPDATE main_table SET title='old';");
  sql("INSERT INTO favorite_table VALUES('" + sjisToUtf8(db::DbConnection::quoteSql(fav)) + "', '1');");
  put(root, "new.d88", "n");
  const auto titles = [&] { return rows("SELECT file_title, title FROM main_table ORDER BY file_name;"); };

  RegistrationRequest keep = request(root);  // no overwrite: only the new file
  EXPECT_EQ(run(keep).stored, 1);
  EXPECT_EQ(titles(), (Rows{"fav|old", "new|new", "plain|old"}));

  sql("UPDATE main_table SET title='old';");
  keep.settings.keepFavourites = true;  // no effect without overwrite
  EXPECT_EQ(run(keep).stored, 0);

  RegistrationRequest protect = request(root);
  protect.settings.overwrite = protect.settings.keepFavourites = true;
  EXPECT_EQ(run(protect).stored, 2);
  EXPECT_EQ(titles(), (Rows{"fav|old", "new|new", "plain|plain"}));

  sql("UPDATE main_table SET title='old';");
  RegistrationRequest all = request(root);
  all.settings.overwrite = true;
  EXPECT_EQ(run(all).stored, 3);
  EXPECT_EQ(titles(), (Rows{"fav|fav", "new|new", "plain|plain"}));
  (void)plain;
}

TEST_F(RegistrationRunTest, KeysWithQuotesAndLikeCharacters) {
  const std::string root = tree("it's");
  put(root, "100% a_b.d88", "x");
  put(root, "100x aXb.d88", "y");
  const auto first = run(request(root));
  EXPECT_EQ(first.stored, 2);
  // A key that differs in ASCII case only is the same image, as LIKE finds it.
  sql("UPDATE main_table SET file_name=upper(file_name) WHERE file_title='100% a_b';");
  put(root, "100% A_B.D88", "z");
  EXPECT_EQ(run(request(root)).stored, 0);
  EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (Rows{"2"}));

  // "%", "_" and "?" are no wildcards or escapes: a?b must not find ab.
  sql("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
      "('C:\\ab.d88', '', '', '', ''), ('C:\\a1c.d88', '', '', '', ''), ('C:\\Fav.d88', '', '', '', '');"
      "INSERT INTO favorite_table VALUES('C:\\Fav.d88', '1');");
  db::DbConnection db;
  db.open(dbPath());
  KnownKeys keys;
  ASSERT_FALSE(keys.load(db));
  EXPECT_TRUE(keys.exists("C:\\AB.d88"));
  EXPECT_FALSE(keys.exists("C:\\a?b.d88"));
  EXPECT_FALSE(keys.exists("C:\\a%c.d88"));
  EXPECT_FALSE(keys.exists("C:\\a_c.d88"));
  EXPECT_TRUE(keys.favourite("c:\\fav.D88"));
  EXPECT_FALSE(shouldRegister(keys, "C:\\fav.d88", true, true));
  EXPECT_TRUE(shouldRegister(keys, "C:\\ab.d88", true, true));
  EXPECT_FALSE(shouldRegister(keys, "C:\\ab.d88", false, false));
}

TEST_F(RegistrationRunTest, StopInTheMiddleKeepsWholeRows) {
  const std::string root = tree("stop");
  for (int i = 0; i < 6; ++i) put(root, "f" + std::to_string(i) + ".d88", std::string(100, char('a' + i)));
  RegistrationRequest r = request(root);
  r.settings.crc32 = true;
  // The stop is asked for while the third file is registered.
  host.onItem = [&](std::size_t n) {
    if (n == 3) stop = 1;
  };
  const auto result = run(r);
  EXPECT_EQ(result.end, RegistrationEnd::Cancelled);
  EXPECT_EQ(result.stored, 3);
  ASSERT_EQ(host.sink.messages().size(), 1u);
  EXPECT_EQ(sjisToUtf8(host.sink.messages()[0].text), "中止しますか？");
  EXPECT_EQ(host.sink.messages()[0].caption, "");
  EXPECT_EQ(host.sink.messages()[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(sjisToUtf8(host.statuses.back()), "ユーザーからの要求で処理を中止しました。（3 件が格納・更新されました。）");
  EXPECT_EQ(rows("SELECT file_title, crc32 FROM main_table ORDER BY file_name;"),
              (Rows{"f0|" + zlibCrc32(std::string(100, 'a')), "f1|" + zlibCrc32(std::string(100, 'b')),
                          "f2|" + zlibCrc32(std::string(100, 'c'))}));

  // Answering No goes on with the very entry where it was asked.
  sql("DELETE FROM main_table;");
  host = RecordingHost();
  host.sink.setAnswer(platform::MessageAnswer::No);
  stop = 0;
  host.onItem = [&](std::size_t n) {
    if (n == 2) stop = 1;
  };
  const auto goOn = run(r);
  EXPECT_EQ(goOn.end, RegistrationEnd::Completed);
  EXPECT_EQ(goOn.stored, 6);
}

TEST_F(RegistrationRunTest, LockedLibraryFailsAndSaysSo) {
  const qm::test::ShortLockWait shortWait(500);
  const std::string locked = "レコードを挿入できませんでした。\ndatabase is locked\n"
                             "他の処理がライブラリを使っています（1 秒待ちましたが終わりませんでした）。";
  const std::string root = tree("locked");
  put(root, "a.d88", "a");
  put(root, "b.d88", "b");
  db::DbConnection other;
  other.open(dbPath());
  ASSERT_FALSE(other.execute("BEGIN IMMEDIATE;"));
  const auto result = run(request(root));
  EXPECT_EQ(result.end, RegistrationEnd::Failed);
  EXPECT_EQ(result.stored, 0);
  ASSERT_EQ(host.sink.messages().size(), 1u);  // the run's transaction could not begin
  EXPECT_EQ(sjisToUtf8(host.sink.messages()[0].text), locked);
  EXPECT_EQ(sjisToUtf8(host.sink.messages()[0].caption), "DBエラー");
  EXPECT_EQ(host.sink.messages()[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(sjisToUtf8(host.statuses.back()), "エラーのため処理を中止しました。（0 件が格納・更新されました。）");
  ASSERT_FALSE(other.execute("ROLLBACK;"));
  EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (Rows{"0"}));

  // A reader that stays keeps the commit from its lock: nothing is stored,
  // and the run says so instead of "完了" (this waits for the busy timeout).
  host = RecordingHost();
  stop = 0;
  ASSERT_FALSE(other.execute("BEGIN; SELECT count(*) FROM main_table;"));
  const auto unsaved = run(request(root));
  ASSERT_FALSE(other.execute("COMMIT;"));
  EXPECT_EQ(unsaved.end, RegistrationEnd::Failed);
  ASSERT_EQ(host.sink.messages().size(), 1u);
  EXPECT_EQ(sjisToUtf8(host.sink.messages()[0].text), locked);
  EXPECT_EQ(sjisToUtf8(host.statuses.back()), "エラーのため処理を中止しました。（0 件が格納・更新されました。）");
  EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (Rows{"0"}));
}

TEST_F(RegistrationRunTest, ComputedEdgeValuesAreStoredAndEmptyFilesAreNot) {
  // Two bytes that bring the CRC-16 to FFFF, found with the independent CRC.
  std::string ffff;
  for (unsigned x = 0; x < 0x10000 && ffff.empty(); ++x) {
    const std::string candidate = std::string("abc") + char(x & 0xFF) + char(x >> 8);
    if (bitwiseCrc16(candidate) == "FFFF") ffff = candidate;
  }
  ASSERT_FALSE(ffff.empty());
  const std::string root = tree("edge");
  put(root, "ffff.d88", ffff);
  put(root, "empty.d88", "");
  put(root, "window.d88", "0123456789");
  RegistrationRequest r = request(root);
  r.settings.crc32 = r.settings.crc16 = true;
  run(r);
  EXPECT_EQ(rows("SELECT file_title, crc32, crc FROM main_table ORDER BY file_name;"),
              (Rows{"empty||", "ffff|" + zlibCrc32(ffff) + "|FFFF",
                          "window|" + zlibCrc32("0123456789") + "|" + bitwiseCrc16("0123456789")}));

  sql("DELETE FROM main_table;");
  r.window = {4, 3};
  run(r);
  EXPECT_EQ(rows("SELECT crc32, crc FROM main_table WHERE file_title='window';"),
              (Rows{zlibCrc32("456") + "|" + bitwiseCrc16("456")}));
}

// Names code page 932 cannot hold (Hangul, accented Latin, which Windows would
// quietly "best fit" to a plain letter): skipped with one log line each, never
// a message box or a row whose key holds a stand-in character.
TEST_F(RegistrationTest, NamesOutsideTheCodePageAreSkippedAndLogged) {
  const std::string root = tree("unicode");
  put(root, "ゲーム.d88", "123456789");
  const char* const strangers[] = {"\xED\x95\x9C\xEA\xB8\x80.d88", "Caf\xC3\xA9.d88"};
  for (const char* name : strangers) putUnicode(root, name, "x");
  RegistrationRequest r = request(root);
  r.settings.crc32 = r.settings.crc16 = true;
  const auto result = run(r);
  EXPECT_EQ(result.end, RegistrationEnd::Completed);
  EXPECT_EQ(result.counted, 1);
  EXPECT_EQ(result.stored, 1);
  EXPECT_TRUE(host.sink.messages().empty());
  EXPECT_EQ(rows("SELECT file_title FROM main_table;"), (std::vector<std::string>{"ゲーム"}));
  ASSERT_EQ(host.logLines.size(), 2u);
  for (const std::string& line : host.logLines)
    EXPECT_EQ(line.rfind(text::sjis("名前を表せないファイルを飛ばしました：") + root, 0), 0u) << text::sjisToUtf8(line);
}

}  // namespace
}  // namespace qm::reg::test
