// Registration through quillmoor-cli on generated trees: 20,000 files of
// 64 KiB in 200 folders, 200 zips of 10 members each, and 200,000 files of
// 4 KiB in 1,000 folders. Each figure is the best of a few runs, every run
// into a fresh library.
// Targets: the 20,000 files with CRC-32 and CRC-16 in at most 0.9 times the
// time `7z h -scrcCRC32 -r` needs to hash the same files, the 200,000 small
// ones (where the cost per file outweighs the hashing) in at most 0.7 times;
// the zips (stated CRC-32s) at least 40,000 members a second; memory flat in
// the number of files. The processor time (user and system) is printed beside
// the wall time: on a shared machine the wall time also holds the waits for a
// free core. The library file's growth per stored image is printed too.
#include <cstdio>
#include <functional>
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
constexpr int kSmallFiles = qm::bench::kSmallTreeFolders * qm::bench::kSmallTreeFilesPerFolder;
const fs::path& kRoot = qm::bench::imageTreeRoot();

class Registrar {
public:
  Registrar(fs::path cli, fs::path db) : cli_(std::move(cli)), db_(std::move(db)) {}

  // Timed from the created library to the end of the registration.
  std::function<std::optional<Outcome>()> run(std::vector<std::string> options, const fs::path& what) {
    return [this, options, what]() -> std::optional<Outcome> {
      fs::remove(db_);
      if (!runProgram({cli_.string(), "create", "--db", db_.string()})) return std::nullopt;
      createdBytes_ = fs::file_size(db_);
      std::vector<std::string> args = {cli_.string(), "register", "--db", db_.string(), "--machine", "PC88シリーズ"};
      args.insert(args.end(), options.begin(), options.end());
      args.push_back(what.string());
      return runProgram(args);
    };
  }
  // Of the last run.
  double bytesPerImage(int images) const {
    return static_cast<double>(fs::file_size(db_) - createdBytes_) / images;
  }

private:
  fs::path cli_, db_;
  std::uintmax_t createdBytes_ = 0;
};

std::optional<Outcome> sevenZipOver(const fs::path& folder) {
  return best([folder] { return runProgram({"7z", "h", "-scrcCRC32", "-r", folder.string()}); });
}

void printAgainst7z(const char* files, const Outcome& sevenZip, const Outcome& ours, double target) {
  const double ratio = ours.seconds / sevenZip.seconds;
  std::printf("%-9s 7z h -scrcCRC32:                 %7.3f s  (cpu %.3f s)\n", files, sevenZip.seconds,
              sevenZip.cpuSeconds);
  std::printf("%-9s register, CRC-32 and CRC-16:     %7.3f s  (cpu %.3f s) = %.2f x 7z (target <= %.2f)  %s\n",
              files, ours.seconds, ours.cpuSeconds, ratio, target, ratio <= target ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path cli = fs::path(argc > 1 ? argv[1] : fs::canonical("/proc/self/exe").parent_path()) /
                       "quillmoor-cli";
  std::printf("generating %d files of %d KiB and %d zips in %s, %d files of %d KiB in %s ...\n",
              qm::bench::kTreeFolders * qm::bench::kTreeFilesPerFolder, qm::bench::kTreeFileBytes / 1024, kZips,
              kRoot.c_str(), kSmallFiles, qm::bench::kSmallTreeFileBytes / 1024,
              qm::bench::smallFileTreeRoot().c_str());
  std::fflush(stdout);
  if (!qm::bench::makeImageTree() || !qm::bench::makeSmallFileTree()) {
    std::fprintf(stderr, "could not make the trees (is zip installed?)\n");
    return 1;
  }
  Registrar registrar(cli, kRoot / "Quillmoor.db");
  const std::vector<std::string> bothCrcs = {"--subdirs", "--crc32", "--crc16"};

  const auto sevenZip = sevenZipOver(kRoot / "plain");
  const auto plain = best(registrar.run(bothCrcs, kRoot / "plain"));
  const double plainBytes = plain ? registrar.bytesPerImage(qm::bench::kTreeFolders * qm::bench::kTreeFilesPerFolder) : 0;
  const auto oneFolder = best(registrar.run(bothCrcs, kRoot / "plain" / "folder1000"));
  const auto zips = best(registrar.run({"--archives", "--crc32"}, kRoot / "zips"));
  const fs::path small = qm::bench::smallFileTreeRoot() / "plain";
  const auto sevenZipSmall = sevenZipOver(small);
  const auto smallFiles = best(registrar.run(bothCrcs, small));
  const double smallBytes = smallFiles ? registrar.bytesPerImage(kSmallFiles) : 0;
  if (!sevenZip || !plain || !oneFolder || !zips || !sevenZipSmall || !smallFiles) {
    std::fprintf(stderr, "a run failed\n");
    return 1;
  }
  printAgainst7z("20,000", *sevenZip, *plain, 0.9);
  printAgainst7z("200,000", *sevenZipSmall, *smallFiles, 0.7);
  const double membersPerSecond = kZips * kMembersPerZip / zips->seconds;
  std::printf("register zips, stated CRC-32:         %.3f s  (cpu %.3f s) = %.0f members/s (target >= 40000)  %s\n",
              zips->seconds, zips->cpuSeconds, membersPerSecond, membersPerSecond >= 40000 ? "ok" : "MISSED");
  std::printf("library growth per image: 20,000 files %.0f bytes, 200,000 files %.0f bytes\n", plainBytes,
              smallBytes);
  std::printf("max RSS: 100 files %ld KiB, 20,000 files %ld KiB, 200,000 files %ld KiB, zips %ld KiB\n",
              oneFolder->maxRssKiB, plain->maxRssKiB, smallFiles->maxRssKiB, zips->maxRssKiB);
  return 0;
}
