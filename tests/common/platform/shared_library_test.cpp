// Loading uses the C runtime, which every process of ours already has.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "tests/common/platform/raw_file.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

using platform::SharedLibrary;
using Abs = int (*)(int);

#ifdef _WIN32
const char* const kRuntime = "msvcrt.dll";
#else
const char* const kRuntime = "libc.so.6";
#endif

TEST(SharedLibraryTest, LoadsAndCallsAFunction) {
  const SharedLibrary library(kRuntime);
  ASSERT_TRUE(library.loaded()) << library.error();
  EXPECT_TRUE(library.error().empty());
  const Abs abs = library.function<Abs>("abs");
  ASSERT_NE(abs, nullptr);
  EXPECT_EQ(abs(-5), 5);
  EXPECT_EQ(library.symbol("qm_no_such_function"), nullptr);
}

TEST(SharedLibraryTest, FailuresCarryTheSystemsReason) {
  TempFolder folder;
  const std::string notALibrary = folder.file(platform::sharedLibraryFileName("NotALibrary"));
  writeBytes(notALibrary, "plain text, no library");
  for (const std::string& path : {folder.file(platform::sharedLibraryFileName("Missing")), notALibrary}) {
    SCOPED_TRACE(path);
    const SharedLibrary library(path);
    EXPECT_FALSE(library.loaded());
    EXPECT_FALSE(library.error().empty());
    EXPECT_EQ(library.symbol("abs"), nullptr);
  }
}

TEST(SharedLibraryTest, MovesHandOverTheLibrary) {
  SharedLibrary first(kRuntime);
  SharedLibrary second(std::move(first));
  EXPECT_FALSE(first.loaded());
  ASSERT_TRUE(second.loaded());

  SharedLibrary third;
  EXPECT_FALSE(third.loaded());
  third = std::move(second);
  EXPECT_FALSE(second.loaded());
  ASSERT_TRUE(third.loaded());
  EXPECT_EQ(third.function<Abs>("abs")(-3), 3);

  SharedLibrary failed("qm-missing-library");
  third = std::move(failed);
  EXPECT_FALSE(third.loaded());
  EXPECT_FALSE(third.error().empty());
}

}  // namespace
}  // namespace qm::test
