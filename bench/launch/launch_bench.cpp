// From Enter to the emulator's process start, natively:
//  - extracting a 100 MB member of a zip into the extract folder (target
//    200 MB/s or more), the zip made once by Python's zipfile (deflated);
//  - the launch's own overhead without extraction: a plain image, the
//    setting read, the image list and command line built, up to the process
//    creation of /bin/true (target under 50 ms).
// The launch's fixed pauses after the start (100 ms settle, 1.5 s after the
// end) are not part of it: the host here skips sleeps.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/launch/launch_run.h"
#include "app/launch/process_host.h"
#include "common/archive/member_extract.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kMemberMegabytes = 100.0;
constexpr double kTargetMegabytesPerSecond = 200.0;
constexpr double kTargetOverheadMs = 50.0;

constexpr const char* kMakeZip = R"(
import os, sys, zipfile
# Disk images are part data, part empty sectors: half random, half zeros.
chunk = os.urandom(1 << 20) + bytes(1 << 20)
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    with z.open("disk.hdi", "w") as member:
        for _ in range(50):
            member.write(chunk)
)";

fs::path benchFolder() {
  const fs::path folder = fs::temp_directory_path() / "qm-bench";
  fs::create_directories(folder);
  return folder;
}

std::optional<fs::path> benchZip() {
  const fs::path path = benchFolder() / "launch-100mb.zip";
  if (fs::exists(path)) return path;
  const fs::path script = benchFolder() / "make-launch-zip.py";
  std::FILE* out = std::fopen(script.c_str(), "w");
  if (!out) return std::nullopt;
  std::fputs(kMakeZip, out);
  std::fclose(out);
  if (std::system(("python3 '" + script.string() + "' '" + path.string() + "'").c_str()) != 0) return std::nullopt;
  return path;
}

// Stamps the moment the emulator's process is asked for; sleeps nothing.
class StampingHost : public qm::launch::ProcessHost {
public:
  std::unique_ptr<qm::launch::EmulatorProcess> start(const qm::launch::ProcessRequest& request) override {
    startedAt = Clock::now();
    return ProcessHost::start(request);
  }
  void sleep(int) override {}
  Clock::time_point startedAt;
};

double extractionMegabytesPerSecond(const fs::path& zip) {
  const fs::path target = benchFolder() / "extract";
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    fs::remove_all(target);
    fs::create_directories(target);
    const auto start = Clock::now();
    const auto result = qm::archive::extractMember(qm::text::utf8ToSjis(zip.string()), "disk.hdi",
                                                   qm::text::utf8ToSjis(target.string()));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (result.error) {
      std::fprintf(stderr, "bench_launch: %s\n", qm::text::sjisToUtf8(result.error->message).c_str());
      return 0;
    }
    best = std::min(best, seconds);
  }
  fs::remove_all(target);
  return kMemberMegabytes / best;
}

std::optional<double> overheadMilliseconds() {
  const fs::path folder = benchFolder() / "launch-library";
  fs::remove_all(folder);
  fs::create_directories(folder / "emuconf" / "M");
  const std::string root = qm::text::utf8ToSjis(folder.string());
  const std::string db = root + "/Quillmoor.db";
  qm::platform::AcceptingSink sink;
  if (qm::dblib::makeDatabase({db, root, "Quillmoor.db", root + "/Quillmoor2.ini"}, sink).outcome !=
      qm::dblib::SetupOutcome::Created)
    return std::nullopt;
  std::FILE* image = std::fopen((folder / "game.rom").c_str(), "w");
  if (image) std::fclose(image);
  qm::db::DbConnection library;
  library.open(db);
  if (library.execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES ('" +
                      root + "/game.rom', 'game', 'rom', 'M', 'Game');"))
    return std::nullopt;
  std::FILE* ini = std::fopen((folder / "emuconf" / "M" / "Bench.ini").c_str(), "w");
  if (!ini) return std::nullopt;
  std::fputs("[Emulator]\nExec=/bin/true\nOption=-title \"$title\" $image1\n", ini);
  std::fclose(ini);
  qm::launch::LaunchRequest request;
  request.item = qm::launch::loadLaunchItem(db, root + "/game.rom").value_or(qm::launch::LaunchItem{});
  request.settingName = "Bench";
  std::vector<double> times;
  for (int run = 0; run < 20; ++run) {
    StampingHost host;
    qm::launch::LaunchCounters counters;
    const qm::launch::LaunchEnvironment env{{root, db}, &counters, &host, &sink};
    const auto start = Clock::now();
    if (qm::launch::runLaunch(env, request).outcome != qm::launch::LaunchOutcome::Ran) return std::nullopt;
    times.push_back(std::chrono::duration<double, std::milli>(host.startedAt - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const auto zip = benchZip();
  if (!zip) {
    std::fprintf(stderr, "bench_launch: cannot make the zip file (python3 needed)\n");
    return 1;
  }
  const double rate = extractionMegabytesPerSecond(*zip);
  std::printf("launch: extraction of a 100 MB member: %.0f MB/s (target >= %.0f MB/s) %s\n", rate,
              kTargetMegabytesPerSecond, rate >= kTargetMegabytesPerSecond ? "ok" : "SLOW");
  const auto overhead = overheadMilliseconds();
  if (!overhead) {
    std::fprintf(stderr, "bench_launch: the launch did not run\n");
    return 1;
  }
  std::printf("launch: overhead without extraction, median of 20: %.1f ms (target < %.0f ms) %s\n", *overhead,
              kTargetOverheadMs, *overhead < kTargetOverheadMs ? "ok" : "SLOW");
  return 0;
}
