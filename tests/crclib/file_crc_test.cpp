// CRCs over files and memory: windows, blocks, failures and the marker.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/platform/files.h"
#include "crclib/file_crc.h"
#include "tests/crclib/crc_samples.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::crc::test {
namespace {

std::string asString(const std::vector<unsigned char>& bytes) { return {bytes.begin(), bytes.end()}; }

class FileCrcTest : public ::testing::Test {
protected:
  std::string fileWith(const std::vector<unsigned char>& bytes, const std::string& name = "image.bin") {
    const std::string path = temp.file(name);
    EXPECT_TRUE(qm::test::writeFile(path, asString(bytes)));
    return path;
  }
  qm::test::TempFolder temp;
};

// File and memory variants agree with each other and with the reference over
// the bytes the window covers.
TEST_F(FileCrcTest, WindowsOfFileAndMemory) {
  struct Case {
    std::size_t size;
    CrcWindow window;
    std::size_t first, count;
  };
  const std::size_t big = 2 * kReadBlock + 3;  // blocks of the file loop, a short last one
  const Case cases[] = {
      {40, {16, 0}, 16, 24}, {40, {16, 8}, 16, 8},   {40, {16, 100}, 16, 24},
      {40, {0, 0}, 0, 40},   {40, {39, 0}, 39, 1},   {big, {0, 0}, 0, big},
      {big, {5, 0}, 5, big - 5}, {big, {kReadBlock - 1, kReadBlock + 2}, kReadBlock - 1, kReadBlock + 2},
  };
  const std::vector<unsigned char> data = randomBytes(big, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << " offset " << c.window.offset);
    const std::vector<unsigned char> bytes(data.begin(), data.begin() + static_cast<long>(c.size));
    const std::string expected = texts(referenceCrc(bytes.data() + c.first, c.count));
    const CrcReport file = fileCrc(fileWith(bytes), c.window, CrcSet::Both);
    const CrcReport memory = memoryCrc(bytes.data(), bytes.size(), c.window, CrcSet::Both);
    EXPECT_EQ(file.outcome, CrcOutcome::Computed);
    EXPECT_EQ(texts(file.crc), expected);
    EXPECT_EQ(texts(memory.crc), expected);
  }
}

TEST_F(FileCrcTest, NoBytesGiveTheErrorValuesSilently) {
  const std::string empty = fileWith({}, "empty.bin");
  const std::string forty = fileWith(randomBytes(40, 2));
  const std::vector<unsigned char> memory(40, 0x55);
  for (const CrcReport& report :
       {fileCrc(empty, {}, CrcSet::Both), fileCrc(forty, {40, 0}, CrcSet::Both), fileCrc(forty, {41, 3}, CrcSet::Both),
        memoryCrc(memory.data(), 0, {}, CrcSet::Both), memoryCrc(memory.data(), 40, {40, 0}, CrcSet::Both),
        memoryCrc(nullptr, 40, {}, CrcSet::Both)}) {
    EXPECT_EQ(report.outcome, CrcOutcome::NoBytes);
    EXPECT_EQ(texts(report.crc), "00000000 FFFF");
    EXPECT_EQ(report.error, "");
  }
}

TEST_F(FileCrcTest, MissingFileAndFolderFailWithTheSystemText) {
  for (const std::string& path : {temp.file("missing.bin"), temp.path()}) {
    const CrcReport report = fileCrc(path, {}, CrcSet::Both);
    EXPECT_EQ(report.outcome, CrcOutcome::Failed) << path;
    EXPECT_EQ(texts(report.crc), "00000000 FFFF");
    EXPECT_EQ(report.error, openFileSource(path).error);
    EXPECT_NE(report.error, "");
  }
}

// The opened file's size and time go with its CRCs, as fileStamp reads them:
// a registration records them without looking the path up again.
TEST_F(FileCrcTest, ReportCarriesTheOpenedFilesStamp) {
  for (const std::string& path : {fileWith(randomBytes(40, 3)), fileWith({}, "empty.bin")}) {
    const CrcReport report = fileCrc(path, {}, CrcSet::Both);
    ASSERT_TRUE(report.stamp.has_value()) << path;
    EXPECT_EQ(*report.stamp, platform::fileStamp(path).value()) << path;
  }
  EXPECT_FALSE(fileCrc(temp.file("missing.bin"), {}, CrcSet::Both).stamp.has_value());
}

// A source whose data fails partway: the CRC over what was read is never reported.
class FailingSource : public FileSource {
public:
  std::uint64_t size() const override { return 3 * kReadBlock; }
  std::optional<std::string> read(std::uint64_t offset, std::span<unsigned char> into) override {
    if (offset >= kReadBlock) return std::string("disk on fire");
    std::fill(into.begin(), into.end(), 0);
    return std::nullopt;
  }
};

TEST_F(FileCrcTest, ReadFailureIsAnErrorNotACrc) {
  FailingSource source;
  const CrcReport report = sourceCrc(source, {}, CrcSet::Both);
  EXPECT_EQ(report.outcome, CrcOutcome::Failed);
  EXPECT_EQ(report.error, "disk on fire");
  EXPECT_EQ(texts(report.crc), "00000000 FFFF");
}

