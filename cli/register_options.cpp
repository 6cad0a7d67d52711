#include "cli/register_options.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace qm::cli {
namespace {

std::optional<std::uint32_t> parseNumber(const std::string& text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

const std::vector<std::string> kFlags = {"--subdirs",
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

bool known(const std::string& flag, const std::vector<std::string>& extraFlags) {
  return std::find(kFlags.begin(), kFlags.end(), flag) != kFlags.end() ||
         std::find(extraFlags.begin(), extraFlags.end(), flag) != extraFlags.end();
}

}  // namespace

const char* const kRegisterOptionsUsage =
    "[--subdirs] [--archives] [--title-mode N] "
    "[--maker-mode N] [--version-mode N] [--adult] [--year-from-path] [--countries LIST] [--country-from-path] "
    "[--default-country] [--strip-country-brackets] [--archive-sets] [--archive-set-titles] [--folder-sets] "
    "[--crc32] [--crc16] [--offset N] [--length N] [--overwrite] [--keep-favourites] [--media NAME] "
    "[--genre NAME] [--sale-year TEXT]";

const std::vector<std::string>& registerValuedOptions() {
  static const std::vector<std::string> valued = {"--db",           "--machine",   "--title-mode", "--maker-mode",
                                                  "--version-mode", "--countries", "--offset",     "--length",
                                                  "--media",        "--genre",     "--sale-year"};
  return valued;
}

bool readRegisterOptions(const Arguments& args, const std::vector<std::string>& extraFlags,
                         reg::RegistrationRequest& request) {
  bool flagsKnown = true;
  for (const auto& flag : args.flags) flagsKnown = flagsKnown && known(flag, extraFlags);
  const auto titleMode = parseNumber(args.get("--title-mode", "0"));
  const auto makerMode = parseNumber(args.get("--maker-mode", "0"));
  const auto versionMode = parseNumber(args.get("--version-mode", "0"));
  const auto offset = parseNumber(args.get("--offset", "0"));
  const auto length = parseNumber(args.get("--length", "0"));
  if (!flagsKnown || !titleMode || *titleMode > 4 || !makerMode || *makerMode > 1 || !versionMode ||
      *versionMode > 3 || !offset || !length)
    return false;
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
  return true;
}

}  // namespace qm::cli
