// How the access layer scales to a library of 100,000 images: inserting them
// in one transaction, and fetching the whole item list into one result as the
// list reads it (51 columns, cells converted to Shift-JIS on demand).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"

namespace {

constexpr int kImages = 100000;

std::string benchFolder() {
  auto folder = std::filesystem::temp_directory_path() / "qm-bench";
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string makeLibrary() {
  static std::string path;
  if (!path.empty()) return path;
  std::string folder = benchFolder();
  path = folder + "/Quillmoor.db";
  std::filesystem::remove(path);
  qm::platform::AcceptingSink sink;
  qm::dblib::makeDatabase({path, folder, "Quillmoor.db", folder + "/Quillmoor2.ini"}, sink);
  qm::db::DbConnection db;
  db.open(path);
  db.execute("BEGIN;");
  const std::string title = qm::text::sjis("スーパーマリオブラザーズ");
  const std::string machine = qm::text::sjis("ファミコン");
  for (int i = 0; i < kImages; ++i) {
    std::string n = std::to_string(i);
    db.execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, crc32) VALUES("
               "'C:\\roms\\nes\\game" + n + ".nes','game" + n + "','.nes','" + machine + "','" + title + n +
               "','0123ABCD');");
  }
  db.execute("COMMIT;");
  return path;
}

void BM_InsertLibrary(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string folder = benchFolder();
    std::string path = folder + "/insert.db";
    std::filesystem::remove(path);
    qm::platform::AcceptingSink sink;
    qm::dblib::makeDatabase({path, folder, "insert.db", folder + "/Quillmoor2.ini"}, sink);
    qm::db::DbConnection db;
    db.open(path);
    state.ResumeTiming();
    db.execute("BEGIN;");
    for (int i = 0; i < state.range(0); ++i) {
      std::string n = std::to_string(i);
      db.execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES('C:\\r\\g" + n +
                 ".nes','g" + n + "','.nes','NES','Title " + n + "');");
    }
    db.execute("COMMIT;");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertLibrary)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FetchWholeList(benchmark::State& state) {
  std::string path = makeLibrary();
  qm::db::DbConnection db;
  db.open(path);
  for (auto _ : state) {
    db.execute("SELECT main_table.*, machine_info_table.* FROM main_table LEFT JOIN machine_info_table ON "
               "machine_name = machine ORDER BY title;");
    benchmark::DoNotOptimize(db.rowCount());
  }
  state.counters["rows"] = db.rowCount();
}
BENCHMARK(BM_FetchWholeList)->Unit(benchmark::kMillisecond);

void BM_ReadVisibleCells(benchmark::State& state) {
  std::string path = makeLibrary();
  qm::db::DbConnection db;
  db.open(path);
  db.execute("SELECT file_name, machine_name, title FROM main_table;");
  int row = 1;
  for (auto _ : state) {
    // One screen of the list: 40 rows of 3 converted cells.
    for (int i = 0; i < 40; ++i, row = row % kImages + 1)
      for (int c = 0; c < 3; ++c) benchmark::DoNotOptimize(db.cell(row, c));
  }
}
BENCHMARK(BM_ReadVisibleCells);

}  // namespace
