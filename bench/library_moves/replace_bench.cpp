// Moving a 100,000-item library to another drive: the image-key replacement
// with side rows of every kind, there and back. Prints each figure beside its
// target.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/library_moves/column_replace.h"
#include "bench/support/generated_library.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"

namespace {

namespace fs = std::filesystem;
namespace mt = qm::maintenance;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr double kTargetSeconds = 3.0;

class Quiet : public mt::RunObserver, public mt::ItemListHook {
public:
  void log(const std::string&) override {}
  void progressRange(int) override {}
  void progressStep() override {}
  void emptied() override {}
  void refresh() override {}
};

// The generator writes memos, favourites, creators and specs: the other side
// tables get rows too, the alter egos with their links to set parents.
bool addSideRows(const std::string& db) {
  qm::db::DbConnection connection;
  connection.open(db);
  const auto error = connection.execute(
      "BEGIN;"
      "INSERT OR IGNORE INTO snap_path_table(pfile_sp, snap1) SELECT file_name, 'a.png' FROM main_table WHERE rowid%3=0;"
      "INSERT INTO associate_file_table(pfile_as, as_file_name) SELECT file_name, 'x.txt' FROM main_table WHERE rowid%4=0;"
      "INSERT OR IGNORE INTO use_emuset_table(pfile_ue, emuset_name) SELECT file_name, 'e' FROM main_table WHERE rowid%5=0;"
      "INSERT OR IGNORE INTO alter_ego_table(pfile_ae, ae_file, alter_ego, ply_pfile_ae) "
      "SELECT file_name, 'C:\\ae\\' || rowid, 1, ply_file_name FROM main_table WHERE rowid%2=0;"
      "COMMIT;");
  if (error) std::fprintf(stderr, "side rows: %s\n", error->c_str());
  return !error;
}

bool timeReplace(const mt::RunContext& context, const char* what, const std::string& from, const std::string& to) {
  const auto start = Clock::now();
  const mt::RunResult result = qm::moves::replaceValues(context, {mt::MachineChoice::everyMachine(), 0, from, to});
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const bool ok = result.status == mt::RunStatus::Completed && result.done >= kItems && seconds < kTargetSeconds;
  std::printf("%-34s %8.2f s  %6d keys  (target < %.0f s)  %s\n", what, seconds, result.done, kTargetSeconds,
              ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "qm-bench-moves";
  std::printf("generating a library of %d items in %s ...\n", kItems, folder.string().c_str());
  std::fflush(stdout);
  const std::string db = qm::bench::makeGeneratedLibrary(folder, kItems);
  if (db.empty() || !addSideRows(db)) {
    std::fprintf(stderr, "bench_moves: the library could not be generated\n");
    return 1;
  }
  Quiet quiet;
  qm::platform::AcceptingSink sink;
  mt::StopFlag stop{0};
  const mt::RunContext context{db, sink, quiet, quiet, stop};
  bool ok = timeReplace(context, "drive prefix, all machines", "Z:\\work\\demo\\roms\\", "Y:\\games\\");
  ok = timeReplace(context, "drive prefix back (with trigger)", "Y:\\games\\", "Z:\\work\\demo\\roms\\") && ok;
  fs::remove_all(folder);
  return ok ? 0 : 1;
}
