#include "common/archive/libarchive_reader.h"

#include <algorithm>
#include <cerrno>

namespace qm::archive {
namespace {

// Names without a charset pass through as ISO-8859-1, which maps every byte
// to itself on every platform, so that member_name.h can judge the bytes. lzh
// names are CP932 in practice, and the lzh reader turns "\" into "/" in level-0
// headers before its charset applies, which only a real CP932 reading survives.
bool enableFormat(::archive* a, ArchiveType type) {
  switch (type) {
    case ArchiveType::Zip:
      return archive_read_support_format_zip(a) == ARCHIVE_OK &&
             archive_read_set_format_option(a, "zip", "hdrcharset", "ISO-8859-1") == ARCHIVE_OK;
    case ArchiveType::Rar:
      return archive_read_support_format_rar(a) == ARCHIVE_OK &&
             archive_read_support_format_rar5(a) == ARCHIVE_OK &&
             archive_read_set_format_option(a, "rar", "hdrcharset", "ISO-8859-1") == ARCHIVE_OK;
    case ArchiveType::SevenZip:
      return archive_read_support_format_7zip(a) == ARCHIVE_OK;
    case ArchiveType::Lzh:
      return archive_read_support_format_lha(a) == ARCHIVE_OK &&
             archive_read_set_format_option(a, "lha", "hdrcharset", "CP932") == ARCHIVE_OK;
  }
  return false;
}

}  // namespace

bool LibarchiveReader::open(ArchiveType type) {
  archive_.reset(archive_read_new());
  if (!archive_) {
    failure_ = "out of memory";
    return false;
  }
  ::archive* a = archive_.get();
  if (!enableFormat(a, type)) return false;
  archive_read_set_callback_data(a, this);
  archive_read_set_read_callback(a, readCallback);
  archive_read_set_seek_callback(a, seekCallback);
  archive_read_set_skip_callback(a, skipCallback);
  return archive_read_open1(a) == ARCHIVE_OK;
}

LibarchiveReader::Step LibarchiveReader::next(archive_entry*& entry) {
  switch (archive_read_next_header(archive_.get(), &entry)) {
    case ARCHIVE_OK:
    case ARCHIVE_WARN:
      return Step::Entry;
    case ARCHIVE_EOF:
      return Step::End;
    case ARCHIVE_RETRY:
    case ARCHIVE_FAILED:
      return Step::Skip;
    default:
      return Step::Fatal;
  }
}

LibarchiveReader::Copy LibarchiveReader::copyData(MemberSink& sink) {
  data_.resize(kBlockBytes);
  for (;;) {
    const la_ssize_t n = archive_read_data(archive_.get(), data_.data(), data_.size());
    if (n == 0) return Copy::Done;
    // A bad CRC comes as ARCHIVE_WARN: the bytes are wrong, so it fails too.
    if (n < 0) return n == ARCHIVE_FATAL ? Copy::Fatal : Copy::Failed;
    if (!sink.write(std::span<const std::uint8_t>(data_.data(), static_cast<std::size_t>(n)))) return Copy::Refused;
  }
}

bool LibarchiveReader::isRar5() const { return archive_format(archive_.get()) == ARCHIVE_FORMAT_RAR_V5; }

std::string LibarchiveReader::errorText() const {
  if (!failure_.empty()) return failure_;
  const char* text = archive_ ? archive_error_string(archive_.get()) : nullptr;
  return text ? text : "broken, or not an archive of its type";
}

la_ssize_t LibarchiveReader::readCallback(::archive* a, void* data, const void** buffer) {
  auto* self = static_cast<LibarchiveReader*>(data);
  self->buffer_.resize(self->readSize_);
  const auto n = self->source_.readAt(self->position_, self->buffer_);
  if (!n) {
    archive_set_error(a, EIO, "read error");
    self->failure_ = "read error";
    return ARCHIVE_FATAL;
  }
  self->position_ += *n;
  self->readSize_ = std::min(self->readSize_ * 2, kLargeRead);
  *buffer = self->buffer_.data();
  return static_cast<la_ssize_t>(*n);
}

la_int64_t LibarchiveReader::seekCallback(::archive* a, void* data, la_int64_t offset, int whence) {
  auto* self = static_cast<LibarchiveReader*>(data);
  const auto size = static_cast<la_int64_t>(self->source_.size());
  la_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<la_int64_t>(self->position_);
  if (whence == SEEK_END) base = size;
  if ((offset > 0 && base > size - offset) || base + offset < 0) {
    archive_set_error(a, EINVAL, "the archive ends before an offset it names");
    return ARCHIVE_FATAL;
  }
  self->position_ = static_cast<std::uint64_t>(base + offset);
  self->readSize_ = kSmallRead;
  return base + offset;
}

la_int64_t LibarchiveReader::skipCallback(::archive*, void* data, la_int64_t request) {
  auto* self = static_cast<LibarchiveReader*>(data);
  if (request <= 0) return 0;
  const std::uint64_t left = self->source_.size() - std::min(self->position_, self->source_.size());
  const auto skipped = static_cast<la_int64_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(request), left));
  self->position_ += static_cast<std::uint64_t>(skipped);
  self->readSize_ = kSmallRead;
  return skipped;
}

}  // namespace qm::archive
