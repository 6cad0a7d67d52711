#include "app/sync/folder_walk.h"

#include "common/archive/archive_type.h"
#include "common/archive/member_walk.h"
#include "common/platform/files.h"
#include "common/platform/folder_identity.h"
#include "crclib/crc_accumulator.h"
#include "crclib/folder_entries.h"
#include "crclib/registration_rules.h"

namespace qm::sync {
namespace {

class Walker {
public:
  Walker(const reg::RegistrationRequest& request, const std::string& extensions, const KeyLookup& inLibrary)
      : request_(request), extensions_(extensions), inLibrary_(inLibrary) {}

  void walk(const std::string& folder) {
    if (!visited_.enter(folder)) return;
    const auto listed = reg::listFolder(folder);
    if (!listed) {
      result.unreadable.push_back(folder);
      return;
    }
    for (const reg::FolderEntry& entry : listed->entries) {
      const std::string path = platform::joinPath(folder, entry.name);
      if (entry.isFolder) {
        if (request_.settings.searchSubfolders) walk(path);
        continue;
      }
      const std::string extension = reg::extensionOf(entry.name);
      if (request_.settings.searchArchives && archive::archiveTypeFromText(extension))
        addMembers(path);
      else if (extensions_.empty() || reg::extensionListed(extension, extensions_))
        addFile(path);
    }
  }

  FolderWalk result;

private:
  void addFile(const std::string& path) {
    const auto stamp = platform::fileStamp(path);
    if (!stamp) return;  // gone between the listing and now
    result.images.push_back(
        {path, {static_cast<std::int64_t>(stamp->size), stamp->modified}, inLibrary_(path), "", false});
  }

  // Members as the registration keeps them: with a listed extension. Only
  // the CRC32s the archive states count: nothing is unpacked.
  void addMembers(const std::string& path) {
    if (extensions_.empty()) return;
    const auto stamp = platform::fileStamp(path);
    const archive::WalkResult listed = archive::listMembers(path);
    if (!stamp || listed.error) result.unreadable.push_back(path);
    if (!stamp) return;
    for (const archive::Member& member : listed.members) {
      const std::string extension = reg::memberExtensionOf(member.name);
      if (extension.empty() || !reg::extensionListed(extension, extensions_)) continue;
      const std::string key = path + "*" + member.name;
      const bool stated = member.statedCrc32 && *member.statedCrc32 != 0;
      result.images.push_back({key, {static_cast<std::int64_t>(member.size), stamp->modified}, inLibrary_(key),
                               stated ? crc::crc32Text(*member.statedCrc32) : "", true});
    }
  }

  const reg::RegistrationRequest& request_;
  const std::string& extensions_;
  const KeyLookup& inLibrary_;
  platform::VisitedFolders visited_;
};

}  // namespace

FolderWalk walkFolder(const std::string& folder, const reg::RegistrationRequest& request,
                      const std::string& extensions, const KeyLookup& inLibrary) {
  Walker walker(request, extensions, inLibrary);
  walker.walk(folder);
  return std::move(walker.result);
}

}  // namespace qm::sync
