#include "common/archive/member_walk.h"

#include <archive_entry.h>
#include <zlib.h>

#include "common/archive/entry_view.h"
#include "common/archive/libarchive_reader.h"
#include "common/archive/member_name.h"
#include "common/archive/rar4_file_headers.h"
#include "common/archive/zip_pairing.h"
#include "common/text/encoding.h"

namespace qm::archive {
namespace {

// libarchive may report an unreadable entry and carry on; a broken archive
// could do so forever.
constexpr int kMaxSkippedEntries = 64;

ArchiveError damaged(const std::string& label, const std::string& why) {
  return {ArchiveErrorKind::Damaged, label + ": " + why};
}

bool isMember(archive_entry* entry) {
  return archive_entry_filetype(entry) == AE_IFREG && archive_entry_hardlink(entry) == nullptr;
}

// Passes the bytes on and takes their CRC-32 on the way.
class CrcTakingSink : public MemberSink {
public:
  explicit CrcTakingSink(MemberSink& sink) : sink_(sink) {}
  bool write(std::span<const std::uint8_t> block) override {
    crc_ = crc32(crc_, block.data(), static_cast<uInt>(block.size()));
    return sink_.write(block);
  }
  std::uint32_t crc() const { return static_cast<std::uint32_t>(crc_); }

private:
  MemberSink& sink_;
  uLong crc_ = crc32(0, nullptr, 0);
};

class Walk {
public:
  Walk(ArchiveType type, ByteSource& source, const std::string& label)
      : type_(type), source_(source), label_(label) {}

  std::optional<ArchiveError> run(MemberVisitor& visitor) {
    if (type_ == ArchiveType::Zip) pairing_ = ZipPairing(readZipDirectory(source_).entries);
    if (type_ == ArchiveType::Rar) rarHeaders_ = readRar4FileHeaders(source_);
    LibarchiveReader reader(source_);
    if (!reader.open(type_)) return damaged(label_, reader.errorText());
    int skipped = 0;
    for (;;) {
      archive_entry* entry = nullptr;
      switch (reader.next(entry)) {
        case LibarchiveReader::Step::End:
          return error_;
        case LibarchiveReader::Step::Fatal:
          return damaged(label_, reader.errorText());
        case LibarchiveReader::Step::Skip:
          // Which header libarchive passed over is not known: no more pairing.
          rarHeaders_.clear();
          error_ = damaged(label_, reader.errorText());
          if (++skipped > kMaxSkippedEntries) return error_;
          break;
        case LibarchiveReader::Step::Entry:
          if (!visitEntry(reader, entry, visitor)) return error_;
          ++entries_;
          break;
      }
    }
  }

private:
  std::optional<Member> describe(archive_entry* entry, bool rar5) {
    const auto view = entryPathUtf8(entry);
    if (!view) return std::nullopt;
    Member member;
    const ZipDirectoryEntry* stored = type_ == ArchiveType::Zip ? pairing_.take(*view) : nullptr;
    if (stored) {
      member.name = names::fromZipEntry(*stored);
      member.statedCrc32 = stored->crc32;
    } else if (type_ == ArchiveType::Zip || (type_ == ArchiveType::Rar && !rar5)) {
      member.name = names::fromLatin1View(*view);
    } else {
      member.name = text::utf8ToSjis(*view);
    }
    member.name = names::fitted(std::move(member.name));
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > 0) {
      member.size = static_cast<std::uint64_t>(archive_entry_size(entry));
    } else if (stored) {
      member.size = stored->size;
    }
    return member;
  }

  // False ends the walk; error_ says why when the archive broke.
  bool visitEntry(LibarchiveReader& reader, archive_entry* entry, MemberVisitor& visitor) {
    if (!isMember(entry)) return true;
    const auto member = describe(entry, reader.isRar5());
    if (!member) {
      error_ = damaged(label_, "a member's name cannot be read");
      return true;
    }
    MemberSink* sink = visitor.visit(*member);
    if (!sink) return visitor.wantsMore();
    const Rar4FileHeader* header = storedRarHeader(entry);
    CrcTakingSink checked(*sink);
    const auto copied = reader.copyData(header ? checked : *sink);
    auto copyError = unpackError(copied, reader);
    if (!copyError && header && checked.crc() != header->crc32)
      copyError = damaged(label_, member->name + ": CRC error");
    const bool goOn = visitor.unpacked(*member, copyError);
    if (copied == LibarchiveReader::Copy::Fatal) {
      error_ = copyError;
      return false;
    }
    return goOn && visitor.wantsMore();
  }

  // The rar 4 header of the current entry when libarchive leaves its CRC
  // unchecked (a stored member) and the header is the entry's for certain.
  const Rar4FileHeader* storedRarHeader(archive_entry* entry) const {
    if (entries_ >= rarHeaders_.size()) return nullptr;
    const Rar4FileHeader& header = rarHeaders_[entries_];
    if (!header.stored || !header.whole || !archive_entry_size_is_set(entry)) return nullptr;
    return header.unpackedSize == static_cast<std::uint64_t>(archive_entry_size(entry)) ? &header : nullptr;
  }

  std::optional<ArchiveError> unpackError(LibarchiveReader::Copy copied, const LibarchiveReader& reader) const {
    switch (copied) {
      case LibarchiveReader::Copy::Done:
        return std::nullopt;
      case LibarchiveReader::Copy::Refused:
        return ArchiveError{ArchiveErrorKind::Stopped, label_ + ": the receiver stopped unpacking"};
      case LibarchiveReader::Copy::Failed:
      case LibarchiveReader::Copy::Fatal:
        break;
    }
    return damaged(label_, reader.errorText());
  }

  ArchiveType type_;
  ByteSource& source_;
  const std::string& label_;
  ZipPairing pairing_;
  std::vector<Rar4FileHeader> rarHeaders_;
  std::size_t entries_ = 0;  // entries libarchive returned before the current one
  std::optional<ArchiveError> error_;
};

class Collector : public MemberVisitor {
public:
  MemberSink* visit(const Member& member) override {
    members.push_back(member);
    return nullptr;
  }
  bool unpacked(const Member&, const std::optional<ArchiveError>&) override { return true; }

  std::vector<Member> members;
};

}  // namespace

std::optional<ArchiveError> visitMembers(ArchiveType type, ByteSource& source, const std::string& label,
                                         MemberVisitor& visitor) {
  // Before any libarchive object exists: it takes the charset on creation.
  CharsetScope charset;
  return Walk(type, source, label).run(visitor);
}

std::optional<ArchiveError> visitMembers(const std::string& archivePath, MemberVisitor& visitor) {
  const auto type = archiveTypeOf(archivePath);
  if (!type) return ArchiveError{ArchiveErrorKind::UnknownType, archivePath + ": not an lzh, zip, rar or 7z file"};
  auto source = FileSource::open(archivePath);
  if (!source) return ArchiveError{ArchiveErrorKind::CannotOpen, archivePath + ": cannot be opened"};
  return visitMembers(*type, *source, archivePath, visitor);
}

WalkResult listMembers(ArchiveType type, ByteSource& source, const std::string& label) {
  Collector collector;
  auto error = visitMembers(type, source, label, collector);
  return {std::move(collector.members), std::move(error)};
}

WalkResult listMembers(const std::string& archivePath) {
  Collector collector;
  auto error = visitMembers(archivePath, collector);
  return {std::move(collector.members), std::move(error)};
}

}  // namespace qm::archive
