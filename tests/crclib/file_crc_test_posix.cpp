// Native-only checks: real files that shrink or exceed 4 GB, and an
// independent CRC-32 from Python's zlib.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/text/encoding.h"
#include "crclib/file_crc.h"
#include "tests/crclib/crc_samples.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::crc::test {
namespace {

namespace fs = std::filesystem;

fs::path native(const std::string& path) { return fs::path(text::sjisToUtf8(path)); }

bool writeAt(const std::string& path, std::uint64_t offset, const std::vector<unsigned char>& bytes) {
  const int fd = ::open(native(path).c_str(), O_WRONLY);
  if (fd < 0) return false;
  const bool written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
                       static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && written;
}

bool havePython() { return std::system("python3 -c 'import zlib' >/dev/null 2>&1") == 0; }

// zlib's CRC-32 of a window of the file, read in pieces so that 4 GB fit.
std::optional<std::string> pythonCrc32(const qm::test::TempFolder& temp, const std::string& path,
                                       std::uint64_t offset, std::uint64_t length) {
  const std::string script = temp.file("crc32.py");
  qm::test::writeFile(script,
                      "import sys, zlib\n"
                      "f = open(sys.argv[1], 'rb'); f.seek(int(sys.argv[2])); left = int(sys.argv[3]); crc = 0\n"
                      "piece = memoryview(bytearray(1 << 22))\n"
                      "while left > 0:\n"
                      "    n = f.readinto(piece[:min(left, len(piece))])\n"
                      "    if not n: sys.exit(1)\n"
                      "    crc = zlib.crc32(piece[:n], crc); left -= n\n"
                      "print('%08X' % crc)\n");
  const std::string command = "python3 '" + native(script).string() + "' '" + native(path).string() + "' " +
                              std::to_string(offset) + " " + std::to_string(length);
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::array<char, 64> line{};
  if (!pipe || !std::fgets(line.data(), line.size(), pipe.get())) return std::nullopt;
  return std::string(line.data(), 8);
}

TEST(NativeFileCrcTest, FileThatShrinksWhileReadIsAReadError) {
  qm::test::TempFolder temp;
  const std::string path = temp.file("shrinking.bin");
  const auto data = randomBytes(3 * kReadBlock, 8);
  ASSERT_TRUE(qm::test::writeFile(path, std::string(data.begin(), data.end())));
  OpenedSource opened = openFileSource(path);
  ASSERT_TRUE(opened.source);
  fs::resize_file(native(path), kReadBlock + 10);
  const CrcReport report = sourceCrc(*opened.source, {}, CrcSet::Both);
  EXPECT_EQ(report.outcome, CrcOutcome::Failed);
  EXPECT_EQ(report.error, "Reached the end of the file.");
  EXPECT_EQ(texts(report.crc), "00000000 FFFF");
}

// A sparse file of 4 GiB and a little more, with data beyond the 32-bit range.
TEST(NativeFileCrcTest, FilesOverFourGigabytes) {
  qm::test::TempFolder temp;
  const std::string path = temp.file("large.bin");
  constexpr std::uint64_t k4G = std::uint64_t{1} << 32;
  constexpr std::uint64_t size = k4G + 4096;
  ASSERT_TRUE(qm::test::writeFile(path, ""));
  std::error_code error;
  fs::resize_file(native(path), size, error);
  if (error) GTEST_SKIP() << "the file system refuses a sparse file: " << error.message();
  const auto data = randomBytes(1000, 9);
  ASSERT_TRUE(writeAt(path, k4G + 100, data));

  const CrcReport window = fileCrc(path, {k4G + 100, 1000}, CrcSet::Both);
  EXPECT_EQ(texts(window.crc), texts(referenceCrc(data.data(), data.size())));

  std::vector<unsigned char> tail(4096 - 16, 0);
  std::copy(data.begin(), data.end(), tail.begin() + 84);
  const CrcReport toEnd = fileCrc(path, {k4G + 16, 0}, CrcSet::Both);
  EXPECT_EQ(texts(toEnd.crc), texts(referenceCrc(tail.data(), tail.size())));

  EXPECT_EQ(fileCrc(path, {size, 0}, CrcSet::Both).outcome, CrcOutcome::NoBytes);
  EXPECT_EQ(fileCrc(path, {k4G + 5000, 1}, CrcSet::Both).outcome, CrcOutcome::NoBytes);

  // The whole file: every byte past 4 GiB counted, the data at its place.
  if (!havePython()) GTEST_SKIP() << "no python3 on PATH for the whole-file CRC";
  EXPECT_EQ(crc32Text(fileCrc(path, {}, CrcSet::Crc32).crc.crc32), pythonCrc32(temp, path, 0, size));
}

TEST(NativeFileCrcTest, Crc32AgreesWithPythonZlib) {
  if (!havePython()) GTEST_SKIP() << "no python3 on PATH";
  qm::test::TempFolder temp;
  const std::string path = temp.file("python.bin");
  const auto data = randomBytes(kReadBlock + 12345, 10);
  ASSERT_TRUE(qm::test::writeFile(path, std::string(data.begin(), data.end())));
  for (const CrcWindow window : {CrcWindow{0, 0}, CrcWindow{3, 999}, CrcWindow{kReadBlock - 7, 0}}) {
    const std::uint64_t length = window.length ? window.length : data.size() - window.offset;
    EXPECT_EQ(crc32Text(fileCrc(path, window, CrcSet::Crc32).crc.crc32),
              pythonCrc32(temp, path, window.offset, length));
  }
}

}  // namespace
}  // namespace qm::crc::test
