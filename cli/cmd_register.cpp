#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>

#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/set_items.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/encoding.h"
#include "crclib/registration.h"

namespace qm::cli {
namespace {

reg::StopFlag gStop{0};

extern "C" void stopRegistration(int) { gStop.store(stop::kNow); }

std::optional<std::uint32_t> parseNumber(const std::string& text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Status texts on standard error, at most a few a second; the final one on
// standard output.
class ConsoleHost : public reg::RegistrationHost {
public:
  void status(const std::string& text) override {
    last_ = text;
    const auto now = std::chrono::steady_clock::now();
    if (now - shown_ < std::chrono::milliseconds(500)) return;
    shown_ = now;
    printError(text);
  }
  void currentItem(const std::string&) override {}
  void marker(const char*) override {}
  void progressRange(std::uint32_t) override {}
  void progressStep() override {}
  void ended() override {}
  void log(const std::string& line) override { printError(line); }
  platform::MessageSink& messages() override { return sink_; }

private:
  ConsoleSink sink_{false};
  std::string last_;
  std::chrono::steady_clock::time_point shown_{};
};

const char* const kUsage =
    "usage: quillmoor-cli register [--db PATH] --machine NAME [--subdirs] [--archives] [--title-mode N] "
    "[--maker-mode N] [--version-mode N] [--adult] [--year-from-path] [--countries LIST] [--country-from-path] "
    "[--default-country] [--strip-country-brackets] [--archive-sets] [--archive-set-titles] [--folder-sets] "
    "[--crc32] [--crc16] [--offset N] [--length N] [--overwrite] [--keep-favourites] [--media NAME] "
    "[--genre NAME] [--sale-year TEXT] FOLDER_OR_FILE";

}  // namespace

int runRegister(const std::vector<std::string>& argv) {
  const std::vector<std::string> valued = {"--db",           "--machine",   "--title-mode", "--maker-mode",
                                           "--version-mode", "--countries", "--offset",     "--length",
                                           "--media",        "--genre",     "--sale-year"};
  const Arguments args = parseArguments(argv, valued);
  const std::vector<std::string> known = {"--subdirs",
                                          "--archives",
                                          "--adult",
                                          "--year-from-path",
                                          "--country-from-path",
                                          "--default-country",
                                          "--strip-country-brackets",
                                          "--archive-sets",
                                          "--archive-set-titles",
                                          "--folder-sets",
                                          "--crc32",
                                          "--crc16",
                                          "--overwrite",
                                          "--keep-favourites"};
  bool flagsKnown = true;
  for (const auto& flag : args.flags)
    flagsKnown = flagsKnown && std::find(known.begin(), known.end(), flag) != known.end();
  const auto titleMode = parseNumber(args.get("--title-mode", "0"));
  const auto makerMode = parseNumber(args.get("--maker-mode", "0"));
  const auto versionMode = parseNumber(args.get("--version-mode", "0"));
  const auto offset = parseNumber(args.get("--offset", "0"));
  const auto length = parseNumber(args.get("--length", "0"));
  if (args.positional.size() != 1 || !args.options.contains("--machine") || !flagsKnown || !titleMode ||
      *titleMode > 4 || !makerMode || *makerMode > 1 || !versionMode || *versionMode > 3 || !offset || !length) {
    printError(kUsage);
    return 2;
  }
  const std::string dbPath = databasePath(args);
  if (!libraryExists(dbPath)) return 1;

  reg::RegistrationRequest request;
  std::string path = args.positional[0];
  request.path = platform::isAbsolutePath(path) ? path : platform::joinPath(platform::currentFolder(), path);
  if (!platform::fileExists(request.path)) {
    printError("error: no such file or folder: " + request.path);
    return 1;
  }
  request.machine = args.get("--machine");
  request.media = args.get("--media");
  request.genre = args.get("--genre");
  request.saleYear = args.get("--sale-year");
  request.countries = args.get("--countries");
  request.window = {*offset, *length};
  reg::RegistrationSettings& s = request.settings;
  s.searchSubfolders = args.has("--subdirs");
  s.searchArchives = args.has("--archives");
  s.titleMode = static_cast<int>(*titleMode);
  s.makerMode = static_cast<int>(*makerMode);
  s.versionMode = static_cast<int>(*versionMode);
  s.adult = args.has("--adult");
  s.yearFromPath = args.has("--year-from-path");
  s.countryFromPath = args.has("--country-from-path");
  s.defaultCountry = args.has("--default-country");
  s.stripCountryBrackets = args.has("--strip-country-brackets");
  s.archiveSets = args.has("--archive-sets");
  s.archiveSetTitles = args.has("--archive-set-titles");
  s.folderSets = args.has("--folder-sets");
  s.crc32 = args.has("--crc32");
  s.crc16 = args.has("--crc16");
  s.overwrite = args.has("--overwrite");
  s.keepFavourites = args.has("--keep-favourites");

  const reg::LibraryPaths paths{dbPath, settingsPathFor(dbPath), platform::folderOf(dbPath)};
  ConsoleHost host;
  gStop.store(stop::kRunning);
  std::signal(SIGINT, stopRegistration);
  const reg::RegistrationResult result = reg::runRegistration(paths, request, host, gStop);
  std::signal(SIGINT, SIG_DFL);
  if (!result.finalStatus.empty()) printLine(result.finalStatus);
  if (!rebuildSetSizes(dbPath)) return 1;
  // A damaged archive or an unreadable file: not all that was asked was done.
  const bool partial = result.damaged > 0 || result.unreadable > 0;
  switch (result.end) {
    case reg::RegistrationEnd::Completed:
      return partial ? 1 : 0;
    case reg::RegistrationEnd::NothingFound:
      return 0;
    case reg::RegistrationEnd::Cancelled:
      return 130;
    default:
      return 1;
  }
}

}  // namespace qm::cli
