// Runs that compute from image files meet files that exist but cannot be read,
// and archives whose members do not unpack: the library keeps what it holds,
// the run fails, and its output names the file and why.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/library_cli.h"
#include "tests/support/hostile_conditions.h"

namespace {

namespace fs = std::filesystem;
using qm::test::CliRun;

bool contains(const CliRun& run, const std::string& text) { return run.output.find(text) != std::string::npos; }

class UnreadableCliTest : public qm::test::LibraryCliTest {
protected:
  // Before anything is made unreadable, which sharing would undo.
  UnreadableCliTest() { qm::test::shareWithOtherUser(temp.path()); }
  // The C locale keeps the system's error texts in English.
  CliRun run(const std::string& arguments, const std::string& prefix = "") {
    return qm::test::runQuillmoorCli(arguments + " --db '" + db + "'", "LC_ALL=C " + prefix);
  }
  // As a user the unreadable files really refuse (see hostile_conditions.h).
  CliRun runAsOtherUser(const std::string& arguments) { return run(arguments, qm::test::otherUserPrefix()); }
  void addRow(const std::string& key, const std::string& crc32 = "11111111", const std::string& crc16 = "2222") {
    ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,crc32,crc) VALUES('" + key +
                  "','t','bin','MSX','T','" + crc32 + "','" + crc16 + "');"),
              0);
  }
  std::string crcsOf(const std::string& key) {
    return query("SELECT crc32||'/'||crc FROM main_table WHERE file_name='" + key + "';");
  }
  std::string file(const std::string& name, const std::string& bytes = "123456789") {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    return folder + "/" + name;
  }
  // A copy of an archive the fixture script made, in this test's folder.
  std::string fixture(const std::string& name) {
    const std::string from = std::string(QM_ARCHIVE_FIXTURES) + "/" + name;
    if (!fs::exists(from)) return {};
    fs::copy_file(from, folder + "/" + name);
    return folder + "/" + name;
  }
};

// Rule: unreadable is not empty.

TEST_F(UnreadableCliTest, RecomputationKeepsTheCrcsOfFilesItCannotRead) {
  const std::string denied = file("denied.bin"), readable = file("readable.bin");
  const std::string folderAtPath = folder + "/folder.d88";
  fs::create_directory(folderAtPath);
  for (const std::string& key : {denied, readable, folderAtPath}) addRow(key);
  ASSERT_TRUE(qm::test::makeUnreadable(denied));
  const CliRun recomputed = runAsOtherUser("recompute-crc --machine MSX --crc32 --crc16");
  EXPECT_EQ(recomputed.exitCode, 1) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "rows: 3, updated: 1, skipped: 0, failed: 2")) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "失敗：" + denied + " （Permission denied）")) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "失敗：" + folderAtPath + " （Is a directory）")) << recomputed.output;
  EXPECT_EQ(crcsOf(denied), "11111111/2222\n");
  EXPECT_EQ(crcsOf(folderAtPath), "11111111/2222\n");
  EXPECT_EQ(crcsOf(readable), "CBF43926/6F91\n");
}

TEST_F(UnreadableCliTest, RegistrationStoresNoRowForAFileItCannotRead) {
  fs::create_directory(folder + "/roms");
  const std::string known = file("roms/known.d88"), fresh = file("roms/new.d88"), readable = file("roms/ok.d88");
  addRow(known);
  ASSERT_TRUE(qm::test::makeUnreadable(known));
  ASSERT_TRUE(qm::test::makeUnreadable(fresh));
  const CliRun registered = runAsOtherUser("register --machine MSX --crc32 --overwrite '" + folder + "/roms'");
  EXPECT_EQ(registered.exitCode, 1) << registered.output;
  for (const std::string& path : {known, fresh})
    EXPECT_TRUE(contains(registered, "[CRC32 calc error] " + path + ": Permission denied")) << registered.output;
  EXPECT_EQ(crcsOf(known), "11111111/2222\n");
  EXPECT_EQ(query("SELECT COUNT(*) FROM main_table WHERE file_name='" + fresh + "';"), "0\n");
  EXPECT_EQ(crcsOf(readable), "CBF43926/\n");
}

TEST_F(UnreadableCliTest, AFileThatCannotBeReadIsNotMissing) {
  fs::create_directory(folder + "/locked");
  const std::string denied = file("denied.d88"), behindLock = file("locked/inside.d88");
  for (const std::string& key : {denied, behindLock}) addRow(key);
  ASSERT_TRUE(qm::test::makeUnreadable(denied));
  ASSERT_TRUE(qm::test::makeUnreadable(folder + "/locked"));
  const CliRun removed = runAsOtherUser("remove-missing --machine MSX");
  EXPECT_TRUE(contains(removed, "スキップ：" + behindLock + " （Permission denied）")) << removed.output;
  EXPECT_EQ(query("SELECT COUNT(*) FROM main_table;"), "2\n");
}

