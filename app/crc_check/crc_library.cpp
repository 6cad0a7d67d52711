#include "app/crc_check/crc_library.h"

#include <utility>

#include "common/platform/files.h"
#include "crclib/file_crc.h"
#include "crclib/heap_text.h"
#include "crclib/registration_exports.h"

namespace qm::crc_check {
namespace {

// The result text the export stored, which this side frees.
std::string taken(char* text) {
  std::string out = text ? text : "";
  crc::freeHeapText(text);
  return out;
}

// What the exports answer when there is no CRC ("00000000", "FFFF").
std::string errorText(CrcKind kind) {
  const crc::CrcPair none;
  return kind == CrcKind::Crc32 ? crc::crc32Text(none.crc32) : crc::crc16Text(none.crc16);
}

}  // namespace

registration::Binding CrcLibrary::bind(const std::string& programFolder) {
  reset();
  library_ = platform::SharedLibrary(
      platform::joinPath(programFolder, platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
  if (!library_.loaded()) {
    reason_ = library_.error();
    return registration::Binding::NotLoaded;
  }
  const auto version = library_.function<reg::GetLibVersionCrcExport>("getLibVersionCRC");
  if (version && version() < reg::kLibVersionCrc) {
    library_ = platform::SharedLibrary();
    return registration::Binding::TooOld;
  }
  file32_ = library_.function<crc::GetFileCrcExport>("GetFileCRC32");
  file16_ = library_.function<crc::GetFileCrcExport>("GetFileCRC16");
  memory32_ = library_.function<crc::GetMemCrcExport>("GetMemCRC32");
  memory16_ = library_.function<crc::GetMemCrcExport>("GetMemCRC16");
  const std::pair<const void*, const char*> entries[] = {
      {reinterpret_cast<const void*>(version), "getLibVersionCRC"},
      {reinterpret_cast<const void*>(file32_), "GetFileCRC32"},
      {reinterpret_cast<const void*>(file16_), "GetFileCRC16"},
      {reinterpret_cast<const void*>(memory32_), "GetMemCRC32"},
      {reinterpret_cast<const void*>(memory16_), "GetMemCRC16"},
  };
  for (const auto& [entry, name] : entries) {
    if (entry) continue;
    reset();
    reason_ = name;
    return registration::Binding::MissingEntry;
  }
  return registration::Binding::Bound;
}

void CrcLibrary::reset() {
  file32_ = file16_ = nullptr;
  memory32_ = memory16_ = nullptr;
  reason_.clear();
  library_ = platform::SharedLibrary();
}

FileCrcText CrcLibrary::fileCrc(CrcKind kind, const std::string& path, std::uint32_t offset, std::uint32_t length) {
  // Opened before the export is called, so that it has no box to show for a
  // file that cannot be opened.
  const crc::OpenedSource opened = crc::openFileSource(path);
  if (!opened.source) return {"", opened.error};
  const auto call = kind == CrcKind::Crc32 ? file32_ : file16_;
  char* result = nullptr;
  if (call) call(path.c_str(), &result, statusWindow_, offset, length);
  FileCrcText crc{taken(result), std::nullopt};
  if (crc.text != errorText(kind)) return crc;
  // A read that failed on the way, or bytes whose CRC is the error value.
  const auto set = kind == CrcKind::Crc32 ? crc::CrcSet::Crc32 : crc::CrcSet::Crc16;
  const crc::CrcReport again = crc::sourceCrc(*opened.source, {offset, length}, set);
  if (again.outcome == crc::CrcOutcome::Failed) crc.error = again.error;
  return crc;
}

std::string CrcLibrary::memoryCrc(CrcKind kind, std::string_view bytes) {
  const auto call = kind == CrcKind::Crc32 ? memory32_ : memory16_;
  const void* data = bytes.data();
  char* result = nullptr;
  if (call) call(&data, static_cast<std::uint32_t>(bytes.size()), 0, 0, &result, statusWindow_);
  return taken(result);
}

}  // namespace qm::crc_check
