// Library upkeep on a generated library of 100,000 items (tools/gen-demo-library.py
// with every image file made): the reading run, the smart-title rebuild and the
// removal run over all rows, and the title converter alone. Prints each figure
// beside its target.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/maintenance/missing_images.h"
#include "app/maintenance/reading_run.h"
#include "app/maintenance/smart_title_run.h"
#include "bench/support/generated_library.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"

namespace {

namespace fs = std::filesystem;
namespace mt = qm::maintenance;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr double kRunTargetSeconds = 10.0;
constexpr double kConverterTarget = 500000.0;  // titles per second

class Quiet : public mt::RunObserver, public mt::ItemListHook {
public:
  void log(const std::string&) override {}
  void progressRange(int) override {}
  void progressStep() override {}
  void emptied() override {}
  void refresh() override {}
};

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

bool report(const char* what, double seconds, int rows, mt::RunStatus status) {
  const bool ok = status == mt::RunStatus::Completed && seconds < kRunTargetSeconds;
  std::printf("%-34s %8.2f s  %6d rows  %9.0f rows/s  (target < %.0f s)  %s\n", what, seconds, rows,
              rows / seconds, kRunTargetSeconds, ok ? "ok" : "MISSED");
  return ok;
}

template <typename Run>
bool timeRun(const char* what, Run run) {
  const auto start = Clock::now();
  const mt::RunResult result = run();
  return report(what, secondsSince(start), result.rows, result.status) && result.rows >= kItems;
}

std::vector<std::string> allTitles(const std::string& db) {
  qm::db::DbConnection connection;
  connection.open(db);
  connection.execute("SELECT title FROM main_table;");
  std::vector<std::string> titles;
  for (int row = 1; row <= connection.rowCount(); ++row) titles.push_back(connection.cell(row, 0));
  return titles;
}

// Whole passes over the titles for at least a second.
bool timeConverter(const char* what, const qm::text::TextNormalizer& normalizer,
                   const std::vector<std::string>& titles) {
  std::string out;
  std::size_t bytes = 0;
  long converted = 0;
  const auto start = Clock::now();
  while (secondsSince(start) < 1.0) {
    for (const auto& title : titles) {
      normalizer.convert(title, out);
      bytes += out.size();
    }
    converted += static_cast<long>(titles.size());
  }
  const double perSecond = converted / secondsSince(start);
  const bool ok = perSecond >= kConverterTarget;
  std::printf("%-34s %11.0f titles/s  (target >= %.0f)  %s  [%zu bytes]\n", what, perSecond, kConverterTarget,
              ok ? "ok" : "MISSED", bytes);
  return ok;
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "qm-bench-maintenance";
  std::printf("generating a library of %d items in %s ...\n", kItems, folder.string().c_str());
  std::fflush(stdout);
  const std::string db = qm::bench::makeGeneratedLibrary(folder, kItems, folder / "roms");
  if (db.empty()) {
    std::fprintf(stderr, "bench_maintenance: the library could not be generated\n");
    return 1;
  }
  const qm::text::SymbolTables tables = qm::text::SymbolTables::defaults();
  const std::vector<std::string> titles = allTitles(db);
  std::printf("%zu images\n", titles.size());
  bool ok = timeConverter("converter, smart titles", qm::text::smartTitleNormalizer(tables), titles);
  ok = timeConverter("converter, readings",
                     qm::text::TextNormalizer(qm::text::readingNormalizeOptions({}), tables), titles) && ok;

  Quiet quiet;
  qm::platform::AcceptingSink sink;
  mt::StopFlag stop{0};
  const mt::RunContext context{db, sink, quiet, quiet, stop};
  ok = timeRun("reading generation, all rows",
               [&] { return mt::generateReadings(context, {mt::MachineChoice::everyMachine(), false, {}, tables}); }) && ok;
  ok = timeRun("smart-title rebuild, all rows", [&] {
         return mt::rebuildSmartTitles(context, mt::SmartTitleMode::Rebuild, mt::MachineChoice::everyMachine(), tables);
       }) && ok;
  mt::SystemFileProbe files;
  ok = timeRun("removal, nothing missing", [&] {
         return mt::removeImages(context, {mt::MachineChoice::everyMachine(), true}, files);
       }) && ok;
  fs::remove_all(folder);
  return ok ? 0 : 1;
}
