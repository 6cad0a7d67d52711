// The commands on selected items against a real library: the favourite
// slots, the boot reset and the removal of the emulator choice, with their
// failures; the library backup.
#include "app/library/item_commands.h"

#include <gtest/gtest.h>

#include <ctime>

#include "app/library/library_backup.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"
#include "tests/app/library/fixture_keys.h"
#include "tests/support/file_bytes.h"

namespace qm::shell {
namespace {

using platform::MessageAnswer;
using platform::MessageIcon;
using text::sjis;
using text::sjisToUtf8;
using Strings = std::vector<std::string>;

using test::kHoshi;
using test::kKiri;
using test::kUmi;

class ItemCommandsTest : public search::test::LibraryTest {
protected:
  // "key|value" per row of a query, UTF-8.
  Strings rows(const std::string& sql) {
    db::DbConnection db;
    db.open(dbPath());
    EXPECT_FALSE(db.execute(sql));
    Strings out;
    for (int r = 1; r <= db.rowCount(); ++r) {
      std::string line;
      for (int c = 0; c < db.columnCount(); ++c) {
        if (c > 0) line += '|';
        line += sjisToUtf8(db.cell(r, c));
      }
      out.push_back(line);
    }
    return out;
  }
  Strings favourites() { return rows("SELECT pfile_fv, fave FROM favorite_table ORDER BY pfile_fv;"); }
  void setFave(const std::string& key, const std::string& fave) {
    run("INSERT OR REPLACE INTO favorite_table VALUES (" + db::sqlText(key) + "," + db::sqlText(fave) + ");");
  }
  // Statements touching `key` fail with "locked" (a trigger aborts them).
  void lock(const std::string& table, const std::string& event, const std::string& column, const std::string& key) {
    run("CREATE TRIGGER lock_" + table + " BEFORE " + event + " ON " + table + " WHEN " + column + "=" +
        db::sqlText(key) + " BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  }
  Strings boxes() const {
    Strings out;
    for (const auto& m : sink.messages()) out.push_back(sjisToUtf8(m.caption) + "|" + sjisToUtf8(m.text));
    return out;
  }
};

TEST(FavouriteSlot, OfEveryIdentifier) {
  const std::pair<int, int> cases[] = {{1135, 0}, {1138, 3}, {1144, 9}, {1145, 0}, {1134, 0}, {0, 0}};
  for (const auto& [id, slot] : cases) EXPECT_EQ(favouriteSlot(id), slot) << id;
}

// The examples of the favourite groups, each against the stored rows.
TEST_F(ItemCommandsTest, FavouriteTogglesFollowTheFirstSelectedItem) {
  struct Case {
    const char* name;
    std::vector<FavouriteItem> items;
    int slot;
    FavouriteMode mode;
    bool added;
    Strings after;  // favorite_table afterwards
  };
  const Case cases[] = {
      {"adding 3 to 15 and nothing", {{kHoshi, "15"}, {kUmi, ""}}, 3, FavouriteMode::Toggle, true,
       {kHoshi + "|153", kUmi + "|3"}},
      {"removing 3 from 353", {{kHoshi, "353"}}, 3, FavouriteMode::Toggle, false, {kHoshi + "|5"}},
      {"removing the last digit deletes the row", {{kHoshi, "1"}}, 1, FavouriteMode::Toggle, false, {}},
      {"the first lacks it: appended to all, even twice", {{kUmi, ""}, {kHoshi, "3"}}, 3, FavouriteMode::Toggle, true,
       {kHoshi + "|33", kUmi + "|3"}},
      {"the first holds it: removed from all", {{kHoshi, "13"}, {kUmi, "2"}}, 1, FavouriteMode::Toggle, false,
       {kHoshi + "|3", kUmi + "|2"}},
      {"forced add", {{kHoshi, "13"}}, 1, FavouriteMode::Add, true, {kHoshi + "|131"}},
      {"forced removal from an item without it", {{kUmi, ""}}, 4, FavouriteMode::Remove, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    run("DELETE FROM favorite_table;");
    for (const FavouriteItem& item : c.items)
      if (!item.fave.empty()) setFave(item.key, item.fave);
    FavouriteResult result = changeFavourite(dbPath(), c.slot, c.mode, c.items, sink);
    EXPECT_TRUE(result.ran);
    EXPECT_EQ(result.added, c.added);
    EXPECT_EQ(result.failures, 0);
    EXPECT_EQ(favourites(), c.after);
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(ItemCommandsTest, FavouriteWithoutSelectionDoesNothing) {
  FavouriteResult result = changeFavourite(dbPath(), 2, FavouriteMode::Toggle, {}, sink);
  EXPECT_FALSE(result.ran);
  EXPECT_EQ(favourites(), Strings{kHoshi + "|13"});
}

TEST_F(ItemCommandsTest, FailedFavouriteIsReportedAndTheWalkGoesOn) {
  lock("favorite_table", "INSERT", "new.pfile_fv", kUmi);
  FavouriteResult result =
      changeFavourite(dbPath(), 5, FavouriteMode::Toggle, {{kHoshi, "13"}, {kUmi, ""}, {kKiri, ""}}, sink);
  EXPECT_EQ(result.failures, 1);
  EXPECT_EQ(boxes(), Strings{"DBエラー|お気に入りテーブルを更新できませんでした。\nlocked"});
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Error);
  EXPECT_EQ(favourites(), (Strings{kHoshi + "|135", kKiri + "|5"}));
}

TEST_F(ItemCommandsTest, StoredFavouritesReadTheTable) {
  std::vector<FavouriteItem> items = storedFavourites(dbPath(), {kHoshi, kUmi, "C:\\it's.nes"});
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].fave, "13");
  EXPECT_EQ(items[1].fave, "");
  EXPECT_EQ(items[2].key, "C:\\it's.nes");
}

TEST_F(ItemCommandsTest, BootResetClearsCountTimeAndPlayTimeOfTheSelectedOnly) {
  run("UPDATE main_table SET boot_count=7, last_boot='2024-07-05 09:03:07', play_time='01:02:03';");
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, boot_count) VALUES "
      "('C:\\it''s.nes', 'it''s', '.nes', 'x', 'x', 4);");
  EXPECT_TRUE(resetBootInfo(dbPath(), {kHoshi, "C:\\it's.nes"}, sink));
  EXPECT_EQ(rows("SELECT file_name, boot_count, typeof(boot_count), last_boot, play_time FROM main_table "
                 "ORDER BY file_name;"),
            (Strings{"C:\\it's.nes|0|integer||", kHoshi + "|0|integer||", kKiri + "|7|integer|2024-07-05 09:03:07|01:02:03",
                     "C:\\roms\\kiri_2.d88|7|integer|2024-07-05 09:03:07|01:02:03",
                     kUmi + "|7|integer|2024-07-05 09:03:07|01:02:03"}));
  EXPECT_TRUE(sink.messages().empty());
}

// One box after the commit, with the last failure; the others are kept.
TEST_F(ItemCommandsTest, FailedResetsAreReportedOnceAfterTheCommit) {
  run("UPDATE main_table SET boot_count=7;");
  lock("main_table", "UPDATE", "old.file_name", kUmi);
  EXPECT_FALSE(resetBootInfo(dbPath(), {kHoshi, kUmi, kKiri}, sink));
  EXPECT_EQ(boxes(), Strings{"DBエラー|いくつかの起動情報リセットに失敗しました。\nlocked"});
  EXPECT_EQ(rows("SELECT boot_count FROM main_table WHERE ply<2 ORDER BY file_name;"),
            (Strings{"0", "0", "7"}));
}

TEST_F(ItemCommandsTest, EmulatorChoiceIsRemovedAndFailuresReported) {
  run("INSERT INTO use_emuset_table VALUES ('C:\\roms\\hoshi.nes', 'a'), ('C:\\roms\\umi.sfc', 'b'), "
      "('C:\\roms\\kiri_1.d88', 'c');");
  EXPECT_TRUE(releaseEmulatorChoice(dbPath(), {kHoshi}, sink));
  EXPECT_EQ(rows("SELECT pfile_ue FROM use_emuset_table ORDER BY pfile_ue;"), (Strings{kKiri, kUmi}));
  EXPECT_TRUE(sink.messages().empty());

  lock("use_emuset_table", "DELETE", "old.pfile_ue", kUmi);
  EXPECT_FALSE(releaseEmulatorChoice(dbPath(), {kUmi, kKiri}, sink));
  EXPECT_EQ(boxes(), Strings{"DBエラー|いくつかの個別エミュレータ設定の解除に失敗しました。\nlocked"});
  EXPECT_EQ(rows("SELECT pfile_ue FROM use_emuset_table;"), Strings{kUmi});
}

// The names the copy may get in the next few seconds.
Strings nearBackupNames() {
  Strings names;
  const std::time_t now = std::time(nullptr);
  for (int s = 0; s < 3; ++s) {
    std::time_t at = now + s;
    const std::tm t = *std::localtime(&at);
    char name[80];
    std::snprintf(name, sizeof name, "Quillmoor_%d-%02d-%02d_%02d-%02d-%02dBUP_DBver8.db", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    names.push_back(name);
  }
  return names;
}

TEST_F(ItemCommandsTest, BackupAsksThenCopiesBesideTheLibrary) {
  sink.setAnswer(MessageAnswer::Cancel);
  runLibraryBackup(dbPath(), sink);
  for (const std::string& name : qm::test::listFolder(folder.path())) EXPECT_NE(name.rfind("Quillmoor_", 0), 0u);
  ASSERT_EQ(boxes(), Strings{"データベースのバックアップ|データベースファイル Quillmoor.db を、\nQuillmoor_[日付_時刻]"
                             "BUP_DBverX.db にバックアップします。"});

  sink.clear();
  sink.setAnswer(MessageAnswer::Ok);
  runLibraryBackup(dbPath(), sink);
  Strings made;
  for (const std::string& name : qm::test::listFolder(folder.path()))
    if (name.rfind("Quillmoor_", 0) == 0) made.push_back(name);
  ASSERT_EQ(made.size(), 1u);
  const Strings near = nearBackupNames();
  EXPECT_TRUE(made[0] == near[0] || made[0] == near[1]) << made[0];
  EXPECT_EQ(qm::test::readFile(folder.file(made[0])), qm::test::readFile(dbPath()));
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sjisToUtf8(sink.messages()[1].text), "バックアップしました。\n" + sjisToUtf8(folder.file(made[0])));
}

TEST_F(ItemCommandsTest, FailedBackupCopyIsReported) {
  // A folder under every name the copy could take: the copy cannot be made.
  for (const std::string& name : nearBackupNames()) platform::createFolder(folder.file(name));
  dblib::Backup backup = backupLibrary(dbPath(), sink);
  EXPECT_FALSE(backup.ok());
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(boxes()[0], "データベースのバックアップ|データベースファイルをバックアップできませんでした。\n" +
                            sjisToUtf8(backup.path));
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Error);

  sink.clear();
  EXPECT_FALSE(backupLibrary(folder.file("absent.db"), sink).ok());
  EXPECT_EQ(boxes(), Strings{"データベースのバックアップ|データベースファイルが見つかりません。\n" +
                             sjisToUtf8(folder.file("absent.db"))});
}

}  // namespace
}  // namespace qm::shell
