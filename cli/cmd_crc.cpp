#include <charconv>
#include <cstdint>
#include <optional>

#include "cli/cli.h"
#include "crclib/file_crc.h"

namespace qm::cli {
namespace {

// Decimal only; anything else (a sign, hex, trailing text) is refused.
std::optional<std::uint64_t> parseCount(const std::string& text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string withoutTrailingBreaks(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

int runCrc(const std::vector<std::string>& argv) {
  Arguments args = parseArguments(argv, {"--offset", "--length"});
  const auto offset = parseCount(args.get("--offset", "0"));
  const auto length = parseCount(args.get("--length", "0"));
  if (args.positional.size() != 1 || !args.flags.empty() || !offset || !length) {
    printError("usage: quillmoor-cli crc FILE [--offset N] [--length N]");
    return 2;
  }
  const std::string& path = args.positional[0];
  const auto report = crc::fileCrc(path, {*offset, *length}, crc::CrcSet::Both);
  if (report.outcome == crc::CrcOutcome::Failed) {
    printError("error: " + path + ": " + withoutTrailingBreaks(report.error));
    return 1;
  }
  printLine("crc32: " + crc::crc32Text(report.crc.crc32));
  printLine("crc16: " + crc::crc16Text(report.crc.crc16));
  return 0;
}

}  // namespace qm::cli
