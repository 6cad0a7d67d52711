// A file the walk lists but cannot read: a link whose target has vanished
// (tests run as root, so permissions cannot make a file unreadable).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/crclib/registration_fixture.h"

namespace qm::reg::test {
namespace {

TEST_F(RegistrationTest, UnreadableFileIsReportedOnceAndNotStored) {
  const std::string root = tree("gone");
  put(root, "good.d88", "123456789");
  const std::string link = platform::joinPath(root, "lost.d88");
  ASSERT_EQ(symlink("/nonexistent/target.d88", text::sjisToUtf8(link).c_str()), 0);
  RegistrationRequest r = request(root);
  r.settings.crc32 = r.settings.crc16 = true;
  const auto result = run(r);
  EXPECT_EQ(result.end, RegistrationEnd::Completed);
  EXPECT_EQ(result.stored, 1);
  EXPECT_EQ(result.unreadable, 1);
  ASSERT_EQ(host.sink.messages().size(), 1u);
  EXPECT_EQ(host.sink.messages()[0].caption, "CRC32 calc error");
  EXPECT_EQ(host.sink.messages()[0].text, link + ": No such file or directory");
  EXPECT_EQ(host.logLines, (std::vector<std::string>{text::sjis("読めないファイル：") + link +
                                                     text::sjis(" （No such file or directory）")}));
  EXPECT_EQ(text::sjisToUtf8(result.finalStatus),
            "1 件の格納・更新が終了しました。( 2 ファイル中 )（読めないファイル 1 件：ログを参照して下さい）");
  EXPECT_EQ(rows("SELECT file_title, crc32, crc FROM main_table ORDER BY file_name;"),
            (std::vector<std::string>{"good|CBF43926|6F91"}));
}

// A folder deeper than the system's longest path: made and removed one level at
// a time, relative to its parent, since no full path reaches it.
TEST_F(RegistrationTest, FolderThatCannotBeListedIsReportedAndSkipped) {
  const std::string root = tree("deep");
  put(root, "a.d88", "a");
  const std::string level(250, 'x');
  constexpr int kLevels = 18;
  int fd = open(text::sjisToUtf8(root).c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  std::vector<int> fds = {fd};
  for (int i = 0; i < kLevels; ++i) {
    ASSERT_EQ(mkdirat(fds.back(), level.c_str(), 0755), 0);
    fds.push_back(openat(fds.back(), level.c_str(), O_RDONLY | O_DIRECTORY));
    ASSERT_GE(fds.back(), 0);
  }
  RegistrationRequest r = request(root);
  r.settings.searchSubfolders = true;
  const auto result = run(r);
  for (int i = kLevels; i > 0; --i) {
    close(fds[i]);
    EXPECT_EQ(unlinkat(fds[i - 1], level.c_str(), AT_REMOVEDIR), 0);
  }
  close(fds[0]);
  EXPECT_EQ(result.end, RegistrationEnd::Completed);
  EXPECT_EQ(result.stored, 1);
  ASSERT_EQ(host.sink.messages().size(), 1u);
  const std::string& text = host.sink.messages()[0].text;
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), text::sjis("フォルダの中を読めませんでした。\n"));
  EXPECT_GT(text.size(), 4096u);
  EXPECT_EQ(host.sink.messages()[0].icon, platform::MessageIcon::Warning);
}

}  // namespace
}  // namespace qm::reg::test
