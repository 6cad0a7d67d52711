// A bulk maker change and a bulk mark change of 10,000 selected items of a
// generated 100,000-item library (target: under 1 s each), natively.
//
//   bench_bulk_change
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/records/bulk_change.h"
#include "bench/support/generated_library.h"
#include "common/db/db_connection.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr int kSelected = 10000;

}  // namespace

int main() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qm-bench-bulk";
  std::printf("generating a library of %d items in %s ...\n", kItems, folder.string().c_str());
  const std::string path = qm::bench::makeGeneratedLibrary(folder, kItems);
  if (path.empty()) return 1;
  std::vector<std::string> keys;
  {
    qm::db::DbConnection db;
    db.open(path);
    if (db.execute("SELECT file_name FROM main_table ORDER BY rowid LIMIT " + std::to_string(kSelected) + ";")) return 1;
    for (int row = 1; row <= db.rowCount(); ++row) keys.push_back(db.cell(row, 0));
  }
  qm::platform::AcceptingSink sink;
  const qm::records::BulkChange changes[] = {{qm::records::BulkField::Maker, "Bench", {}, {}},
                                             {qm::records::BulkField::AdultMark, "R", {}, {}},
                                             {qm::records::BulkField::SaleYear, "1980-5", {}, {}}};
  const char* names[] = {"maker", "extended rating mark", "release date"};
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    const bool ok = qm::records::applyBulkChange(path, changes[i], keys, sink);
    std::printf("bulk %-22s of %zu items: %8.1f ms%s\n", names[i], keys.size(),
                std::chrono::duration<double, std::milli>(Clock::now() - start).count(), ok ? "" : " (failed)");
  }
  return 0;
}
