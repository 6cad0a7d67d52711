#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/launch/extract_cleanup.h"
#include "app/launch/image_list.h"
#include "app/launch/image_preparation.h"
#include "app/launch/play_time.h"
#include "common/platform/files.h"
#include "tests/app/launch/launch_fixture.h"
#include "tests/support/file_bytes.h"

namespace qm::launch::test {
namespace {

using platform::joinPath;

ImageRow archived(const std::string& archive, const std::string& title, const std::string& ext) {
  return {archive + "*" + title + "." + ext, title, ext, "set", "zip"};
}

ImageRow plain(const std::string& folder, const std::string& title, const std::string& ext) {
  return {joinPath(folder, title + "." + ext), "", "", title, ext};
}

TEST(BuildImageList, EntriesByHandOverModeChosenImageAndRenames) {
  const std::string x = joinPath("X:", "tmp");
  const std::string zip = joinPath("R:", "set.zip");
  const std::vector<ImageRow> set = {archived(zip, "d 1", "d88"), archived(zip, "d 2", "d88"),
                                     plain("R:", "d3", "d88")};
  struct Case {
    int handOver;
    int chosen;
    bool rename;
    int renameMode;
    bool quote;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {1, 0, false, 0, false, {joinPath(x, "d 1.d88"), joinPath(x, "d 1.d88"), joinPath(x, "d 2.d88"), joinPath("R:", "d3.d88")}},
      {1, 3, false, 0, false, {joinPath("R:", "d3.d88"), joinPath(x, "d 1.d88"), joinPath(x, "d 2.d88"), joinPath("R:", "d3.d88")}},
      {1, 7, false, 0, false, {joinPath(x, "d 1.d88"), joinPath(x, "d 1.d88"), joinPath(x, "d 2.d88"), joinPath("R:", "d3.d88")}},
      {0, 2, false, 0, true, {"\"" + zip + "\"", "\"" + zip + "\"", "\"" + zip + "\"", "\"" + joinPath("R:", "d3.d88") + "\""}},
      {2, 0, true, 1, false, {joinPath(x, "d_1.d88"), joinPath(x, "d_1.d88"), joinPath(x, "d_2.d88"), joinPath(x, "d3.d88")}},
      {2, 2, true, 2, false, {joinPath(x, "00000002.d88"), joinPath(x, "00000001.d88"), joinPath(x, "00000002.d88"), joinPath(x, "00000003.d88")}},
  };
  for (const Case& c : cases) {
    ImageListOptions options{c.handOver, c.rename, c.renameMode, c.quote, c.chosen, x};
    EXPECT_EQ(buildImageList(set, options), c.expected) << "mode " << c.handOver << " chosen " << c.chosen;
  }
  EXPECT_TRUE(buildImageList({}, {}).empty());
}

using ImageRowsTest = LaunchTest;

TEST_F(ImageRowsTest, SetsInPlyOrderAlterEgosAndTheLimit) {
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply, ply_file_name) VALUES "
      "('p', 'p', 'd88', 'M', 't', 1, ''), ('c3', 'c3', 'd88', 'M', 't', 3, 'p'), ('c2', 'c2', 'd88', 'M', 't', 2, 'p'),"
      "('s', 's', 'd88', 'M', 't', 0, '');"
      "INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego, ply_pfile_ae) VALUES ('p', 'A1', 1, ''), "
      "('c2', 'A2', 2, 'p');");
  LaunchItem parent;
  parent.fileName = "p";
  auto names = [](const std::optional<std::vector<ImageRow>>& rows) {
    std::vector<std::string> out;
    for (const ImageRow& row : rows.value_or(std::vector<ImageRow>{})) out.push_back(row.fileName);
    return out;
  };
  EXPECT_EQ(names(loadImageRows(dbPath(), parent, false, 3, sink)), (std::vector<std::string>{"p", "c2", "c3"}));
  EXPECT_EQ(names(loadImageRows(dbPath(), parent, false, 2, sink)), (std::vector<std::string>{"p", "c2"}));
  EXPECT_EQ(names(loadImageRows(dbPath(), parent, true, 3, sink)), (std::vector<std::string>{"A1", "A2"}));
  LaunchItem single;
  single.fileName = "s";
  EXPECT_EQ(names(loadImageRows(dbPath(), single, false, 0, sink)), (std::vector<std::string>{"s"}));
  EXPECT_TRUE(sink.messages().empty());
}

using PreparationTest = LaunchTest;