// A window of several blocks reads ahead on a second thread while the caller
// computes; a single block is read on the caller's thread (a thread per small
// file would cost more than it saves). Every byte still arrives in order.
class ThreadNotingSource : public FileSource {
public:
  explicit ThreadNotingSource(std::uint64_t size) : size_(size) {}
  std::uint64_t size() const override { return size_; }
  std::optional<std::string> read(std::uint64_t offset, std::span<unsigned char> into) override {
    std::lock_guard lock(mutex_);
    offsets.push_back(offset);
    threads.push_back(std::this_thread::get_id());
    for (std::size_t i = 0; i < into.size(); ++i) into[i] = static_cast<unsigned char>((offset + i) * 7);
    return offset >= failAt ? std::optional<std::string>("gone") : std::nullopt;
  }
  std::vector<std::uint64_t> offsets;
  std::vector<std::thread::id> threads;
  std::uint64_t failAt = UINT64_MAX;

private:
  std::uint64_t size_;
  std::mutex mutex_;
};

TEST_F(FileCrcTest, LargeWindowsReadAheadWhileComputing) {
  for (const std::uint64_t size : {std::uint64_t{kReadBlock}, std::uint64_t{kReadBlock + 1}, 3 * std::uint64_t{kReadBlock} + 9}) {
    ThreadNotingSource source(size);
    const CrcReport report = sourceCrc(source, {}, CrcSet::Both);
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7);
    EXPECT_EQ(texts(report.crc), texts(referenceCrc(bytes.data(), bytes.size()))) << size;
    std::vector<std::uint64_t> expected;
    for (std::uint64_t at = 0; at < size; at += kReadBlock) expected.push_back(at);
    EXPECT_EQ(source.offsets, expected) << size;
    const bool aside = std::all_of(source.threads.begin(), source.threads.end(),
                                   [](std::thread::id id) { return id != std::this_thread::get_id(); });
    EXPECT_EQ(aside, size > kReadBlock) << size;
  }
  // A failing later block ends the run with its text, whatever is in flight.
  ThreadNotingSource failing(4 * std::uint64_t{kReadBlock});
  failing.failAt = 2 * kReadBlock;
  const CrcReport report = sourceCrc(failing, {}, CrcSet::Both);
  EXPECT_EQ(report.outcome, CrcOutcome::Failed);
  EXPECT_EQ(report.error, "gone");
}

class RecordingMarker : public ProgressMarker {
public:
  void show(const char* text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

// One step at each multiple of 5,000,000 within the window, position 0
// included, taking the texts of the one cycle in turn, across calls too.
TEST_F(FileCrcTest, MarkerStepsEveryFiveMillionBytes) {
  const std::vector<unsigned char> data = randomBytes(12'000'001, 4);
  const std::string path = fileWith(data);
  const std::string cycle[] = {"wait.  ", "wait . ", "wait  ."};
  struct Case {
    CrcWindow window;
    std::size_t steps;
  };
  std::optional<std::ptrdiff_t> next;
  for (const Case& c : {Case{{0, 12'000'000}, 3}, Case{{1, 10'000'000}, 2}, Case{{0, 10'000'001}, 3},
                        Case{{11'999'990, 0}, 1}}) {
    for (bool fromFile : {true, false}) {
      RecordingMarker marker;
      const CrcReport report = fromFile ? fileCrc(path, c.window, CrcSet::Crc32, &marker)
                                        : memoryCrc(data.data(), data.size(), c.window, CrcSet::Crc32, &marker);
      SCOPED_TRACE(testing::Message() << "offset " << c.window.offset << " length " << c.window.length);
      const auto range = resolveWindow(data.size(), c.window);
      CrcAccumulator expected(CrcSet::Crc32);  // directly, so the cycle stays where it is
      expected.update(data.data() + range->start, range->count);
      EXPECT_EQ(report.crc.crc32, expected.values().crc32);
      ASSERT_EQ(marker.texts.size(), c.steps);
      const auto first = std::find(std::begin(cycle), std::end(cycle), marker.texts[0]) - std::begin(cycle);
      ASSERT_LT(first, 3);
      if (next) {
        EXPECT_EQ(first, *next);
      }
      for (std::size_t i = 0; i < c.steps; ++i) EXPECT_EQ(marker.texts[i], cycle[(first + i) % 3]);
      next = static_cast<std::ptrdiff_t>((first + c.steps) % 3);
    }
  }
  // A call without a marker moves the cycle on all the same.
  memoryCrc(data.data(), 10'000'000, {}, CrcSet::Crc32);
  RecordingMarker marker;
  memoryCrc(data.data(), 1, {}, CrcSet::Crc32, &marker);
  EXPECT_EQ(marker.texts, std::vector<std::string>{cycle[(*next + 2) % 3]});
}

}  // namespace
}  // namespace qm::crc::test
