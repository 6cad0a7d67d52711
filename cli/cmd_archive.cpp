#include <cstdio>

#include "cli/cli.h"
#include "common/archive/member_extract.h"
#include "common/archive/member_walk.h"

namespace qm::cli {
namespace {

std::string crcText(const std::optional<std::uint32_t>& crc) {
  if (!crc) return {};
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(*crc));
  return text;
}

}  // namespace

int runArchiveList(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {});
  if (args.positional.size() != 1) {
    printError("usage: quillmoor-cli archive-list ARCHIVE");
    return 2;
  }
  const archive::WalkResult walk = archive::listMembers(args.positional[0]);
  for (const archive::Member& member : walk.members)
    printLine(member.name + "\t" + std::to_string(member.size) + "\t" + crcText(member.statedCrc32));
  // The members before the damage are listed all the same, and before the error.
  if (walk.error) {
    std::fflush(stdout);
    printError("error: " + walk.error->message);
    return 1;
  }
  return 0;
}

int runArchiveExtract(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {});
  if (args.positional.size() != 3) {
    printError("usage: quillmoor-cli archive-extract ARCHIVE MEMBER FOLDER");
    return 2;
  }
  const auto& p = args.positional;
  const archive::ExtractResult result = archive::extractMember(p[0], p[1], p[2]);
  if (result.error) {
    printError("error: " + result.error->message);
    return 1;
  }
  printLine("extracted " + result.path);
  return 0;
}

}  // namespace qm::cli
