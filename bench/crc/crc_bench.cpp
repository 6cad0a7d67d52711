// CRC throughput on a 1 GiB file in the page cache: ours against cksum
// (coreutils) and 7-Zip's hash command, each the best of a few runs.
// Targets: CRC-32 alone at least as fast as cksum; CRC-32 and CRC-16 together
// at least 1.5 times the throughput of `7z h -scrcCRC32`.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "crclib/file_crc.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kFileSize = std::uint64_t{1} << 30;
constexpr int kRuns = 5;

fs::path benchFile() {
  const fs::path folder = fs::temp_directory_path() / "qm-bench";
  fs::create_directories(folder);
  const fs::path path = folder / "crc-1GiB.bin";
  std::error_code error;
  if (fs::file_size(path, error) == kFileSize) return path;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::mt19937_64 random(42);
  std::vector<std::uint64_t> block(1 << 17);
  for (std::uint64_t written = 0; written < kFileSize; written += block.size() * 8) {
    for (auto& word : block) word = random();
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size() * 8));
  }
  return path;
}

// The best time of a few runs, in seconds; nothing when a run failed.
std::optional<double> best(const std::function<bool()>& run) {
  std::optional<double> fastest;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    if (!run()) return std::nullopt;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!fastest || seconds < *fastest) fastest = seconds;
  }
  return fastest;
}

bool installed(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

bool quietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// 7-Zip's CRC-32 of the file, to check that all measure the same thing.
std::string sevenZipCrc(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(("7z h -scrcCRC32 '" + path + "'").c_str(), "r"), ::pclose);
  char line[256];
  while (pipe && std::fgets(line, sizeof line, pipe.get())) {
    const std::string text = line;
    if (text.rfind("CRC32  for data:", 0) == 0) return text.substr(text.find_last_of(' ') + 1, 8);
  }
  return "?";
}

void row(const char* name, const std::optional<double>& seconds) {
  if (!seconds) {
    std::printf("  %-26s not available\n", name);
    return;
  }
  std::printf("  %-26s %7.3f s  %6.2f GiB/s\n", name, *seconds, 1.0 / *seconds);
}

void ratio(const char* what, const std::optional<double>& ours, const std::optional<double>& theirs, double target) {
  if (!ours || !theirs) {
    std::printf("  %-40s n/a\n", what);
    return;
  }
  const double r = *theirs / *ours;
  std::printf("  %-40s %5.2fx  (target >= %.1fx: %s)\n", what, r, target, r >= target ? "met" : "MISSED");
}

}  // namespace

int main() {
  using namespace qm::crc;
  const std::string path = benchFile().string();
  if (!quietly("cat '" + path + "'")) return 1;  // into the page cache
  std::printf("1 GiB file %s, engine: %s, best of %d runs\n", path.c_str(), fastestEngine().name, kRuns);

  CrcPair crc;
  auto ours = [&](CrcSet set) {
    return [&, set] {
      const CrcReport report = fileCrc(path, {}, set);
      if (report.outcome == CrcOutcome::Computed) crc = report.crc;
      return report.outcome == CrcOutcome::Computed;
    };
  };
  const auto crc32Alone = best(ours(CrcSet::Crc32));
  const auto both = best(ours(CrcSet::Both));
  // The tool as a user runs it: both CRCs, process start included.
  const std::string cli = (std::filesystem::canonical("/proc/self/exe").parent_path() / "quillmoor-cli").string();
  const auto tool = std::filesystem::exists(cli) ? best([&] { return quietly("'" + cli + "' crc '" + path + "'"); })
                                                 : std::nullopt;
  const auto cksum = installed("cksum") ? best([&] { return quietly("cksum '" + path + "'"); }) : std::nullopt;
  const auto sevenZip =
      installed("7z") ? best([&] { return quietly("7z h -scrcCRC32 '" + path + "'"); }) : std::nullopt;

  row("CRC-32 (ours)", crc32Alone);
  row("CRC-32 + CRC-16 (ours)", both);
  row("quillmoor-cli crc (both)", tool);
  row("cksum", cksum);
  row("7z h -scrcCRC32", sevenZip);
  std::printf("  CRC-32 %s, CRC-16 %s; 7z says %s\n", crc32Text(crc.crc32).c_str(), crc16Text(crc.crc16).c_str(),
              sevenZip ? sevenZipCrc(path).c_str() : "-");
  std::printf("Ratios (throughput, ours / theirs):\n");
  ratio("CRC-32 alone vs cksum", crc32Alone, cksum, 1.0);
  ratio("CRC-32 + CRC-16 vs 7z h -scrcCRC32", both, sevenZip, 2.0);
  ratio("quillmoor-cli crc vs 7z h -scrcCRC32", tool, sevenZip, 2.0);
  return 0;
}
