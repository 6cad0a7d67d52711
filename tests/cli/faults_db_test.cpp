// quillmoor-cli against a library under pressure: another writer holding its
// lock, several commands writing at once, edits that would break a set, runs
// whose rows fail, and a library file without its tables. Each case checks the
// exit code, the message and what the library holds afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/library_cli.h"
#include "tests/support/hostile_conditions.h"

namespace {

using qm::test::CliRun;

bool has(const CliRun& run, const std::string& text) { return run.output.find(text) != std::string::npos; }

// ---- Writers wait for each other -------------------------------------------

class WritersWaitTest : public qm::test::LibraryCliTest {
protected:
  // A folder of `count` small images.
  std::string images(const std::string& name, int count) {
    const std::string path = folder + "/" + name;
    std::filesystem::create_directories(path);
    for (int i = 0; i < count; ++i) std::ofstream(path + "/" + std::to_string(i) + ".d88") << name << i;
    return path;
  }
  std::string count() { return query("SELECT count(*) FROM main_table;"); }
};

TEST_F(WritersWaitTest, ARegistrationWaitsForAWriterThatLetsGo) {
  const std::string roms = images("roms", 3);
  qm::test::LibraryWriteLock lock(db);
  ASSERT_TRUE(lock.held());
  lock.releaseAfter(1000);
  const CliRun run = cli("register --machine MSX '" + roms + "'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(count(), "3\n");
}

// Past the wait every writing command stops with SQLite's reason and ours,
// exits 1 and leaves nothing half-written.
TEST_F(WritersWaitTest, ALockHeldPastTheWaitFailsClearlyAndWritesNothing) {
  const std::string roms = images("roms", 3);
  ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES "
                "('k','k','.d88','MSX','before');"), 0);
  qm::test::LibraryWriteLock lock(db);
  ASSERT_TRUE(lock.held());
  for (const std::string& command : {"register --machine MSX '" + roms + "'", std::string("edit k title=after"),
                                    std::string("readings"), std::string("bulk --yes --field maker --value M k")}) {
    const CliRun run = qm::test::runQuillmoorCli(command + " --db '" + db + "'", "QM_LOCK_WAIT_MS=300 ");
    EXPECT_EQ(run.exitCode, 1) << command << "\n" << run.output;
    EXPECT_TRUE(has(run, "database is locked\n他の処理がライブラリを使っています（1 秒待ちましたが終わりませんでした）。"))
        << command << "\n" << run.output;
  }
  EXPECT_EQ(query("SELECT file_name, title, maker, kana FROM main_table;"), "k|before||\n");
}

// Registrations and record edits started together, as the shell starts them:
// each waits its turn, none fails.
TEST_F(WritersWaitTest, CommandsWritingAtOnceAllSucceed) {
  std::string script;
  for (int i = 0; i < 6; ++i) {
    const std::string roms = images("roms" + std::to_string(i), 40);
    ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES ('e" +
                  std::to_string(i) + "','e','.d88','MSX','e');"), 0);
    const std::string rc = "'" + folder + "/rc" + std::to_string(i);
    script += "(./quillmoor-cli register --crc32 --machine M" + std::to_string(i) + " '" + roms + "' --db '" + db +
              "' >/dev/null 2>&1; echo $? >" + rc + "r') & ";
    script += "(./quillmoor-cli edit e" + std::to_string(i) + " title=t" + std::to_string(i) + " --db '" + db +
              "' >/dev/null 2>&1; echo $? >" + rc + "e') & ";
  }
  ASSERT_EQ(std::system(("bash -c \"" + script + "wait\"").c_str()), 0);
  for (int i = 0; i < 6; ++i) {
    for (const char* kind : {"r", "e"}) {
      std::ifstream in(folder + "/rc" + std::to_string(i) + kind);
      std::string code;
      in >> code;
      EXPECT_EQ(code, "0") << kind << i;
    }
  }
  EXPECT_EQ(count(), "246\n");
  EXPECT_EQ(query("SELECT count(*) FROM main_table WHERE title LIKE 't_';"), "6\n");
}

// ---- Set integrity in the record editor ------------------------------------

// A set p (disks p, c2, c3), a single s, a favourite of the set and an alter
// ego of each disk.
class SetIntegrityTest : public qm::test::LibraryCliTest {
protected:
  SetIntegrityTest() {
    EXPECT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,ply,ply_file_name) VALUES "
                  "('p','p','.d88','MSX','set',1,''),('c2','c2','.d88','MSX','set',2,'p'),"
                  "('c3','c3','.d88','MSX','set',3,'p'),('s','s','.d88','MSX','single',0,'');"
                  "INSERT INTO favorite_table(pfile_fv,fave) VALUES ('p','1');"
                  "INSERT INTO alter_ego_table(pfile_ae,ae_file,alter_ego,ply_pfile_ae) VALUES "
                  "('p','/ae/p','1',''),('c2','/ae/c2','2','p'),('c3','/ae/c3','3','p');"),
              0);
  }
  std::string state() {
    return query("SELECT file_name, ply, ply_file_name, title FROM main_table ORDER BY 1;"
                 "SELECT * FROM favorite_table; SELECT pfile_ae, alter_ego, ply_pfile_ae FROM alter_ego_table "
                 "ORDER BY 1;");
  }
};

