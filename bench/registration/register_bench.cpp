// Registration through quillmoor-cli on a generated tree: 20,000 files of
// 64 KiB in 200 folders, and 200 zips of 10 members each. Each figure is the
// best of a few runs, every run into a fresh library.
// Targets: the plain tree with CRC-32 and CRC-16 in at most 0.9 times the time
// `7z h -scrcCRC32 -r` needs to hash the same files; the zips (stated CRC-32s)
// at least 40,000 members a second; memory flat in the number of files. The
// processor time (user and system) is printed beside the wall time: on a
// shared machine the wall time also holds the waits for a free core.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFolders = 200, kFilesPerFolder = 100, kFileBytes = 64 * 1024;
constexpr int kZips = 200, kMembersPerZip = 10;
constexpr int kRuns = 3;

const fs::path kRoot = fs::temp_directory_path() / "qm-bench" / "register";

void writeRandom(const fs::path& path, std::size_t bytes, std::mt19937_64& random) {
  std::vector<std::uint64_t> words(bytes / 8);
  for (auto& word : words) word = random();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(words.data()),
                                              static_cast<std::streamsize>(bytes));
}

// Made once; a later start finds the tree complete (its marker file) and keeps it.
bool makeTree() {
  if (fs::exists(kRoot / "complete")) return true;
  fs::remove_all(kRoot);
  std::mt19937_64 random(7);
  for (int f = 0; f < kFolders; ++f) {
    const fs::path folder = kRoot / "plain" / ("folder" + std::to_string(1000 + f));
    fs::create_directories(folder);
    for (int i = 0; i < kFilesPerFolder; ++i) {
      writeRandom(folder / ("Game " + std::to_string(i) + " (Disk 1).d88"), kFileBytes, random);
    }
  }
  const fs::path staging = kRoot / "staging";
  fs::create_directories(kRoot / "zips");
  for (int z = 0; z < kZips; ++z) {
    fs::remove_all(staging);
    fs::create_directories(staging);
    for (int m = 0; m < kMembersPerZip; ++m) {
      writeRandom(staging / ("Disk " + std::to_string(m) + ".d88"), 4096, random);
    }
    const std::string zip = (kRoot / "zips" / ("set" + std::to_string(1000 + z) + ".zip")).string();
    const std::string command = "cd '" + staging.string() + "' && zip -q -0 '" + zip + "' *.d88";
    if (std::system(command.c_str()) != 0) return false;
  }
  fs::remove_all(staging);
  std::ofstream(kRoot / "complete") << "ok";
  return true;
}

struct Outcome {
  double seconds;
  long maxRssKiB;
  double cpuSeconds;
};

// Runs argv to its end; its wall time and peak memory.
std::optional<Outcome> runProgram(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int devnull = ::open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    dup2(devnull, 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return Outcome{std::chrono::duration<double>(Clock::now() - start).count(), usage.ru_maxrss,
                 seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

std::optional<Outcome> best(const std::function<std::optional<Outcome>()>& once) {
  std::optional<Outcome> fastest;
  for (int i = 0; i < kRuns; ++i) {
    const auto outcome = once();
    if (!outcome) return std::nullopt;
    if (!fastest || outcome->seconds < fastest->seconds) fastest = outcome;
  }
  return fastest;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path cli = fs::path(argc > 1 ? argv[1] : fs::canonical("/proc/self/exe").parent_path()) /
                       "quillmoor-cli";
  std::printf("generating %d files of %d KiB and %d zips in %s ...\n", kFolders * kFilesPerFolder,
              kFileBytes / 1024, kZips, kRoot.c_str());
  if (!makeTree()) {
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
