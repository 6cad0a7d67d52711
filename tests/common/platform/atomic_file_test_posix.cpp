// A real full disk for the atomic writes: a child process under a file-size
// limit, with SIGXFSZ ignored so the write fails with EFBIG as on a full disk.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "common/platform/atomic_file.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "tests/common/platform/raw_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

// Exit code of a child that runs `write` under a file-size limit of `bytes`.
template <typename Write>
int underSizeLimit(rlim_t bytes, Write write) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(write() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AtomicFileFullDisk, AFailedWriteKeepsTheOldFileWhole) {
  TempFolder folder;
  const std::string target = folder.file("emulator.ini");
  const std::string old(3000, 'k');
  writeBytes(target, old);
  EXPECT_EQ(underSizeLimit(4096, [&] { return platform::writeFileAtomically(target, std::string(20000, 'n')); }), 1);
  EXPECT_EQ(readBytes(target), old);
  EXPECT_EQ(listFolder(folder.path()), std::vector<std::string>{"emulator.ini"});
  const std::string copySource = folder.file("big.d88");
  writeBytes(copySource, std::string(20000, 'b'));
  EXPECT_EQ(underSizeLimit(4096,
                           [&] {
                             return platform::copyFileAtomically(copySource, target, platform::Overwrite::Allowed) ==
                                    platform::CopyResult::Copied;
                           }),
            1);
  EXPECT_EQ(readBytes(target), old);
  EXPECT_EQ(listFolder(folder.path()), (std::vector<std::string>{"big.d88", "emulator.ini"}));
}

// Forty keys of an emulator's INI, and one more written when the disk is full.
TEST(AtomicFileFullDisk, AnIniWriteThatFailsKeepsEveryKey) {
  TempFolder folder;
  const std::string path = folder.file("emu.ini");
  std::string old = "[Emulator]\r\n";
  for (int i = 0; i < 40; ++i) old += "Key" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
  writeBytes(path, old);
  const platform::IniFile ini(path);
  EXPECT_EQ(underSizeLimit(1024, [&] { return ini.writeString("Emulator", "Key40", "new"); }), 1);
  EXPECT_EQ(readBytes(path), old);
  EXPECT_EQ(ini.keys("Emulator").size(), 40u);
  EXPECT_EQ(listFolder(folder.path()), std::vector<std::string>{"emu.ini"});
}

TEST(AtomicFilePermissions, AReplacedFileKeepsItsMode) {
  TempFolder folder;
  const std::string target = folder.file("private.ini");
  writeBytes(target, "old");
  const std::string os = text::sjisToUtf8(target);
  ASSERT_EQ(::chmod(os.c_str(), 0600), 0);
  ASSERT_TRUE(platform::writeFileAtomically(target, "new"));
  struct stat st;
  ASSERT_EQ(::stat(os.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AtomicFileLinks, ALinkStaysAndTheFileItNamesIsReplaced) {
  TempFolder folder;
  const std::string real = folder.file("real.ini");
  writeBytes(real, "old");
  ASSERT_EQ(::symlink("real.ini", text::sjisToUtf8(folder.file("link.ini")).c_str()), 0);
  ASSERT_TRUE(platform::writeFileAtomically(folder.file("link.ini"), "new"));
  struct stat st;
  ASSERT_EQ(::lstat(text::sjisToUtf8(folder.file("link.ini")).c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(readBytes(real), "new");
}

// A device is written to, never replaced by a file.
TEST(AtomicFileDevices, AFullDeviceFailsTheWriteAndStays) {
  platform::AtomicFile full("/dev/full");
  ASSERT_TRUE(full.isOpen());
  full.write(std::string(100000, 'x'));
  EXPECT_FALSE(full.commit());
  struct stat st;
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_TRUE(platform::writeFileAtomically("/dev/null", "gone"));
}

}  // namespace
}  // namespace qm::test
