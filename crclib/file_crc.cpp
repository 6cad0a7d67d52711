#include "crclib/file_crc.h"

#include <algorithm>
#include <future>
#include <memory>

namespace qm::crc {

CrcReport fileCrc(const std::string& path, CrcWindow window, CrcSet set, ProgressMarker* marker) {
  OpenedSource opened = openFileSource(path);
  if (!opened.source) return {CrcOutcome::Failed, {}, opened.error};
  CrcReport report = sourceCrc(*opened.source, window, set, marker);
  report.stamp = opened.source->stamp();
  return report;
}

namespace {

// A window of one block is read and computed in turn: a second thread would
// cost more than it saves on the many small files of a registration.
CrcReport oneBlockCrc(FileSource& source, std::uint64_t start, std::size_t count, CrcSet set,
                      ProgressMarker* marker) {
  const auto block = std::make_unique_for_overwrite<unsigned char[]>(count);
  if (auto error = source.read(start, {block.get(), count})) return {CrcOutcome::Failed, {}, *error};
  CrcAccumulator accumulator(set);
  MarkedFeed feed(accumulator, marker);
  feed.add(block.get(), count);
  return {CrcOutcome::Computed, accumulator.values(), {}};
}

}  // namespace

// Larger windows: the next block is read on a second thread while this one
// computes the block before, so the file is hashed as fast as the slower of
// the two allows rather than at the sum of both.
CrcReport sourceCrc(FileSource& source, CrcWindow window, CrcSet set, ProgressMarker* marker) {
  const auto range = resolveWindow(source.size(), window);
  if (!range) return {};
  if (range->count <= kReadBlock) {
    return oneBlockCrc(source, range->start, static_cast<std::size_t>(range->count), set, marker);
  }
  std::unique_ptr<unsigned char[]> blocks[2] = {std::make_unique_for_overwrite<unsigned char[]>(kReadBlock),
                                                std::make_unique_for_overwrite<unsigned char[]>(kReadBlock)};
  const auto sizeAt = [&](std::uint64_t done) {
    return static_cast<std::size_t>(std::min<std::uint64_t>(range->count - done, kReadBlock));
  };
  const auto readAhead = [&](int b, std::uint64_t done) {
    return std::async(std::launch::async, [&source, &blocks, b, at = range->start + done, n = sizeAt(done)] {
      return source.read(at, {blocks[b].get(), n});
    });
  };
  CrcAccumulator accumulator(set);
  MarkedFeed feed(accumulator, marker);
  auto pending = readAhead(0, 0);
  int current = 0;
  for (std::uint64_t done = 0; done < range->count;) {
    if (auto error = pending.get()) return {CrcOutcome::Failed, {}, *error};
    const std::size_t n = sizeAt(done);
    if (done + n < range->count) pending = readAhead(1 - current, done + n);
    feed.add(blocks[current].get(), n);
    done += n;
    current = 1 - current;
  }
  return {CrcOutcome::Computed, accumulator.values(), {}};
}

// The window is checksummed where it lies; there is no need for a copy.
CrcReport memoryCrc(const unsigned char* data, std::uint64_t size, CrcWindow window, CrcSet set,
                    ProgressMarker* marker) {
  const auto range = data ? resolveWindow(size, window) : std::nullopt;
  if (!range) return {};
  CrcAccumulator accumulator(set);
  MarkedFeed feed(accumulator, marker);
  feed.add(data + range->start, static_cast<std::size_t>(range->count));
  return {CrcOutcome::Computed, accumulator.values(), {}};
}

}  // namespace qm::crc