TEST_F(UnreadableCliTest, SyncKeepsTheCrcsOfAChangedFileItCannotRead) {
  ASSERT_EQ(sql("INSERT INTO machine_info_table(machine,machine_num,search_ext) VALUES('MSX',1,'.d88');"), 0);
  fs::create_directory(folder + "/roms");
  const std::string changed = file("roms/changed.d88"), other = file("roms/other.d88", "abc");
  ASSERT_EQ(run("sync --machine MSX --crc32 '" + folder + "/roms'").exitCode, 0);
  file("roms/changed.d88", "123456789 and more");
  ASSERT_TRUE(qm::test::makeUnreadable(changed));
  const CliRun synced = runAsOtherUser("sync --machine MSX --crc32 '" + folder + "/roms'");
  EXPECT_EQ(synced.exitCode, 1) << synced.output;
  EXPECT_TRUE(contains(synced, "読めないファイル：" + changed + " （Permission denied）")) << synced.output;
  EXPECT_EQ(crcsOf(changed), "CBF43926/\n");
  // Its old stamp stays, so that the next sync reads it again.
  EXPECT_EQ(query("SELECT size FROM seen_file_table WHERE pfile_sn='" + changed + "';"), "9\n");
  EXPECT_EQ(crcsOf(other), "352441C2/\n");
}

// Damaged members are reported.

TEST_F(UnreadableCliTest, AMemberWhoseDataFailsToUnpackDamagesItsArchive) {
  const std::string zip = fixture("corrupt.zip"), rar = fixture("corrupt-stored.rar");
  if (zip.empty() || rar.empty()) GTEST_SKIP() << "no archive fixtures: run tools/archive-fixtures.py";
  ASSERT_EQ(sql("INSERT INTO machine_info_table(machine,machine_num,search_ext) VALUES('MSX',1,'.bin;.d88');"), 0);
  // CRC16 needs every member's bytes, which the zip's stated CRC-32s would spare.
  const CliRun registered = run("register --machine MSX --archives --crc32 --crc16 '" + folder + "'");
  EXPECT_EQ(registered.exitCode, 1) << registered.output;
  EXPECT_TRUE(contains(registered, "壊れた書庫：" + zip + " （" + zip + ": ")) << registered.output;
  EXPECT_TRUE(contains(registered, "壊れた書庫：" + rar + " （" + rar + ": bad.d88: CRC error")) << registered.output;
  EXPECT_TRUE(contains(registered, "（壊れた書庫 2 件：ログを参照して下さい）")) << registered.output;
  // The damaged members are left out; the sound ones beside them are stored.
  EXPECT_EQ(query("SELECT file_arc_title||'.'||file_arc_ext FROM main_table ORDER BY file_name;"),
            "good.d88\ngood.bin\n");
  EXPECT_EQ(query("SELECT crc32 FROM main_table WHERE file_name='" + rar + "*good.d88';"), "14C311D1\n");

  for (const std::string& key : {zip + "*bad.bin", rar + "*bad.d88"}) addRow(key);
  const CliRun recomputed = run("recompute-crc --machine MSX --crc32 --crc16");
  EXPECT_EQ(recomputed.exitCode, 1) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "rows: 4, updated: 2, skipped: 0, failed: 2")) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "失敗：" + rar + "*bad.d88 （" + rar + ": bad.d88: CRC error")) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "失敗：" + zip + "*bad.bin （" + zip + ": ")) << recomputed.output;
  EXPECT_EQ(crcsOf(rar + "*bad.d88"), "11111111/2222\n");
  EXPECT_EQ(crcsOf(zip + "*bad.bin"), "11111111/2222\n");
}

TEST_F(UnreadableCliTest, MembersPastTheEndOfATruncatedArchiveAreFailuresNotAbsences) {
  const std::string zip = fixture("truncated.zip");
  if (zip.empty()) GTEST_SKIP() << "no archive fixtures: run tools/archive-fixtures.py";
  addRow(zip + "*readme.txt");
  const CliRun recomputed = run("recompute-crc --machine MSX --crc16");
  EXPECT_EQ(recomputed.exitCode, 1) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "rows: 1, updated: 0, skipped: 0, failed: 1")) << recomputed.output;
  EXPECT_TRUE(contains(recomputed, "失敗：" + zip + "*readme.txt （" + zip + ": ")) << recomputed.output;
  EXPECT_EQ(crcsOf(zip + "*readme.txt"), "11111111/2222\n");
}

TEST_F(UnreadableCliTest, ExtractingAMemberWhoseCrcFailsFails) {
  const std::string rar = fixture("corrupt-stored.rar");
  if (rar.empty()) GTEST_SKIP() << "no archive fixtures: run tools/archive-fixtures.py";
  fs::create_directory(folder + "/out");
  const CliRun bad = qm::test::runQuillmoorCli("archive-extract '" + rar + "' bad.d88 '" + folder + "/out'");
  EXPECT_EQ(bad.exitCode, 1) << bad.output;
  EXPECT_TRUE(contains(bad, rar + ": bad.d88: CRC error")) << bad.output;
  const CliRun good = qm::test::runQuillmoorCli("archive-extract '" + rar + "' good.d88 '" + folder + "/out'");
  EXPECT_EQ(good.exitCode, 0) << good.output;
  EXPECT_EQ(fs::file_size(folder + "/out/good.d88"), 3000u);
}

}  // namespace
