// Registration through quillmoor-cli on a generated tree: 20,000 files of
// 64 KiB in 200 folders, and 200 zips of 10 members each. Each figure is the
// best of a few runs, every run into a fresh library.
// Targets: the plain tree with CRC-32 and CRC-16 in at most 0.9 times the time
// `7z h -scrcCRC32 -r` needs to hash the same files; the zips (stated CRC-32s)
// at least 40,000 members a second; memory flat in the number of files. The
// processor time (user and system) is printed beside the wall time: on a
// shared machine the wall time also holds the waits for a free core.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/image_tree.h"

namespace {

namespace fs = std::filesystem;
using qm::bench::best;
using qm::bench::Outcome;
using qm::bench::runProgram;

constexpr int kZips = qm::bench::kTreeZips, kMembersPerZip = qm::bench::kTreeMembersPerZip;
const fs::path& kRoot = qm::bench::imageTreeRoot();

}  // namespace

int main(int argc, char** argv) {
  const fs::path cli = fs::path(argc > 1 ? argv[1] : fs::canonical("/proc/self/exe").parent_path()) /
                       "quillmoor-cli";
  std::printf("generating %d files of %d KiB and %d zips in %s ...\n",
              qm::bench::kTreeFolders * qm::bench::kTreeFilesPerFolder, qm::bench::kTreeFileBytes / 1024, kZips,
              kRoot.c_str());
  if (!qm::bench::makeImageTree()) {
    std::fprintf(stderr, "could not make the tree (is zip installed?)\n");
    return 1;
  }
  const std::string db = (kRoot / "Quillmoor.db").string();
  const auto registerRun = [&](std::vector<std::string> options, const fs::path& what) {
    return [=]() -> std::optional<Outcome> {
      fs::remove(db);
      if (!runProgram({cli.string(), "create", "--db", db})) return std::nullopt;
      std::vector<std::string> args = {cli.string(), "register", "--db", db, "--machine", "PC88シリーズ"};
      args.insert(args.end(), options.begin(), options.end());
      args.push_back(what.string());
      return runProgram(args);
    };
  };

  const auto sevenZip = best([] {
    return runProgram({"7z", "h", "-scrcCRC32", "-r", (kRoot / "plain").string()});
  });
  const auto plain = best(registerRun({"--subdirs", "--crc32", "--crc16"}, kRoot / "plain"));
  const auto oneFolder = best(registerRun({"--subdirs", "--crc32", "--crc16"}, kRoot / "plain" / "folder1000"));
  const auto zips = best(registerRun({"--archives", "--crc32"}, kRoot / "zips"));
  if (!sevenZip || !plain || !oneFolder || !zips) {
    std::fprintf(stderr, "a run failed\n");
    return 1;
  }
  const double ratio = plain->seconds / sevenZip->seconds;
  const double membersPerSecond = kZips * kMembersPerZip / zips->seconds;
  std::printf("7z h -scrcCRC32 (20,000 files):        %.3f s  (cpu %.3f s)\n", sevenZip->seconds,
              sevenZip->cpuSeconds);
  std::printf("register, CRC-32 and CRC-16:          %.3f s  (cpu %.3f s) = %.2f x 7z (target <= 0.90)  %s\n",
              plain->seconds, plain->cpuSeconds, ratio, ratio <= 0.9 ? "ok" : "MISSED");
  std::printf("register zips, stated CRC-32:         %.3f s  (cpu %.3f s) = %.0f members/s (target >= 40000)  %s\n",
              zips->seconds, zips->cpuSeconds, membersPerSecond, membersPerSecond >= 40000 ? "ok" : "MISSED");
  std::printf("max RSS: 100 files %ld KiB, 20,000 files %ld KiB, zips %ld KiB\n", oneFolder->maxRssKiB,
              plain->maxRssKiB, zips->maxRssKiB);
  return 0;
}
