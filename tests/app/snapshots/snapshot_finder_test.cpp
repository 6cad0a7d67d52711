#include "app/snapshots/snapshot_finder.h"
#include "app/snapshots/title_rename.h"

#include <gtest/gtest.h>


#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::snapshots {
namespace {

using text::sjis;

class SnapshotFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
    snaps = folder.file("snap");
    ASSERT_TRUE(platform::createFolder(snaps));
    ASSERT_TRUE(platform::createFolder(folder.file("other")));
    for (const std::string name :
         {"ABC.bmp", "ABC2.jpg", "ABC.png", "XYZ (J) [!].PNG", "(Demo) XYZ.gif", "00012345.bmp", "0012345.png",
          "[b]r.jpg", "Tx.bmp", "inner.BMP", "00000000.bmp"})
      touch(platform::joinPath(snaps, name));
    for (const std::string& name : {sjis("表.bmp"), sjis("ソフト (J).jpg"), sjis("ゲーム.png")})
      touch(platform::joinPath(snaps, name));
    touch(platform::joinPath(folder.file("other"), "up.bmp"));
#ifndef _WIN32
    // Names Windows cannot hold, to show a title's "*" and "?" are plain characters.
    touch(platform::joinPath(snaps, "Q*.bmp"));
#endif
  }
  static void touch(const std::string& path) { ASSERT_TRUE(test::writeFile(path, "x")); }

  // Only `rule` in use.
  static FindSettings only(int rule) {
    FindSettings s;
    s.mode.fill(0);
    s.mode[rule] = 1;
    return s;
  }
  std::string found(const FindSettings& s, const NameInputs& in, const std::string& itemPath = {}) {
    const auto hit = findPicture(cache, s, {itemPath, snaps}, in);
    return hit ? platform::fileNameOf(hit->path) : std::string("-");
  }

  test::TempFolder folder;
  std::string snaps;
  FolderCache cache;
};

TEST_F(SnapshotFolderTest, EachRuleFindsItsPicture) {
  const struct {
    int rule;
    NameInputs in;
    std::string file;
  } cases[] = {
      {0, {"12345", "", "", ""}, "0012345.png"},  // padded forms come before trimmed ones
      {0, {"00012345", "", "", ""}, "00012345.bmp"},
      {0, {"", "", "", ""}, "-"},  // unknown CRC never matches 00000000.bmp
      {0, {"0", "", "", ""}, "-"},
      {0, {"00000000", "", "", ""}, "-"},
      {1, {"", "abc", "", ""}, "ABC.bmp"},  // BMP before PNG, case ignored
      {1, {"", "ABC2", "", ""}, "ABC2.jpg"},
      {1, {"", "AB", "", ""}, "-"},
      {2, {"", "AB", "", ""}, "ABC.bmp"},
      {2, {"", "[b]", "", ""}, "[b]r.jpg"},  // brackets are plain characters
      {3, {"", "XYZ (J) [!]", "", ""}, "XYZ (J) [!].PNG"},
      {3, {"", "ABC (J) [!]", "", ""}, "ABC.bmp"},
      {3, {"", "(Demo) XYZ (E)", "", ""}, "(Demo) XYZ.gif"},
      {3, {"", "(J)", "", ""}, "-"},
      {4, {"", "x", "inner", ""}, "inner.BMP"},
      {4, {"", "inner", "", ""}, "-"},
      {5, {"", "x", "inn", ""}, "inner.BMP"},
      {6, {"", "x", "inn (J)", ""}, "inner.BMP"},
      {7, {"", "", "", sjis("表")}, sjis("表.bmp")},
      {7, {"", "", "", sjis("ゲーム")}, sjis("ゲーム.png")},
      {6, {"", "x", sjis("ソフト (E)"), ""}, sjis("ソフト (J).jpg")},
      // A title is a plain name: no wildcard, no way out of the folder.
      {7, {"", "", "", "T?"}, "-"},
      {7, {"", "", "", "T*"}, "-"},
      {7, {"", "", "", "..\\other\\up"}, "-"},
      {7, {"", "", "", "../other/up"}, "-"},
      {7, {"", "", "", ".."}, "-"},
      {7, {"", "", "", ""}, "-"},
#ifndef _WIN32
      {7, {"", "", "", "Q*"}, "Q*.bmp"},
#endif
  };
  for (const auto& c : cases) {
    EXPECT_EQ(found(only(c.rule), c.in), c.file) << "rule " << c.rule << " " << text::sjisToUtf8(c.in.imageName)
                                                 << text::sjisToUtf8(c.in.innerName) << text::sjisToUtf8(c.in.title);
  }
}

TEST_F(SnapshotFolderTest, OrderAndModeDecideWhichRuleHits) {
  const NameInputs in{"00012345", "ABC", "", sjis("表")};
  FindSettings s;
  s.mode = {1, 1, 0, 0, 0, 0, 0, 1};
  auto hit = searchFolder(cache, s, snaps, in);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->rule, 0);
  EXPECT_EQ(hit->label, "match>CRC32" + sjis("と同名の画像"));
  s.order = {7, 1, 0, 9, 7, 2, 3, 4};  // out-of-range and repeated entries are passed over
  hit = searchFolder(cache, s, snaps, in);
  ASSERT_TRUE(hit);
  EXPECT_EQ(platform::fileNameOf(hit->path), sjis("表.bmp"));
  EXPECT_EQ(hit->label, "match>" + sjis("タイトルと同名の画像"));
  s.mode = {0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(searchFolder(cache, s, snaps, in));
  s.mode = {2, 2, 2, 2, 2, 2, 2, 2};  // only 1 means in use
  EXPECT_FALSE(searchFolder(cache, s, snaps, in));
}

