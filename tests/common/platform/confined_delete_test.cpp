// Canonical paths and the delete decisions made on them, on real folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/platform/canonical_path.h"
#include "common/platform/confined_delete.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/common/platform/raw_file.h"
#include "tests/common/platform/sjis_samples.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

using platform::DeleteRefusal;
using platform::Guard;
using platform::joinPath;

std::filesystem::path osPath(const std::string& path) {
#ifdef _WIN32
  return std::filesystem::path(path);
#else
  return std::filesystem::path(text::sjisToUtf8(path));
#endif
}

// A link to a folder; false where the system does not let the tests make one.
bool linkFolder(const std::string& target, const std::string& link) {
  std::error_code error;
  std::filesystem::create_directory_symlink(osPath(target), osPath(link), error);
  return !error;
}

bool linkFile(const std::string& target, const std::string& link) {
  std::error_code error;
  std::filesystem::create_symlink(osPath(target), osPath(link), error);
  return !error;
}

// A program folder with its library, an emulator, a folder of images and a
// scratch folder, all below one temporary folder.
class ConfinedDeleteTest : public ::testing::Test {
protected:
  ConfinedDeleteTest() : base(platform::canonicalPath(temp.path()).value_or("")) {
    for (const char* name : {"prog", "prog/sub", "lib", "lib/sub", "emu", "images", "scratch", sjis::kHyouji.c_str()})
      EXPECT_TRUE(platform::createFolder(at(name)));
    writeBytes(at("prog/Quillmoor2_Lib.dll"), "dll");
    writeBytes(at("lib/Quillmoor.db"), "db");
    writeBytes(at("emu/emu.exe"), "exe");
    writeBytes(at("images/a.d88"), "image");
    writeBytes(at("scratch/x.tmp"), "x");
  }
  std::string at(const std::string& relative) const {
    std::string path = base + platform::kPathSeparator;
    for (char c : relative) path += c == '/' ? platform::kPathSeparator : c;
    return path;
  }

  TempFolder temp;
  std::string base;  // canonical, so that expected paths compare as text
};

TEST_F(ConfinedDeleteTest, CanonicalPathsResolveEverySpellingToOneName) {
  const bool linked = linkFolder(at("prog"), at("link"));
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {at("prog"), at("prog")},
      {at("prog/sub/.."), at("prog")},
      {at("prog") + platform::kPathSeparator, at("prog")},
      {at("prog") + platform::kPathSeparator + platform::kPathSeparator + "sub", at("prog/sub")},
      {at("prog/./sub"), at("prog/sub")},
      {at("lib/Quillmoor.db"), at("lib/Quillmoor.db")},
      {at("lib/sub/../Quillmoor.db"), at("lib/Quillmoor.db")},
      {at(sjis::kHyouji), at(sjis::kHyouji)},
      {at(sjis::kHyouji + "/../prog"), at("prog")},
      {at("none"), std::nullopt},
#ifndef _WIN32
      // Windows folds ".." by text before it looks for anything.
      {at("none/.."), std::nullopt},
#endif
      {"", std::nullopt},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(platform::canonicalPath(path), expected) << path;
  if (!linked) GTEST_SKIP() << "no links here";
  EXPECT_EQ(platform::canonicalPath(at("link")), at("prog"));
  EXPECT_EQ(platform::canonicalPath(at("link/sub")), at("prog/sub"));
}

TEST_F(ConfinedDeleteTest, AFolderIsEmptiedOnlyWhenNoProtectedPlaceResolvesToItOrBelowIt) {
  const bool linked = linkFolder(at("prog"), at("scratch/toprog"));
  const std::vector<platform::ProtectedPlace> places = {
      {at("prog"), Guard::Itself},
      {at("lib/sub/.."), Guard::Itself},
      {at("emu"), Guard::Itself},
      {at("images/a.d88"), Guard::ItselfAndAbove},
  };
  struct Case {
    std::string target;
    DeleteRefusal refusal;
    std::size_t place;
  };
  std::vector<Case> cases = {
      {at("scratch"), DeleteRefusal::None, 0},
      {at("scratch") + platform::kPathSeparator, DeleteRefusal::None, 0},
      {at("prog"), DeleteRefusal::Protected, 0},
      {at("prog/sub/.."), DeleteRefusal::Protected, 0},
      {at("prog") + "/", DeleteRefusal::Protected, 0},
      {at("lib"), DeleteRefusal::Protected, 1},
      {at("emu"), DeleteRefusal::Protected, 2},
      {at("emu/../emu"), DeleteRefusal::Protected, 2},
      {at("images"), DeleteRefusal::Protected, 3},
      {base, DeleteRefusal::Protected, 3},
      {at("prog/sub"), DeleteRefusal::None, 0},
      {at("none"), DeleteRefusal::Missing, 0},
      {at("scratch/x.tmp"), DeleteRefusal::Missing, 0},
      {"scratch", DeleteRefusal::NotAbsolute, 0},
      {"", DeleteRefusal::NotAbsolute, 0},
      {base.substr(0, base.find(platform::kPathSeparator) + 1), DeleteRefusal::DriveRoot, 0},
      {"C:\\", DeleteRefusal::DriveRoot, 0},
      {"\\\\server\\share\\", DeleteRefusal::DriveRoot, 0},
  };
  if (linked) cases.push_back({at("scratch/toprog"), DeleteRefusal::Protected, 0});
  for (const Case& c : cases) {
    const auto decision = platform::mayEmptyFolder({c.target, places, nullptr});
    EXPECT_EQ(decision.refusal, c.refusal) << c.target;
    if (c.refusal == DeleteRefusal::Protected) {
      EXPECT_EQ(decision.place, c.place) << c.target;
    }
  }
  EXPECT_EQ(platform::mayEmptyFolder({at("prog/sub/../../scratch"), places, nullptr}).resolved, at("scratch"));
}