TEST_F(SetIntegrityTest, OnlyAReorderingOfTheSetsOwnImagesIsSaved) {
  const std::string before = state();
  for (const char* set : {"p|c2|s", "p|c2", "p|c2|c3|c2", "p|c2|c2", "p|c2|c3|x", ""}) {
    const CliRun run = cli(std::string("edit p title=changed 'set=") + set + "'");
    EXPECT_EQ(run.exitCode, 1) << set << "\n" << run.output;
    EXPECT_TRUE(has(run, "セットのイメージは並べ替えだけができます（追加・削除・重複はできません）。")) << set << run.output;
    EXPECT_EQ(state(), before) << set;
  }
  // A single image takes no other into a set here.
  EXPECT_EQ(cli("edit s 'set=s|p'").exitCode, 1);
  EXPECT_EQ(state(), before);
}

TEST_F(SetIntegrityTest, ANewParentTakesTheFavouriteAndTheAlterEgosAlong) {
  const CliRun reordered = cli("edit p 'set=p|c3|c2'");
  EXPECT_EQ(reordered.exitCode, 0) << reordered.output;
  EXPECT_EQ(state(), "c2|3|p|set\nc3|2|p|set\np|1||set\ns|0||single\n"
                     "p|1\n"
                     "c2|3|p\nc3|2|p\np|1|\n");
  const CliRun moved = cli("edit p 'set=c2|p|c3'");
  EXPECT_EQ(moved.exitCode, 0) << moved.output;
  EXPECT_EQ(state(), "c2|1||set\nc3|3|c2|set\np|2|c2|set\ns|0||single\n"
                     "c2|1\n"
                     "c2|1|\nc3|3|c2\np|2|c2\n");
}

TEST_F(SetIntegrityTest, AKeyReplacementLeavingAnEmptyKeyIsRefused) {
  const std::string before = state();
  const CliRun run = cli("replace --column file_name c2 ''");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_TRUE(has(run, "置換後のキーが空になります：\nc2")) << run.output;
  EXPECT_EQ(state(), before);
}

// ---- Honest exit codes and messages ----------------------------------------

class ExitCodeTest : public qm::test::LibraryCliTest {};

TEST_F(ExitCodeTest, RunsWithFailedRowsExitNonZero) {
  ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES "
                "('a','a','.d88','MSX','Alpha'),('b','b','.d88','MSX','Beta');"
                "CREATE TRIGGER refuse BEFORE UPDATE ON main_table WHEN old.file_name='b' "
                "BEGIN SELECT RAISE(ABORT,'refused'); END;"),
            0);
  for (const char* command : {"readings", "smart-titles"}) {
    const CliRun run = cli(command);
    EXPECT_EQ(run.exitCode, 1) << command << "\n" << run.output;
    EXPECT_TRUE(has(run, "rows: 2, done: 2, failed: 1\n")) << run.output;
  }
}

TEST_F(ExitCodeTest, RegisteringAPathThatDoesNotExistFails) {
  const std::string missing = folder + "/no such folder";
  const CliRun run = cli("register --machine MSX '" + missing + "'");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_TRUE(has(run, "error: no such file or folder: " + missing + "\n")) << run.output;
}

// A zero-byte file is no library: no command makes anything in it, and create
// makes the library there even after they ran.
TEST_F(ExitCodeTest, AnEmptyFileGetsNoViewAndCreateMakesTheLibrary) {
  const std::string empty = folder + "/Empty.db";
  std::ofstream(empty).close();
  for (const char* command : {"readings", "smart-titles", "remove-missing", "list", "info"}) {
    const CliRun run = qm::test::runQuillmoorCli(std::string(command) + " --db '" + empty + "'");
    EXPECT_NE(run.exitCode, 0) << command << "\n" << run.output;
    EXPECT_EQ(std::filesystem::file_size(empty), 0u) << command;
  }
  // Touched all the same (vacuum writes a header), and given the view as an
  // older build did: still no library, and create makes it.
  EXPECT_EQ(qm::test::runQuillmoorCli("vacuum --db '" + empty + "'").exitCode, 0);
  ASSERT_EQ(std::system(("sqlite3 '" + empty + "' \"CREATE VIEW list_view AS SELECT title FROM main_table;\"").c_str()),
            0);
  const CliRun created = qm::test::runQuillmoorCli("create --db '" + empty + "'");
  EXPECT_EQ(created.exitCode, 0) << created.output;
  EXPECT_TRUE(has(created, "created " + empty)) << created.output;
  EXPECT_EQ(qm::test::runQuillmoorCli("list --db '" + empty + "'").exitCode, 0);
}

}  // namespace
