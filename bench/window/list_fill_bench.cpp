// The item list's statements on a generated library of 100,000 items, natively:
// what the main window runs for its first fill, a header click and a group
// click, step by step. The figures under Wine come from bench/main-window.sh;
// this is the part of them that is SQLite and the result fetch, for profiling.
//
//   bench_list_fill [LIBRARY.db]    (without one, a library is generated;
//                                   make bench-million gives it the million)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/item_list/group_pane.h"
#include "app/item_list/item_list.h"
#include "bench/support/generated_library.h"
#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "common/platform/message_sink.h"

namespace {

namespace fs = std::filesystem;
namespace search = qm::search;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr int kRepeats = 5;

// Best and worst of kRepeats runs of `step`, in milliseconds.
template <typename Step>
void time(const char* what, Step step) {
  std::vector<double> ms;
  for (int i = 0; i < kRepeats; ++i) {
    const auto start = Clock::now();
    step();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-40s best %8.1f ms  worst %8.1f ms\n", what, ms.front(), ms.back());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::temp_directory_path() / "qm-bench-list-fill";
  const std::string db = qm::bench::benchLibrary(folder, argc > 1 ? argv[1] : "", kItems);
  if (db.empty()) {
    std::fprintf(stderr, "bench_list_fill: no library\n");
    return 1;
  }
  qm::db::DbConnection list, group;
  qm::db::StatementChecker checker;
  list.open(db);
  group.open(db);
  checker.open(db);
  qm::platform::AcceptingSink sink;
  search::ItemList items(list, checker, sink);

  time("recreate list_view", [&] { items.recreateView(); });
  {
    // The first fill's parts: every item's keys read, then ordered by title
    // (each key's ranks are made on the first order that needs them).
    search::SortState sort;
    sort.apply(search::kResetSort, search::SortMode::Toggle, false);
    double readMs = 0, firstMs = 0, againMs = 0;
    for (int i = 0; i < 3; ++i) {
      auto start = Clock::now();
      search::RowKeys keys;
      keys.readLibrary(list);
      auto read = Clock::now();
      keys.order(search::sortTerms(sort));
      auto first = Clock::now();
      keys.order(search::sortTerms(sort));
      auto again = Clock::now();
      readMs = std::chrono::duration<double, std::milli>(read - start).count();
      firstMs = std::chrono::duration<double, std::milli>(first - read).count();
      againMs = std::chrono::duration<double, std::milli>(again - first).count();
    }
    std::printf("library keys read %.1f ms, first title order %.1f ms, again %.1f ms\n", readMs, firstMs, againMs);
  }
  time("list statement, title order", [&] { items.sort(search::kResetSort, search::SortMode::Toggle); });
  std::printf("%d rows\n", items.rowCount());
  time("title count", [&] { group.execute(search::kTitleCountQuery); });
  time("find the last item by file_name", [&] { items.findItem(items.fileNameAt(items.rowCount() - 1)); });
  time("group pane, makers", [&] { search::runReadOnly(group, checker, search::groupQuery(search::GroupKind::Maker, "")); });
  const std::string maker = group.cell(1, 0);
  time("header click, maker", [&] { items.sort(1, search::SortMode::Toggle); });
  time("header click, rating", [&] { items.sort(3, search::SortMode::Toggle); });
  time("group click, one maker", [&] {
    items.statements().group = search::groupFilterStatement(search::GroupKind::Maker, 1, maker);
    items.sort(search::kResetSort, search::SortMode::Toggle);
  });
  std::printf("%d rows of %s\n", items.rowCount(), maker.c_str());
  time("group click, every item", [&] {
    items.statements().group = search::groupFilterStatement(search::GroupKind::Maker, 0, "");
    items.sort(search::kResetSort, search::SortMode::Toggle);
  });
  fs::remove_all(folder);
  return 0;
}
