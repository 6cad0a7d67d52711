#include "crclib/file_crc.h"

#include <algorithm>
#include <memory>

namespace qm::crc {

CrcReport fileCrc(const std::string& path, CrcWindow window, CrcSet set, ProgressMarker* marker) {
  OpenedSource opened = openFileSource(path);
  if (!opened.source) return {CrcOutcome::Failed, {}, opened.error};
  return sourceCrc(*opened.source, window, set, marker);
}

CrcReport sourceCrc(FileSource& source, CrcWindow window, CrcSet set, ProgressMarker* marker) {
  const auto range = resolveWindow(source.size(), window);
  if (!range) return {};
  const auto blockSize = static_cast<std::size_t>(std::min<std::uint64_t>(range->count, kReadBlock));
  const auto block = std::make_unique_for_overwrite<unsigned char[]>(blockSize);
  CrcAccumulator accumulator(set);
  MarkedFeed feed(accumulator, marker);
  for (std::uint64_t done = 0; done < range->count;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(range->count - done, blockSize));
    if (auto error = source.read(range->start + done, {block.get(), n})) return {CrcOutcome::Failed, {}, *error};
    feed.add(block.get(), n);
    done += n;
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