TEST_F(PreparationTest, ExtractsArchivedAndKeepsTheFirstFailure) {
  const std::string zip = makeZip("roms/set.zip", {{"d1.d88", "one"}, {"d2.d88", "two"}});
  const std::string x = makeFolder("x");
  ImageListOptions options{1, false, 0, false, 0, x};
  const std::string plainImage = makeFile("roms/d3.d88", "three");
  PreparationResult result =
      prepareImages({archived(zip, "d1", "d88"), archived(zip, "d2", "d88"), {plainImage, "", "", "d3", "d88"}},
                    options);
  EXPECT_TRUE(result.ok) << result.failure;
  EXPECT_TRUE(platform::fileExists(joinPath(x, "d1.d88")));
  EXPECT_TRUE(platform::fileExists(joinPath(x, "d2.d88")));
  EXPECT_FALSE(platform::fileExists(joinPath(x, "d3.d88"))) << "mode 1 leaves plain images where they are";
  result = prepareImages({archived(zip, "gone", "d88"), archived(zip, "d2", "d88")}, options);
  EXPECT_FALSE(result.ok) << "a member not found is an error, not hidden by the next success";
  EXPECT_FALSE(result.failure.empty());
}

// A copy left by an earlier launch is the emulator's image only while it is
// still the same file: an image changed since, or another folder's image of
// the same name, is copied afresh.
TEST_F(PreparationTest, CopyModeRefreshesACopyThatDiffersFromItsSource) {
  const std::string x = makeFolder("x");
  const std::string image = makeFile("roms/a.d88", "first");
  const std::string other = makeFile("other/a.d88", "other folder");
  ImageListOptions options{2, false, 0, false, 0, x};
  const std::string copy = joinPath(x, "a.d88");
  namespace fs = std::filesystem;
  fs::last_write_time(fs::path(image), fs::file_time_type::clock::now() - std::chrono::hours(24));
  ASSERT_TRUE(prepareImages({{image, "", "", "a", "d88"}}, options).ok);
  EXPECT_EQ(qm::test::readFile(copy), "first");
  makeFile("roms/a.d88", "third");  // the same size as the copy, a later time
  ASSERT_TRUE(prepareImages({{image, "", "", "a", "d88"}}, options).ok);
  EXPECT_EQ(qm::test::readFile(copy), "third");
  ASSERT_TRUE(prepareImages({{other, "", "", "a", "d88"}}, options).ok);
  EXPECT_EQ(qm::test::readFile(copy), "other folder") << "another folder's image of the same name";
  // Same size and time as its source: taken as the same file, not copied again.
  // Both times are set the same way, as some systems keep only whole seconds.
  makeFile("x/a.d88", "OTHER FOLDER");
  const auto when = std::chrono::time_point_cast<std::chrono::seconds>(fs::file_time_type::clock::now() -
                                                                       std::chrono::hours(48));
  fs::last_write_time(fs::path(copy), when);
  fs::last_write_time(fs::path(other), when);
  ASSERT_TRUE(prepareImages({{other, "", "", "a", "d88"}}, options).ok);
  EXPECT_EQ(qm::test::readFile(copy), "OTHER FOLDER");
}

TEST_F(PreparationTest, RenamesArePutBackWhenTheJournalGoes) {
  const std::string x = makeFolder("x");
  const std::string image = makeFile("roms/a b.d88", "a");
  ImageListOptions options{2, true, 2, false, 0, x};
  const std::vector<ImageRow> rows = {{image, "", "", "a b", "d88"}};
  ASSERT_TRUE(prepareImages(rows, options).ok);
  {
    RenameJournal journal;
    ASSERT_TRUE(renamePreparedImages(rows, options, journal));
    EXPECT_TRUE(platform::fileExists(joinPath(x, "00000001.d88")));
    EXPECT_FALSE(platform::fileExists(joinPath(x, "a b.d88")));
  }
  EXPECT_TRUE(platform::fileExists(joinPath(x, "a b.d88")));
  EXPECT_FALSE(platform::fileExists(joinPath(x, "00000001.d88")));
  EXPECT_TRUE(platform::fileExists(image)) << "the library's own image is never moved";
  // A shutdown puts back what launches still running renamed.
  RenameJournal running;
  ASSERT_TRUE(renamePreparedImages(rows, options, running));
  restorePendingRenames();
  EXPECT_TRUE(platform::fileExists(joinPath(x, "a b.d88")));
  EXPECT_TRUE(running.renames().empty());
}

