#include <charconv>
#include <cstdint>
#include <optional>

#include "app/crc_check/crc_library.h"
#include "app/crc_check/crc_recompute.h"
#include "cli/maintenance_console.h"
#include "cli/migemo_console.h"
#include "common/run/file_probe.h"

namespace qm::cli {
namespace {

std::optional<std::uint32_t> parseWindow(const std::string& text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

// Quillmoor2_GetCRC is the one installed beside quillmoor-cli.
int runRecomputeCrc(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine", "--offset", "--length"});
  const auto offset = parseWindow(args.get("--offset", "0"));
  const auto length = parseWindow(args.get("--length", "0"));
  crc_check::CrcRecomputeRequest what{args.get("--machine"), args.has("--crc32"), args.has("--crc16"), 0, 0};
  if (!what.crc32 && !what.crc16) what.crc32 = true;
  if (what.machine.empty() || !args.positional.empty() || !offset || !length) {
    printError("usage: quillmoor-cli recompute-crc [--db PATH] --machine NAME [--crc32] [--crc16] "
               "[--offset N] [--length N]");
    return 2;
  }
  what.offset = *offset;
  what.length = *length;
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  crc_check::CrcLibrary library;
  const auto binding = library.bind(ownFolder());
  if (binding != registration::Binding::Bound) {
    printError(registration::bindingMessage(binding, library.reason()));
    return 1;
  }
  ConsoleRun run(path, false);
  maintenance::SystemFileProbe files;
  const auto result = crc_check::recomputeCrcs(run.context(), what, library, files);
  printLine("rows: " + std::to_string(result.rows) + ", updated: " + std::to_string(result.updated) +
            ", skipped: " + std::to_string(result.skipped) + ", failed: " + std::to_string(result.failed));
  switch (result.status) {
    case maintenance::RunStatus::Completed: return result.failed > 0 ? 1 : 0;
    case maintenance::RunStatus::NoRows: return 0;
    case maintenance::RunStatus::Stopped: return 130;
    default: return 1;
  }
}

}  // namespace qm::cli
