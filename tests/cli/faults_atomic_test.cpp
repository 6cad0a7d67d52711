// Files the command-line tool creates or replaces, under real faults: a full
// disk (a file-size limit), a damaged member, a member named like its own
// archive, an export aimed at the library, device names. Whatever fails, the
// user's files are as they were and the exit code says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/text/encoding.h"
#include "tests/app/renamedata/stored_zip.h"
#include "tests/cli/library_cli.h"
#include "tests/support/file_bytes.h"
#include "tests/support/hostile_conditions.h"

namespace {

namespace fs = std::filesystem;
using qm::test::CliRun;
using qm::test::readFile;
using qm::test::sameBytes;
using qm::test::writeFile;

class AtomicWriteFaults : public qm::test::LibraryCliTest {
protected:
  // Paths for the file helpers are program text; the shell takes UTF-8.
  std::string path(const std::string& name) const { return temp.file(name); }
  std::string arg(const std::string& name) const { return "'" + folder + "/" + name + "'"; }
  CliRun limited(const std::string& arguments, std::size_t bytes) {
    return qm::test::runQuillmoorCli(arguments + " --db '" + db + "'", qm::test::fileSizeLimitPrefix(bytes));
  }
  void fillLibrary(int rows) {
    ASSERT_EQ(sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" + std::to_string(rows) +
                  ") INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) "
                  "SELECT 'key'||i,'t'||i,'d88','MSX','a title long enough to fill the file '||i FROM n;"),
              0);
  }
  std::vector<std::string> names() const { return qm::test::listFolder(temp.path()); }
};

TEST_F(AtomicWriteFaults, ExportOnAFullDiskKeepsTheOldCsv) {
  fillLibrary(2000);
  const std::string old = "old,export\r\n" + std::string(3000, 'x');
  ASSERT_TRUE(writeFile(path("out.csv"), old));
  const CliRun run = limited("export-csv " + arg("out.csv"), 16384);
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find(qm::text::sjisToUtf8(qm::text::sjis("[ERROR] CSVファイルに書き込めませんでした。"))),
            std::string::npos)
      << run.output;
  EXPECT_TRUE(sameBytes(readFile(path("out.csv")), old));
  EXPECT_EQ(names(), (std::vector<std::string>{"Quillmoor.db", "out.csv"}));
}

TEST_F(AtomicWriteFaults, ExportOntoTheLibraryIsRefused) {
  fillLibrary(3);
  const auto library = readFile(path("Quillmoor.db"));
  for (const std::string& target : {db, folder + "/./Quillmoor.db", folder + "/../" +
                                                                     fs::path(folder).filename().string() +
                                                                     "/Quillmoor.db"}) {
    const CliRun run = cli("export-csv '" + target + "'");
    EXPECT_EQ(run.exitCode, 1) << target;
    EXPECT_NE(run.output.find(qm::text::sjisToUtf8(qm::text::sjis("書き出し先がライブラリファイルです。"))),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(sameBytes(readFile(path("Quillmoor.db")), library));
  }
  fs::create_symlink(db, folder + "/link.csv");
  EXPECT_EQ(cli("export-csv " + arg("link.csv")).exitCode, 1);
  EXPECT_TRUE(sameBytes(readFile(path("Quillmoor.db")), library));
}

// corrupt.zip's bad.bin fails its data check half way.
TEST_F(AtomicWriteFaults, ADamagedMemberLeavesTheFileOfItsNameWhole) {
  if (!fs::exists(std::string(QM_ARCHIVE_FIXTURES) + "/manifest.txt")) GTEST_SKIP() << "no archive fixtures";
  const std::string mine = "the user's own bad.bin";
  ASSERT_TRUE(writeFile(path("bad.bin"), mine));
  const CliRun run =
      qm::test::runQuillmoorCli("archive-extract '" + std::string(QM_ARCHIVE_FIXTURES) + "/corrupt.zip' bad.bin '" +
                                folder + "'");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_TRUE(sameBytes(readFile(path("bad.bin")), mine));
  EXPECT_EQ(names(), (std::vector<std::string>{"Quillmoor.db", "bad.bin"}));
}

TEST_F(AtomicWriteFaults, AMemberOnAFullDiskLeavesTheFileOfItsNameWhole) {
  ASSERT_TRUE(writeFile(path("game.zip"), qm::test::storedZip({{"game.d88", std::string(40000, 'g')}})));
  ASSERT_TRUE(writeFile(path("game.d88"), "kept"));
  const CliRun run = qm::test::runQuillmoorCli("archive-extract " + arg("game.zip") + " game.d88 '" + folder + "'",
                                               qm::test::fileSizeLimitPrefix(8192));
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_TRUE(sameBytes(readFile(path("game.d88")), "kept"));
  EXPECT_EQ(names(), (std::vector<std::string>{"Quillmoor.db", "game.d88", "game.zip"}));
}

TEST_F(AtomicWriteFaults, AMemberNamedLikeItsArchiveLeavesTheArchive) {
  const std::string zip = qm::test::storedZip({{"self.zip", "not the archive"}});
  ASSERT_TRUE(writeFile(path("self.zip"), zip));
  const CliRun run = qm::test::runQuillmoorCli("archive-extract " + arg("self.zip") + " self.zip '" + folder + "'");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_EQ(run.output, "error: " + folder + "/self.zip: is the archive being read\n");
  EXPECT_TRUE(sameBytes(readFile(path("self.zip")), zip));
}

TEST_F(AtomicWriteFaults, DeviceNamesAreNeverExtracted) {
  const std::vector<std::string> devices = {"CON", "nul.txt", "sub/Aux.d88", "com1", "LPT9.x.y", "clock$",
                                            "Config$.ini", "prn .txt", "CON. "};
  qm::test::ZipMembers members;
  for (const std::string& name : devices) members.push_back({name, "device"});
  members.push_back({"console.txt", "a plain file"});
  ASSERT_TRUE(writeFile(path("devices.zip"), qm::test::storedZip(members)));
  for (const std::string& name : devices) {
    const CliRun run = qm::test::runQuillmoorCli("archive-extract " + arg("devices.zip") + " '" + name + "' '" +
                                                 folder + "'");
    EXPECT_EQ(run.exitCode, 1) << name;
    EXPECT_EQ(run.output, "error: " + folder + "/devices.zip: device name as member name " + name + "\n");
  }
  EXPECT_EQ(qm::test::runQuillmoorCli("archive-extract " + arg("devices.zip") + " console.txt '" + folder + "'").exitCode,
            0);
  EXPECT_EQ(names(), (std::vector<std::string>{"Quillmoor.db", "console.txt", "devices.zip"}));
}

}  // namespace