TEST(PlayTime, ParsesAddsAndClamps) {
  const std::tuple<const char*, long, const char*> cases[] = {
      {"000:59'50\"", 20, "001:00'10\""},
      {"", 61, "000:01'01\""},
      {"999:59'50\"", 20, "999:59'59\""},
      {"12:00'00\"", 5, "000:00'05\""},   // malformed: counts as none
      {"-01:00'00\"", 5, "000:00'05\""},
      {"001:60'00\"", 5, "000:00'05\""},
      {"abc", 0, "000:00'00\""},
  };
  for (const auto& [stored, elapsed, expected] : cases) EXPECT_EQ(addPlayTime(stored, elapsed), expected) << stored;
  EXPECT_EQ(bootCountStatement("C:\\a'b", "001:00'10\""),
            "UPDATE main_table SET boot_count=(boot_count+1), last_boot=datetime('now','localtime'), "
            "play_time='001:00''10\"' WHERE file_name='C:\\a''b' ;");
}

using CleanupTest = LaunchTest;

TEST_F(CleanupTest, OnlyAScratchFolderIsEmptied) {
  const std::string scratch = makeFolder("scratch");
  makeFile("scratch/a.d88", "");
  makeFile("scratch/sub/b.d88", "");
  const std::string images = makeFolder("images");
  makeFile("images/keep.d88", "");
  const std::string ego = makeFolder("ego");
  const std::string program = makeFolder("prog");
  makeFolder("prog/sub");
  const std::string emulator = makeFile("emu/emu.exe", "");
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES ('" + joinPath(images, "keep.d88") +
      "', 'k', 'd88', 'M', 't');"
      "INSERT INTO alter_ego_table(pfile_ae, ae_file) VALUES ('x', '" + joinPath(ego, "copy.d88") + "');");
  const CleanupPlaces places{program, dbPath(), emulator};
  // The folder itself, spelled round a subfolder of it.
  const auto roundSub = [](const std::string& folder) { return joinPath(joinPath(folder, "sub"), ".."); };
  const std::string rootByDots = joinPath(roundSub(scratch), "..");
  const std::pair<std::string, CleanupRefusal> cases[] = {
      {"", CleanupRefusal::NotAbsolute},
      {"scratch", CleanupRefusal::NotAbsolute},
      {joinPath(root(), "none"), CleanupRefusal::Missing},
      {program, CleanupRefusal::ProgramFolder},
      {program + platform::kPathSeparator, CleanupRefusal::ProgramFolder},
      {roundSub(program), CleanupRefusal::ProgramFolder},
      {root(), CleanupRefusal::LibraryFolder},
      {rootByDots + platform::kPathSeparator, CleanupRefusal::LibraryFolder},
      {platform::folderOf(emulator), CleanupRefusal::EmulatorFolder},
      {joinPath(rootByDots, "emu"), CleanupRefusal::EmulatorFolder},
      {images, CleanupRefusal::HoldsImages},
      {joinPath(rootByDots, "images"), CleanupRefusal::HoldsImages},
      {ego, CleanupRefusal::HoldsImages},
      {folder.path().substr(0, folder.path().find(platform::kPathSeparator) + 1), CleanupRefusal::DriveRoot},
      {"C:\\", CleanupRefusal::DriveRoot},
      {"\\\\server\\share", CleanupRefusal::DriveRoot},
      {scratch, CleanupRefusal::None},
  };
  for (const auto& [path, refusal] : cases) EXPECT_EQ(checkExtractFolder(path, places), refusal) << path;
  EXPECT_EQ(emptyExtractFolder(images, places).deleted, -1);
  EXPECT_TRUE(platform::fileExists(joinPath(images, "keep.d88")));
  EXPECT_EQ(emptyExtractFolder(roundSub(scratch), places).deleted, 1);
  EXPECT_TRUE(platform::fileExists(joinPath(joinPath(scratch, "sub"), "b.d88"))) << "subfolders are left alone";
  EXPECT_EQ(cleanupRefusalText(CleanupRefusal::EmulatorFolder, "E:\\emu"),
            sj("展開先フォルダ内のファイルを削除しませんでした。\n展開先フォルダがエミュレータのフォルダです。\n→") + "E:\\emu");
  EXPECT_EQ(cleanupRefusalText(CleanupRefusal::Missing, "E:\\none"), "");
  EXPECT_EQ(cleanupRefusalText(CleanupRefusal::NotAbsolute, ""), "");
}

}  // namespace
}  // namespace qm::launch::test
