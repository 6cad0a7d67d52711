// The trees of image files the registration and recomputation benchmarks work
// on, made once and kept: 20,000 files of 64 KiB in 200 folders under plain/
// and 200 zips of 10 members under zips/; and, in a root of its own, 200,000
// files of 4 KiB in 1,000 folders, where the cost per file outweighs the
// hashing. And timed runs of programs.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm::bench {

inline constexpr int kTreeFolders = 200, kTreeFilesPerFolder = 100, kTreeFileBytes = 64 * 1024;
inline constexpr int kTreeZips = 200, kTreeMembersPerZip = 10;
inline constexpr int kSmallTreeFolders = 1000, kSmallTreeFilesPerFolder = 200, kSmallTreeFileBytes = 4 * 1024;

const std::filesystem::path& imageTreeRoot();
// A later call finds the tree complete (its marker file) and keeps it.
bool makeImageTree();

const std::filesystem::path& smallFileTreeRoot();
// The files lie in plain/ under the root, as in the first tree.
bool makeSmallFileTree();

struct Outcome {
  double seconds;
  long maxRssKiB;
  double cpuSeconds;
};

// Runs argv to its end with its output dropped: its wall time, peak memory and
// processor time; nothing when it fails.
std::optional<Outcome> runProgram(std::vector<std::string> args);
// The fastest of a few runs.
std::optional<Outcome> best(const std::function<std::optional<Outcome>()>& once, int runs = 3);

}  // namespace qm::bench
