#include "app/dat_verify/image_sizes.h"

#include "common/archive/member_walk.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/sjis.h"

namespace qm::datverify {
namespace {

// Where the archive's path ends in a key "archive*member"; "*" is never a
// trail byte nor part of a Windows file name.
std::size_t memberMark(const std::string& key) { return sjis::find(key, '*'); }

}  // namespace

std::optional<std::uint64_t> ImageSizes::sizeOf(const std::string& key) {
  const std::size_t mark = memberMark(key);
  if (mark == sjis::npos) return platform::fileSize(key);
  const std::string archive = key.substr(0, mark);
  auto listed = archives_.find(archive);
  if (listed == archives_.end()) {
    std::map<std::string, std::uint64_t> members;
    for (const archive::Member& member : archive::listMembers(archive).members) members.emplace(member.name, member.size);
    listed = archives_.emplace(archive, std::move(members)).first;
  }
  const auto member = listed->second.find(key.substr(mark + 1));
  if (member == listed->second.end()) return std::nullopt;
  return member->second;
}

std::string imageFileName(const std::string& key) {
  const std::size_t mark = memberMark(key);
  const std::string_view path = mark == sjis::npos ? std::string_view(key) : std::string_view(key).substr(mark + 1);
  return std::string(platform::splitAtLastSeparator(path).name);
}

}  // namespace qm::datverify
