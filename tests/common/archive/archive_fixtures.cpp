#include "tests/common/archive/archive_fixtures.h"

#include <zlib.h>

#include <cstdlib>
#include <sstream>

#include "common/platform/files.h"
#include "tests/support/file_bytes.h"

namespace qm::test {
namespace {

// The build folder is a Unix path; Wine shows the Unix root as drive Z:.
std::string fixtureFolder() {
  const char* chosen = std::getenv("QM_ARCHIVE_FIXTURES");
  std::string folder = chosen ? chosen : QM_ARCHIVE_FIXTURES;
#ifdef _WIN32
  if (!folder.empty() && folder[0] == '/') folder = "Z:" + folder;
#endif
  return folder;
}

std::string fromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

std::optional<ArchiveFixtures> load() {
  ArchiveFixtures fixtures;
  fixtures.folder = fixtureFolder();
  const auto manifest = readFile(platform::joinPath(fixtures.folder, "manifest.txt"));
  if (!manifest) return std::nullopt;
  std::istringstream lines(*manifest);
  for (std::string line; std::getline(lines, line);) {
    const auto f = splitTabs(line);
    if (f.size() != 6) continue;
    ExpectedMember member{fromHex(f[1]), std::stoull(f[2]), std::nullopt,
                          static_cast<std::uint32_t>(std::stoul(f[4], nullptr, 16)), f[5]};
    if (!f[3].empty()) member.statedCrc32 = static_cast<std::uint32_t>(std::stoul(f[3], nullptr, 16));
    fixtures.archives[f[0]].push_back(member);
  }
  std::istringstream missing(readFile(platform::joinPath(fixtures.folder, "missing.txt")).value_or(""));
  for (std::string line; std::getline(missing, line);) fixtures.missing.insert(line);
  return fixtures;
}

}  // namespace

std::string ArchiveFixtures::path(const std::string& archive) const { return platform::joinPath(folder, archive); }

const ArchiveFixtures* archiveFixtures() {
  static const std::optional<ArchiveFixtures> loaded = load();
  return loaded ? &*loaded : nullptr;
}

std::uint32_t crc32Of(const std::string& bytes) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

}  // namespace qm::test
