// Folder sync through quillmoor-cli on a registered tree of 100,000 small
// files in 1,000 folders, every image with a row in each side table.
// Targets: a sync that finds nothing changed within 3 times the time of
// `find FOLDER -type f -printf '%s %T@\n'` on the same tree (cache warm); a
// sync after 10,000 files moved to other folders within 5 s, every moved image
// re-keyed with all its side rows. The tree is kept between runs; the moved
// files are put back at the end.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/image_tree.h"
#include "common/db/db_connection.h"
#include "dblib/schema.h"

namespace {

namespace fs = std::filesystem;
using qm::bench::best;
using qm::bench::Outcome;
using qm::bench::runProgram;

constexpr int kFolders = 1000, kFilesPerFolder = 100, kMovedFolders = 100;
const fs::path kRoot = fs::temp_directory_path() / "qm-bench" / "sync";
const fs::path kTree = kRoot / "tree";

std::string folderName(int f) {
  char name[16];
  std::snprintf(name, sizeof name, "f%04d", f);
  return name;
}

bool makeTree() {
  if (fs::exists(kRoot / "complete")) return true;
  for (int f = 0; f < kFolders; ++f) {
    fs::create_directories(kTree / "plain" / folderName(f));
    for (int i = 0; i < kFilesPerFolder; ++i) {
      const int n = f * kFilesPerFolder + i;
      std::ofstream out(kTree / "plain" / folderName(f) / ("img" + std::to_string(n) + ".d88"), std::ios::binary);
      out << "image " << n << std::string(static_cast<std::size_t>(40 + n % 50), '.');
      if (!out) return false;
    }
  }
  return static_cast<bool>(std::ofstream(kRoot / "complete"));
}

// The first kMovedFolders folders' files between plain/ and other/.
void moveFiles(const char* from, const char* to) {
  for (int f = 0; f < kMovedFolders; ++f) {
    const fs::path source = kTree / from / folderName(f);
    if (!fs::exists(source)) continue;
    fs::create_directories(kTree / to / folderName(f));
    for (const auto& entry : fs::directory_iterator(source))
      fs::rename(entry.path(), kTree / to / folderName(f) / entry.path().filename());
  }
}

std::string output(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return text;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
  pclose(pipe);
  return text;
}

std::string lastLines(const std::string& text) {
  const auto end = text.rfind('\n', text.size() - 2);
  const auto start = end == std::string::npos ? 0 : text.rfind('\n', end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1);
}

bool addSideRows(const std::string& db) {
  qm::db::DbConnection connection;
  connection.open(db);
  for (const auto& side : qm::dblib::sideTableKeys()) {
    const std::string sql = std::string("INSERT OR IGNORE INTO ") + side.table + "(" + side.key +
                            ") SELECT file_name FROM main_table;";
    if (connection.execute(sql)) return false;
  }
  return true;
}

// Side rows that do not join their image, over all side tables (some rows
// are made by triggers with the image: the insert above leaves those).
std::string strayRows(const std::string& db) {
  qm::db::DbConnection connection;
  connection.open(db);
  long long stray = 0;
  for (const auto& side : qm::dblib::sideTableKeys()) {
    connection.execute(std::string("SELECT count(*) FROM ") + side.table + " WHERE " + side.key +
                       " NOT IN (SELECT file_name FROM main_table);");
    stray += std::stoll(connection.cell(1, 0));
  }
  return std::to_string(stray);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path bin = argc > 1 ? fs::path(argv[1]) : fs::canonical("/proc/self/exe").parent_path();
  const std::string cli = (bin / "quillmoor-cli").string();
  std::printf("generating %d files in %d folders in %s ...\n", kFolders * kFilesPerFolder, kFolders, kTree.c_str());
  if (!makeTree()) {
    std::fprintf(stderr, "could not make the tree\n");
    return 1;
  }
  moveFiles("other", "plain");
  const std::string db = (kRoot / "Quillmoor.db").string();
  const std::string folder = kTree.string();
  fs::remove(db);
  const auto registered = runProgram({cli, "create", "--db", db}) ? runProgram(
      {cli, "register", "--db", db, "--machine", "PC88シリーズ", "--subdirs", "--crc32", folder}) : std::nullopt;
  if (!registered || !addSideRows(db)) {
    std::fprintf(stderr, "could not register the tree\n");
    return 1;
  }
  const std::vector<std::string> sync = {cli, "sync", "--db", db, "--machine", "PC88シリーズ", "--subdirs", "--crc32",
                                         folder};
  const auto find = best([&] { return runProgram({"find", folder, "-type", "f", "-printf", "%s %T@\\n"}); }, 5);
  const auto unchanged = best([&] { return runProgram(sync); }, 5);
  moveFiles("plain", "other");
  const std::string plan = output("'" + cli + "' sync --db '" + db + "' --machine PC88シリーズ --subdirs --crc32 --test '" +
                                  folder + "' | tail -2");
  const auto moved = runProgram(sync);
  const std::string after = output("'" + cli + "' sync --db '" + db + "' --machine PC88シリーズ --subdirs --crc32 --test '" +
                                   folder + "' | tail -2");
  const std::string stray = strayRows(db);
  moveFiles("other", "plain");
  if (!find || !unchanged || !moved) {
    std::fprintf(stderr, "a run failed\n");
    return 1;
  }
  const double ratio = unchanged->seconds / find->seconds;
  std::printf("register 100,000 files, CRC-32:       %.3f s\n", registered->seconds);
  std::printf("find -printf '%%s %%T@' (100,000 files): %.3f s  (cpu %.3f s)\n", find->seconds, find->cpuSeconds);
  std::printf("sync, nothing changed:                %.3f s  (cpu %.3f s) = %.2f x find (target <= 3)  %s\n",
              unchanged->seconds, unchanged->cpuSeconds, ratio, ratio <= 3 ? "ok" : "MISSED");
  std::printf("sync, 10,000 moved:                   %.3f s  (cpu %.3f s) (target <= 5 s)  %s\n", moved->seconds,
              moved->cpuSeconds, moved->seconds <= 5 ? "ok" : "MISSED");
  std::printf("plan before:  %s", lastLines(plan).c_str());
  std::printf("plan after:   %s", lastLines(after).c_str());
  std::printf("side rows without their image after the moves: %s\n", stray.c_str());
  std::printf("max RSS: nothing changed %ld KiB, 10,000 moved %ld KiB\n", unchanged->maxRssKiB, moved->maxRssKiB);
  return 0;
}