TEST_F(SnapshotFolderTest, ItemPathIsShownSearchedOrRefused) {
  const NameInputs in{"", "ABC", "", ""};
  touch(folder.file("own.Jpg"));
  touch(folder.file("own.tif"));
  const FindSettings s;
  EXPECT_EQ(found(s, in, folder.file("own.Jpg")), "own.Jpg");
  EXPECT_EQ(found(s, in, folder.file("own.tif")), "-");     // no fall-back to the machine folder
  EXPECT_EQ(found(s, in, folder.file("gone.png")), "-");    // missing: nothing
  EXPECT_EQ(found(s, in, folder.file("other")), "-");       // a folder, searched instead
  EXPECT_EQ(found(only(1), {"", "up", "", ""}, folder.file("other")), "up.bmp");
  EXPECT_EQ(found(s, in), "ABC.bmp");
  EXPECT_FALSE(findPicture(cache, s, {"", ""}, in));       // no machine folder: nothing, not the current one
  EXPECT_FALSE(findPicture(cache, s, {"", folder.file("absent")}, in));
}

TEST_F(SnapshotFolderTest, ListingIsReadOnceUntilTheFolderChanges) {
  const NameInputs in{"", "NEW", "", ""};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(found(only(1), {"", "ABC", "", ""}), "ABC.bmp");
  EXPECT_EQ(cache.listingsRead(), 1);
  EXPECT_EQ(found(only(1), in), "-");
  touch(platform::joinPath(snaps, "new.gif"));
  EXPECT_EQ(found(only(1), in), "new.gif");
  EXPECT_EQ(cache.listingsRead(), 2);
  ASSERT_TRUE(platform::deleteFile(platform::joinPath(snaps, "new.gif")));
  EXPECT_EQ(found(only(1), in), "-");
}

TEST_F(SnapshotFolderTest, KeepsTheFoldersUsedLast) {
  const NameInputs in{"", "a", "", ""};
  std::vector<std::string> folders;
  for (std::size_t i = 0; i <= FolderCache::kFoldersKept; ++i) {
    std::string name = "f";
    name += std::to_string(i);  // appended: GCC 12 sees an overlapping copy in "f" + ...
    folders.push_back(folder.file(name));
    ASSERT_TRUE(platform::createFolder(folders.back()));
    touch(platform::joinPath(folders.back(), "a.png"));
  }
  const auto lookIn = [&](std::size_t i) { return searchFolder(cache, only(1), folders[i], in).has_value(); };
  for (std::size_t i = 0; i < FolderCache::kFoldersKept; ++i) EXPECT_TRUE(lookIn(i));
  EXPECT_TRUE(lookIn(0));  // kept, and now the one used last
  const int read = cache.listingsRead();
  EXPECT_TRUE(lookIn(FolderCache::kFoldersKept));  // one more: folder 1 goes
  EXPECT_TRUE(lookIn(0));
  EXPECT_EQ(cache.listingsRead(), read + 1);
  EXPECT_TRUE(lookIn(1));
  EXPECT_EQ(cache.listingsRead(), read + 2);
}

}  // namespace
}  // namespace qm::snapshots

namespace qm::snapshots {
namespace {

TEST_F(SnapshotFolderTest, TitlePicturesFollowANewTitleButNeverOverwrite) {
  touch(platform::joinPath(snaps, "Old.BMP"));
  touch(platform::joinPath(snaps, "old.png"));
  touch(platform::joinPath(snaps, "Older.png"));
  touch(platform::joinPath(snaps, "New.png"));
  touch(platform::joinPath(snaps, sjis("表.gif")));
  const auto count = renameTitlePictures({snaps, "", snaps, folder.file("absent")}, "OLD", "New");
  EXPECT_EQ(count.renamed, 1);
  EXPECT_EQ(count.refused, 1);  // New.png was there
  EXPECT_TRUE(platform::fileExists(platform::joinPath(snaps, "New.BMP")));
  EXPECT_TRUE(platform::fileExists(platform::joinPath(snaps, "old.png")));
  EXPECT_TRUE(platform::fileExists(platform::joinPath(snaps, "Older.png")));
  EXPECT_EQ(renameTitlePictures({snaps}, sjis("表"), sjis("ソ")).renamed, 2);  // 表.bmp and 表.gif
  EXPECT_TRUE(platform::fileExists(platform::joinPath(snaps, sjis("ソ.gif"))));
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"New", "..\\x"}, {"../ABC", "y"}, {"", "z"}})
    EXPECT_EQ(renameTitlePictures({snaps}, from, to).renamed, 0) << from << to;
}

}  // namespace
}  // namespace qm::snapshots
