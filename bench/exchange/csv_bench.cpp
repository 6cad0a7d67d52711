// CSV export of a generated library of 100,000 items and the import of the
// same file back into it, through the runs the dialog starts. Targets: the
// export under 3 s, the import under 10 s.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/exchange/csv_export.h"
#include "app/exchange/csv_import.h"
#include "bench/support/generated_library.h"
#include "common/platform/message_sink.h"

namespace {

namespace fs = std::filesystem;
namespace mt = qm::maintenance;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;

class Quiet : public mt::RunObserver, public mt::ItemListHook {
public:
  void log(const std::string&) override {}
  void progressRange(int) override {}
  void progressStep() override {}
  void emptied() override {}
  void refresh() override {}
};

bool report(const char* what, Clock::time_point start, const qm::exchange::CsvOutcome& outcome, double target) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const bool ok = outcome.ending == qm::exchange::CsvEnding::Completed && outcome.records >= kItems && seconds < target;
  std::printf("%-28s %7.2f s  %6d records  %9.0f records/s  (target < %.0f s)  %s\n", what, seconds, outcome.records,
              outcome.records / seconds, target, ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::temp_directory_path() / "qm-bench" / "csv";
  const std::string db = qm::bench::benchLibrary(folder, argc > 1 ? argv[1] : "", kItems);
  if (db.empty()) {
    std::fprintf(stderr, "no library to work on\n");
    return 1;
  }
  Quiet quiet;
  qm::platform::AcceptingSink sink;
  qm::StopFlag stop{0};
  const mt::RunContext run{db, sink, quiet, quiet, stop};
  const std::string csv = (folder / "library.csv").string();

  auto start = Clock::now();
  const bool exported = report("export", start,
                               qm::exchange::exportCsv(run, {csv, mt::MachineChoice::everyMachine(), true}), 3.0);
  start = Clock::now();
  const bool imported = report("import of the same file", start, qm::exchange::importCsv(run, {csv, true, {}}), 10.0);
  std::printf("file: %.1f MB\n", static_cast<double>(fs::file_size(csv)) / 1e6);
  return exported && imported ? 0 : 1;
}
