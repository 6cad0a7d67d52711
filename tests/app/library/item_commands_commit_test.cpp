// The small commands' transactions: a failed BEGIN, a statement that rolls
// the whole transaction back (a trigger's RAISE(ROLLBACK)), and a COMMIT that
// fails; each reported once, the library left as a whole transaction leaves it.
#include <gtest/gtest.h>

#include "app/library/item_commands.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"
#include "tests/app/library/fixture_keys.h"
#include "tests/support/lock_wait.h"

namespace qm::shell {
namespace {

using text::sjisToUtf8;
using Strings = std::vector<std::string>;

using test::kHoshi;
using test::kKiri;
using test::kUmi;

// The three commands on hoshi, umi and kiri.
enum class Command { Favourite, BootReset, EmulatorChoice };

class ItemCommandsCommitTest : public search::test::LibraryTest {
protected:
  Strings column(const std::string& sql) {
    db::DbConnection db;
    db.open(dbPath());
    EXPECT_FALSE(db.execute(sql));
    Strings out;
    for (int r = 1; r <= db.rowCount(); ++r) out.push_back(sjisToUtf8(db.cell(r, 0)));
    return out;
  }
  Strings boxes() const {
    Strings out;
    for (const auto& m : sink.messages()) out.push_back(sjisToUtf8(m.caption) + "|" + sjisToUtf8(m.text));
    return out;
  }
  // The statement on `key` rolls back everything done before it in the transaction.
  void undoAt(const std::string& table, const std::string& event, const std::string& column, const std::string& key) {
    run("CREATE TRIGGER undo_" + table + " BEFORE " + event + " ON " + table + " WHEN " + column + "=" +
        db::sqlText(key) + " BEGIN SELECT RAISE(ROLLBACK, 'undone'); END;");
  }
  bool runCommand(Command command) {
    const Strings keys{kHoshi, kUmi, kKiri};
    switch (command) {
      case Command::Favourite:
        return changeFavourite(dbPath(), 5, FavouriteMode::Add, {{kHoshi, "13"}, {kUmi, ""}, {kKiri, ""}}, sink)
            .committed;
      case Command::BootReset: return resetBootInfo(dbPath(), keys, sink);
      case Command::EmulatorChoice: return releaseEmulatorChoice(dbPath(), keys, sink);
    }
    return false;
  }
  // What each command changes, read back: unchanged means {"13"}, {"7", "7", "7"}, {3 rows}.
  Strings state(Command command) {
    switch (command) {
      case Command::Favourite: return column("SELECT fave FROM favorite_table ORDER BY pfile_fv;");
      case Command::BootReset: return column("SELECT boot_count FROM main_table WHERE ply<2 ORDER BY file_name;");
      case Command::EmulatorChoice: return column("SELECT pfile_ue FROM use_emuset_table ORDER BY pfile_ue;");
    }
    return {};
  }
  void SetUp() override {
    LibraryTest::SetUp();
    run("UPDATE main_table SET boot_count=7;");
    run("INSERT INTO use_emuset_table VALUES ('C:\\roms\\hoshi.nes', 'a'), ('C:\\roms\\umi.sfc', 'b'), "
        "('C:\\roms\\kiri_1.d88', 'c');");
  }
};

struct Case {
  const char* name;
  Command command;
  const char* table;
  const char* event;
  const char* column;
  const char* message;
};
const Case kCases[] = {
    {"favourites", Command::Favourite, "favorite_table", "INSERT", "new.pfile_fv",
     "お気に入りテーブルを更新できませんでした。\n"},
    {"boot reset", Command::BootReset, "main_table", "UPDATE", "old.file_name",
     "いくつかの起動情報リセットに失敗しました。\n"},
    {"emulator choice", Command::EmulatorChoice, "use_emuset_table", "DELETE",
     "old.pfile_ue", "いくつかの個別エミュレータ設定の解除に失敗しました。\n"},
};

// The walk stops at the statement that took the transaction with it: the
// item after it is not written on its own outside a transaction.
TEST_F(ItemCommandsCommitTest, AStatementRollingBackStopsTheWalk) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    sink.clear();
    const Strings before = state(c.command);
    undoAt(c.table, c.event, c.column, kUmi);
    EXPECT_FALSE(runCommand(c.command));
    EXPECT_EQ(boxes(), Strings{"DBエラー|" + std::string(c.message) + "undone"});
    EXPECT_EQ(state(c.command), before);
    run(std::string("DROP TRIGGER undo_") + c.table + ";");
  }
}

// Another connection reading: the writes go through, the COMMIT cannot (it
// waits out the busy timeout), and is rolled back and reported.
TEST_F(ItemCommandsCommitTest, AFailedCommitIsRolledBackAndReported) {
  const qm::test::ShortLockWait shortWait(300);
  const Strings before = state(Command::Favourite);
  db::DbConnection reader;
  reader.open(dbPath());
  ASSERT_FALSE(reader.execute("BEGIN;"));
  ASSERT_FALSE(reader.execute("SELECT COUNT(*) FROM favorite_table;"));
  EXPECT_FALSE(runCommand(Command::Favourite));
  EXPECT_EQ(boxes(), Strings{"DBエラー|お気に入りテーブルを更新できませんでした。\ndatabase is locked\n"
                             "他の処理がライブラリを使っています（1 秒待ちましたが終わりませんでした）。"});
  ASSERT_FALSE(reader.execute("ROLLBACK;"));
  EXPECT_EQ(state(Command::Favourite), before);
  // Once the reader is gone, the same command goes through.
  sink.clear();
  EXPECT_TRUE(runCommand(Command::Favourite));
  EXPECT_EQ(state(Command::Favourite), (Strings{"135", "5", "5"}));
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
}  // namespace qm::shell
