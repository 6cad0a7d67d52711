// One libarchive read object over a ByteSource, set up for one archive type.
// Every operation makes its own, so no two threads ever share one.
#pragma once

#include <archive.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/archive/archive_type.h"
#include "common/archive/byte_source.h"
#include "common/archive/member_sink.h"

namespace qm::archive {

struct ArchiveFree {
  void operator()(::archive* a) const { archive_read_free(a); }
};
using UniqueArchive = std::unique_ptr<::archive, ArchiveFree>;

class LibarchiveReader {
public:
  enum class Step { Entry, Skip, End, Fatal };
  enum class Copy { Done, Failed, Fatal, Refused };

  // Reads through `source`, which must outlive the reader. Make a CharsetScope
  // first (entry_view.h).
  explicit LibarchiveReader(ByteSource& source) : source_(source) {}
  LibarchiveReader(const LibarchiveReader&) = delete;
  LibarchiveReader& operator=(const LibarchiveReader&) = delete;

  // Only the type's own format is enabled: a ".zip" that is really something
  // else is damaged, as it was for the archiver of its type.
  bool open(ArchiveType type);
  // Entry: `entry` holds the next member. Skip: this entry is unreadable but
  // the walk may go on. End: no more entries. Fatal: the archive is broken here.
  Step next(archive_entry*& entry);
  // The current entry's bytes into `sink`.
  Copy copyData(MemberSink& sink);
  bool isRar5() const;
  std::string errorText() const;

private:
  static la_ssize_t readCallback(::archive*, void* self, const void** buffer);
  static la_int64_t seekCallback(::archive*, void* self, la_int64_t offset, int whence);
  static la_int64_t skipCallback(::archive*, void* self, la_int64_t request);

  ByteSource& source_;
  std::uint64_t position_ = 0;
  std::size_t readSize_ = kSmallRead;
  std::vector<std::uint8_t> buffer_;
  std::vector<std::uint8_t> data_;
  std::string failure_;
  UniqueArchive archive_;

  // After a seek libarchive mostly wants one header; sequential reads grow.
  static constexpr std::size_t kSmallRead = 4096;
  static constexpr std::size_t kLargeRead = 256 * 1024;
};

}  // namespace qm::archive
