#include "bench/support/image_tree.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

namespace qm::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void writeRandom(const fs::path& path, std::size_t bytes, std::mt19937_64& random) {
  std::vector<std::uint64_t> words(bytes / 8);
  for (auto& word : words) word = random();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(words.data()),
                                              static_cast<std::streamsize>(bytes));
}

void writeFolders(const fs::path& plain, int folders, int filesPerFolder, std::size_t fileBytes,
                  std::mt19937_64& random) {
  for (int f = 0; f < folders; ++f) {
    const fs::path folder = plain / ("folder" + std::to_string(1000 + f));
    fs::create_directories(folder);
    for (int i = 0; i < filesPerFolder; ++i) {
      writeRandom(folder / ("Game " + std::to_string(i) + " (Disk 1).d88"), fileBytes, random);
    }
  }
}

}  // namespace

const fs::path& imageTreeRoot() {
  static const fs::path root = fs::temp_directory_path() / "qm-bench" / "register";
  return root;
}

bool makeImageTree() {
  const fs::path& root = imageTreeRoot();
  if (fs::exists(root / "complete")) return true;
  fs::remove_all(root);
  std::mt19937_64 random(7);
  writeFolders(root / "plain", kTreeFolders, kTreeFilesPerFolder, kTreeFileBytes, random);
  const fs::path staging = root / "staging";
  fs::create_directories(root / "zips");
  for (int z = 0; z < kTreeZips; ++z) {
    fs::remove_all(staging);
    fs::create_directories(staging);
    for (int m = 0; m < kTreeMembersPerZip; ++m) {
      writeRandom(staging / ("Disk " + std::to_string(m) + ".d88"), 4096, random);
    }
    const std::string zip = (root / "zips" / ("set" + std::to_string(1000 + z) + ".zip")).string();
    const std::string command = "cd '" + staging.string() + "' && zip -q -0 '" + zip + "' *.d88";
    if (std::system(command.c_str()) != 0) return false;
  }
  fs::remove_all(staging);
  std::ofstream(root / "complete") << "ok";
  return true;
}

const fs::path& smallFileTreeRoot() {
  static const fs::path root = fs::temp_directory_path() / "qm-bench" / "register-200k";
  return root;
}

bool makeSmallFileTree() {
  const fs::path& root = smallFileTreeRoot();
  if (fs::exists(root / "complete")) return true;
  fs::remove_all(root);
  std::mt19937_64 random(11);
  writeFolders(root / "plain", kSmallTreeFolders, kSmallTreeFilesPerFolder, kSmallTreeFileBytes, random);
  std::ofstream(root / "complete") << "ok";
  return true;
}

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

std::optional<Outcome> best(const std::function<std::optional<Outcome>()>& once, int runs) {
  std::optional<Outcome> fastest;
  for (int i = 0; i < runs; ++i) {
    const auto outcome = once();
    if (!outcome) return std::nullopt;
    if (!fastest || outcome->seconds < fastest->seconds) fastest = outcome;
  }
  return fastest;
}

}  // namespace qm::bench
