// What a sync of a folder does with each image, decided from what the library
// holds and what the folder holds now, without touching either. An image that
// is gone and whose size and CRC32 match exactly one new file (and that file no
// other gone image) has moved there; every other gone image stays missing, or
// is left alone when the match is not unique. Nothing here guesses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "crclib/seen_files.h"

namespace qm::sync {

// An image of the library whose file is gone (decided by the caller).
struct GoneImage {
  std::string key;
  std::string crc32;  // as stored; "" when the library has none
};

// A file or archive member the walk found under the folder.
struct FoundImage {
  std::string key;
  reg::SeenStamp stamp;
  bool inLibrary = false;  // its key is an image of the library already
  std::string crc32;       // a new file's, when it was read; a member's as its archive states it; else ""
  bool member = false;     // a member of an archive
};

struct Ambiguity {
  std::vector<std::string> gone;   // the library's images that match
  std::vector<std::string> found;  // the new files they match
};

struct Move {
  std::string from, to;
};

struct SyncPlan {
  std::vector<Move> moved;
  std::vector<std::string> changed;  // keys whose file differs from when it was last seen
  std::vector<std::string> added;    // new keys without a match
  std::vector<std::string> missing;  // gone images without a match
  std::vector<Ambiguity> ambiguous;
  // Images walked without a stamp on record: unchanged, to be recorded now.
  std::vector<std::string> firstSeen;
};

// `gone` and `found` in walk order; the plan keeps their order. A gone image
// without a stamp on record matches by CRC32 alone; with one, its size must
// agree as well.
SyncPlan planSync(const std::vector<GoneImage>& gone, const std::vector<FoundImage>& found,
                  const reg::SeenStamps& seen);

// Whether a new file of this size could match a gone image, so that its CRC32
// is worth reading.
class MatchSizes {
public:
  MatchSizes(const std::vector<GoneImage>& gone, const reg::SeenStamps& seen);
  bool worthReading(std::int64_t size) const;

private:
  bool anySize_ = false;
  std::vector<std::int64_t> sizes_;  // sorted
};

}  // namespace qm::sync
