#include <gtest/gtest.h>

#include "app/capture/auto_snapshot_files.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::capture {
namespace {

// Two runs share an extract folder that a second program instance writes
// into as well: names never meet, each run lists and deletes its own, and
// only the last live run sweeps what others left.
TEST(AutoSnapshotFiles, RunsSharingAFolderKeepApart) {
  test::TempFolder extract;
  ASSERT_TRUE(test::writeFile(extract.file("AutoSnap0001.PNG"), "other instance"));
  ASSERT_TRUE(test::writeFile(extract.file("autosnap0003.png"), "other instance, other case"));
  AutoSnapshotRuns runs;
  AutoSnapshotFiles first(runs, extract.path());
  AutoSnapshotFiles second(runs, extract.path());
  const std::vector<std::pair<AutoSnapshotFiles*, const char*>> takes = {
      {&first, "AutoSnap0000"}, {&second, "AutoSnap0002"}, {&first, "AutoSnap0004"}, {&second, "AutoSnap0005"}};
  for (const auto& [run, expected] : takes) {
    const std::string name = run->takeName();
    EXPECT_EQ(name, expected);
    if (name != "AutoSnap0005") {
      ASSERT_TRUE(test::writeFile(extract.file(name + ".PNG"), name));
    }
  }
  EXPECT_EQ(first.pictures(),
            (std::vector<std::string>{extract.file("AutoSnap0000.PNG"), extract.file("AutoSnap0004.PNG")}));
  EXPECT_EQ(second.pictures(), std::vector<std::string>{extract.file("AutoSnap0002.PNG")})
      << "a name whose picture was never saved is not offered";

  EXPECT_EQ(first.cleanUp(), 2);
  EXPECT_EQ(test::listFolder(extract.path()),
            (std::vector<std::string>{"AutoSnap0001.PNG", "AutoSnap0002.PNG", "autosnap0003.png"}));
  EXPECT_EQ(first.cleanUp(), 0) << "twice is harmless";
  EXPECT_EQ(second.cleanUp(), 3) << "its own, then the sweep as the last live run";
  EXPECT_TRUE(test::listFolder(extract.path()).empty());

  // A fresh run goes on counting: a name the process used is not taken again.
  ASSERT_TRUE(test::writeFile(extract.file("keep.png"), "not ours"));
  AutoSnapshotFiles third(runs, extract.path());
  EXPECT_EQ(third.takeName(), "AutoSnap0006");
  EXPECT_EQ(third.cleanUp(), 0);
  EXPECT_EQ(test::listFolder(extract.path()), std::vector<std::string>{"keep.png"});
}

// A run that ends without cleaning up (its launch cut short) no longer counts
// as live, and a folder that may not be emptied is left alone.
TEST(AutoSnapshotFiles, LiveRunsAndRefusedFolders) {
  test::TempFolder extract;
  AutoSnapshotRuns runs;
  AutoSnapshotFiles kept(runs, extract.path());
  {
    AutoSnapshotFiles gone(runs, extract.path());
    ASSERT_TRUE(test::writeFile(extract.file(gone.takeName() + ".PNG"), "left behind"));
  }
  EXPECT_EQ(kept.cleanUp(), 1) << "the sweep takes the picture of the run that went";
  for (const std::string& refused : {std::string(), std::string("relative")}) {
    AutoSnapshotFiles run(runs, refused);
    EXPECT_EQ(run.cleanUp(), -1) << refused;
  }
}

}  // namespace
}  // namespace qm::capture
