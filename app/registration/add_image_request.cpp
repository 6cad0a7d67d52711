#include "app/registration/add_image_request.h"

#include <limits>

#include "app/settings/settings.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::registration {
namespace {

constexpr const char* kSection = "AddImgDir";

struct FlagKey {
  Setting id;
  bool StoredChoices::*member;
};
constexpr FlagKey kFlags[] = {
    {Setting::AddImgSearchSubDir, &StoredChoices::searchSubfolders},
    {Setting::AddImgSearchArcImg, &StoredChoices::searchArchives},
    {Setting::AddImgCCheck1, &StoredChoices::countryFromPath},
    {Setting::AddImgCCheck2, &StoredChoices::defaultCountry},
    {Setting::AddImgCCheck3, &StoredChoices::stripBrackets},
    {Setting::AddImgAutoArcGroup, &StoredChoices::archiveSets},
    {Setting::AddImgAddTitleArc, &StoredChoices::archiveSetTitles},
    {Setting::AddImgAutoDirGroup, &StoredChoices::folderSets},
    {Setting::AddImgCalcCrc32, &StoredChoices::crc32},
    {Setting::AddImgCalcCrc16, &StoredChoices::crc16},
};

std::string cut(std::string_view text, std::size_t maxBytes) { return std::string(sjis::cutToBytes(text, maxBytes)); }

}  // namespace

StoredChoices loadStoredChoices(const platform::IniFile& ini) {
  Settings settings;
  loadDialogKeys(settings, ini, kSection);
  StoredChoices choices;
  for (const FlagKey& flag : kFlags) choices.*flag.member = settings.number(flag.id) == 1;
  choices.countries = settings.text(Setting::AddImgCountryMarks);
  return choices;
}

bool saveStoredChoices(const platform::IniFile& ini, const StoredChoices& choices) {
  Settings settings;
  for (const FlagKey& flag : kFlags) settings.setNumber(flag.id, choices.*flag.member ? 1 : 0);
  settings.setText(Setting::AddImgCountryMarks, cut(choices.countries, 1023));
  bool ok = saveDialogKeys(settings, ini, kSection);
  return ini.deleteKey("etcSetting", "Country") && ok;
}

WorkerArguments workerArguments(const AddImageChoices& c) {
  WorkerArguments a;
  auto& o = a.options;
  o[0] = c.stored.searchSubfolders;
  o[1] = c.stored.searchArchives;
  o[2] = c.titleMode;
  o[3] = c.makerMode;
  o[4] = c.versionMode;
  o[5] = c.adult;
  o[6] = c.yearFromPath;
  o[7] = c.stored.countryFromPath;
  o[8] = c.stored.defaultCountry;
  o[9] = c.stored.stripBrackets;
  o[20] = c.stored.archiveSets;
  o[21] = c.stored.archiveSetTitles;
  o[22] = c.stored.folderSets;
  o[23] = c.stored.crc32;
  o[24] = c.stored.crc16;
  o[40] = c.overwrite;
  o[41] = c.keepFavourites;
  // A cut through a double-byte character would leave a lone lead byte,
  // which swallows the terminator's neighbour on the other side.
  a.texts = {cut(c.path, kPathTextBytes),     cut(c.machine, kOtherTextBytes),
             cut(c.media, kOtherTextBytes),   cut(c.genre, kOtherTextBytes),
             cut(c.saleYear, kOtherTextBytes), cut(c.stored.countries, kOtherTextBytes)};
  a.crcWindow = {crcWindowValue(c.crcOffset), crcWindowValue(c.crcLength)};
  return a;
}

std::uint32_t crcWindowValue(std::string_view digits) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (char ch : digits) {
    if (ch < '0' || ch > '9') break;
    value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    if (value > kMax) return static_cast<std::uint32_t>(kMax);
  }
  return static_cast<std::uint32_t>(value);
}

std::string startQuestion(const std::string& machine, const std::string& path) {
  return text::sjis("【機種】\n") + machine + text::sjis("\n\n【イメージファイルまたは検索フォルダ】\n") + path +
         text::sjis("\n\nライブラリに取り込みを開始します。\nよろしいですか？");
}

std::string extensionLabel(const std::string& searchExtensions) {
  if (searchExtensions.empty()) return text::sjis("( 検索拡張子：指定なし )");
  return text::sjis("( 検索拡張子： ") + searchExtensions + " )";
}

}  // namespace qm::registration
