// DAT files against generated libraries whose images have files: a rename
// run through datfile.nya and a verification, each from the DAT file on
// disk to the end. Targets: 10,000 images against a 3,952-game DAT of about
// 1.5 MB within 1 s each; 100,000 images against a 60 MB DAT within 10 s.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dat_verify/dat_verify.h"
#include "app/dat_verify/image_sizes.h"
#include "app/renamedata/list_data.h"
#include "app/renamedata/rename_run.h"
#include "bench/support/generated_library.h"
#include "common/db/db_connection.h"
#include "common/platform/atomic_file.h"
#include "common/platform/files.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"
#include "tests/support/dat_text.h"

namespace {

namespace fs = std::filesystem;
namespace mt = qm::maintenance;
using Clock = std::chrono::steady_clock;

class Quiet : public mt::RunObserver, public qm::renamedata::RenameObserver {
public:
  void log(const std::string&) override {}
  void progressRange(int) override {}
  void progressStep() override {}
  void status(const std::string&) override {}
  void testLine(const std::string&) override {}
};

struct Case {
  const char* name;
  int images;
  int games;            // in the DAT
  std::size_t datBytes;  // made up by longer descriptions
  double target;         // seconds
};

// Every other image of the library is a game of the DAT (a tenth of them
// under another ROM name); the other games hold CRCs no image has.
std::string writeDat(const std::string& db, const Case& c, const fs::path& folder) {
  qm::db::DbConnection library;
  library.open(db);
  library.execute("SELECT file_name, crc32 FROM main_table ORDER BY rowid;");
  std::vector<qm::test::TestGame> games;
  games.reserve(static_cast<std::size_t>(c.games));
  for (int i = 0; i < c.games; ++i) {
    qm::test::TestGame game;
    game.name = "Generated Title " + std::to_string(i) + " (Japan) (Rev 1)";
    game.description = "Generated Title " + std::to_string(i) + " ";
    game.year = "1990";
    game.maker = "Maker";
    const int row = 2 * i + 1;
    if (row <= library.rowCount()) {
      const std::string key = library.cell(row, 0);
      const std::string name = i % 10 == 0 ? "renamed.rom" : qm::datverify::imageFileName(key);
      const auto size = qm::platform::fileSize(key);
      game.roms.push_back({qm::text::sjisToUtf8(name), size.value_or(0),
                           static_cast<std::uint32_t>(std::stoul(library.cell(row, 1), nullptr, 16)), ""});
    } else {
      game.roms.push_back({"filler " + std::to_string(i) + ".rom", 1048576, 0x80000000u + static_cast<std::uint32_t>(i), ""});
    }
    games.push_back(std::move(game));
  }
  // Descriptions padded to the size a real DAT of so many games has.
  const std::size_t bare = qm::test::datText(games, qm::test::DatFormat::Xml, "Generated").size();
  const std::size_t pad = c.datBytes > bare ? (c.datBytes - bare) / games.size() : 0;
  for (auto& game : games) game.description.append(pad, 'x');
  const std::string path = (folder / "generated.dat").string();
  qm::platform::writeFileAtomically(path, qm::test::datText(games, qm::test::DatFormat::Xml, "Generated"));
  return path;
}

bool report(const char* what, const Case& c, Clock::time_point start, bool ran, const std::string& detail) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const bool ok = ran && seconds < c.target;
  std::printf("%-12s %-36s %6.2f s  (target < %.0f s)  %s  %s\n", what, c.name, seconds, c.target, detail.c_str(),
              ok ? "ok" : "MISSED");
  return ok;
}

bool rename(const std::string& db, const std::string& dat, const Case& c, const std::string& pluginPath) {
  const auto start = Clock::now();
  auto load = qm::renamedata::RenamePlugin::load(pluginPath);
  const qm::renamedata::ListData list = qm::renamedata::loadListData(dat);
  if (!load.plugin || !list.text) return report("rename-data", c, start, false, "no plug-in or list");
  const bool listed = load.plugin->checkList(*list.text).error.empty();
  using qm::renamedata::RenameItem;
  const qm::renamedata::RenameRequest request{db, "Bench", qm::renamedata::KeyType::Crc32,
                                              {RenameItem::Title, RenameItem::Maker, RenameItem::Year,
                                               RenameItem::Country, RenameItem::Version, RenameItem::Memo},
                                              false, {}};
  qm::platform::AcceptingSink sink;
  Quiet quiet;
  qm::renamedata::RenameStatus ended{};
  const auto keys = qm::renamedata::selectRenameKeys(request, sink, quiet, ended);
  const qm::StopFlag stop{0};
  qm::renamedata::RenameResult result;
  result.status = qm::renamedata::RenameStatus::Failed;
  if (keys) result = qm::renamedata::runRename(request, *keys, *load.plugin, *list.text, quiet, stop);
  return report("rename-data", c, start, listed && result.status == qm::renamedata::RenameStatus::Completed,
                std::to_string(result.found) + "/" + std::to_string(result.total) + " updated");
}

bool verify(const std::string& db, const std::string& dat, const Case& c) {
  const auto start = Clock::now();
  const auto load = qm::datverify::loadDatFile(dat);
  if (!load.dat) return report("verify", c, start, false, qm::text::sjisToUtf8(load.error));
  Quiet quiet;
  const qm::StopFlag stop{0};
  const auto result = qm::datverify::verifyLibrary(db, mt::MachineChoice::everyMachine(), *load.dat, quiet, stop);
  return report("verify", c, start, result.failure.empty(), qm::text::sjisToUtf8(qm::datverify::summaryLine(result)));
}

}  // namespace

// With an argument, only the first case (for profiling).
int main(int argc, char** argv) {
  const std::string plugin = (fs::absolute(argv[0]).parent_path() / "plugin" / "datfile.nya").string();
  const Case cases[] = {
      {"10,000 images, 3,952 games (1.5 MB)", 10000, 3952, 1500000, 1.0},
      {"100,000 images, 60 MB DAT", 100000, 160000, 60000000, 10.0},
  };
  bool ok = true;
  for (const Case& c : cases) {
    if (argc > 1 && &c != &cases[0]) break;
    const fs::path folder = fs::temp_directory_path() / "qm-bench" / ("dat-" + std::to_string(c.images));
    const std::string db = qm::bench::makeGeneratedLibrary(folder, c.images, folder / "images");
    if (db.empty()) return 1;
    qm::db::DbConnection library;
    library.open(db);
    library.execute("UPDATE main_table SET machine_name='Bench', crc32=printf('%08X', (rowid * 2654435761) % 4294967296);");
    library.close();
    const std::string dat = writeDat(db, c, folder);
    std::printf("DAT: %.1f MB, %d games\n", static_cast<double>(fs::file_size(dat)) / 1e6, c.games);
    ok = verify(db, dat, c) && ok;
    ok = rename(db, dat, c, plugin) && ok;
  }
  return ok ? 0 : 1;
}