TEST_F(ConfinedDeleteTest, TheCallersOwnCheckSeesTheFolderAsTypedAndAsResolved) {
  std::vector<std::string> asked;
  const auto record = [&](const std::string& folder) {
    asked.push_back(folder);
    return folder == at("images");
  };
  EXPECT_TRUE(platform::mayEmptyFolder({at("scratch") + platform::kPathSeparator, {}, record}).allowed());
  EXPECT_EQ(asked, std::vector<std::string>{at("scratch")});
  asked.clear();
  const auto decision = platform::mayEmptyFolder({at("scratch/../images"), {}, record});
  EXPECT_EQ(decision.refusal, DeleteRefusal::HoldsProtected);
  EXPECT_EQ(asked, (std::vector<std::string>{at("scratch/../images"), at("images")}));
}

TEST_F(ConfinedDeleteTest, AFileIsDeletedOnlyOutsideProtectedFoldersAndALinkOnlyItself) {
  const bool linked = linkFolder(at("prog"), at("scratch/toprog")) && linkFile(at("prog/Quillmoor2_Lib.dll"), at("scratch/dll"));
  const std::vector<platform::ProtectedPlace> places = {{at("prog"), Guard::ItselfAndBelow}};
  const std::pair<std::string, DeleteRefusal> cases[] = {
      {at("scratch/x.tmp"), DeleteRefusal::None},
      {at("scratch/../scratch/x.tmp"), DeleteRefusal::None},
      {at("prog/Quillmoor2_Lib.dll"), DeleteRefusal::Protected},
      {at("prog/sub/../Quillmoor2_Lib.dll"), DeleteRefusal::Protected},
      {at("emu/../prog/Quillmoor2_Lib.dll"), DeleteRefusal::Protected},
      {at("scratch"), DeleteRefusal::Missing},
      {at("scratch/none"), DeleteRefusal::Missing},
      {at("scratch/.."), DeleteRefusal::Missing},
      {"x.tmp", DeleteRefusal::NotAbsolute},
  };
  for (const auto& [target, refusal] : cases)
    EXPECT_EQ(platform::mayDeleteFile({target, places, nullptr}).refusal, refusal) << target;
  EXPECT_EQ(platform::mayDeleteFile({at("emu/../scratch/x.tmp"), places, nullptr}).resolved, at("scratch/x.tmp"));
  if (!linked) GTEST_SKIP() << "no links here";
  EXPECT_EQ(platform::mayDeleteFile({at("scratch/toprog/Quillmoor2_Lib.dll"), places, nullptr}).refusal,
            DeleteRefusal::Protected);
  // The link lies in the scratch folder: it goes, what it points to stays.
  EXPECT_EQ(platform::mayDeleteFile({at("scratch/dll"), places, nullptr}).resolved, at("scratch/dll"));
}

// Keys are kept as they were written down: the caller's own check is asked
// with the typed path's "." and ".." folded too, which is not always the
// canonical name (under Wine the temporary folder has another one).
TEST_F(ConfinedDeleteTest, TheCallersCheckSeesThePathAsWrittenDown) {
  const std::string images = temp.path() + platform::kPathSeparator + "images";
  const std::string key = images + platform::kPathSeparator + "a.d88";
  std::vector<std::string> asked;
  platform::DeleteRequest request{images + "/../images/./a.d88", {}, [&](const std::string& form) {
                                    asked.push_back(form);
                                    return form == key;
                                  }};
  EXPECT_EQ(platform::mayDeleteFile(request).refusal, DeleteRefusal::HoldsProtected);
  EXPECT_NE(std::find(asked.begin(), asked.end(), key), asked.end());
  EXPECT_TRUE(platform::fileExists(at("images/a.d88")));
}

}  // namespace
}  // namespace qm::test
