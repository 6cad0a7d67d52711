#include "app/settings/settings_catalogue.h"

#include <array>
#include <cstdio>

#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm {
namespace {

using S = Setting;
using K = ValueKind;

struct Timing {
  ReadAt read;
  WriteAt write;
};

// S = start-up, X = shutdown, P = first paint, D = its dialog, B = while built.
constexpr Timing kSX{ReadAt::Startup, WriteAt::Shutdown};
constexpr Timing kPX{ReadAt::FirstPaint, WriteAt::Shutdown};
constexpr Timing kBX{ReadAt::Build, WriteAt::Shutdown};
constexpr Timing kD{ReadAt::Dialog, WriteAt::Dialog};
constexpr Timing kSD{ReadAt::Startup, WriteAt::Dialog};
constexpr Timing kS{ReadAt::Startup, WriteAt::Never};
constexpr Timing kBand{ReadAt::Build, WriteAt::BandChange};
constexpr Timing kLook{ReadAt::Appearance, WriteAt::Dialog};
constexpr Timing kNX{ReadAt::Never, WriteAt::Shutdown};
constexpr Timing kReset{ReadAt::Never, WriteAt::Reset};

// Text limits of the readers: 8192 for the saved statements, 260 for
// paths, 30 for favourite names. The others are ours: a face name fits
// LOGFONT's 32 bytes, the character lists and units are generous.
constexpr std::size_t kStatementBytes = 8192;
constexpr std::size_t kPathBytes = 260;
constexpr std::size_t kFavoriteBytes = 30;
constexpr std::size_t kFaceBytes = 31;
constexpr std::size_t kCharListBytes = 1024;
constexpr std::size_t kShortBytes = 255;
// The add dialog keeps a longer country list than it hands to a run.
constexpr std::size_t kCountryListBytes = 1023;

constexpr SettingDef num(S id, const char* section, const char* key, int value, Timing t) {
  return {id, section, key, K::Number, value, "", 0, t.read, t.write};
}
constexpr SettingDef txt(S id, const char* section, const char* key, const char* value, std::size_t max, Timing t) {
  return {id, section, key, K::Text, 0, value, max, t.read, t.write};
}
constexpr SettingDef numbers(S id, const char* section, const char* prefix, const int* values, int count,
                             int first, int digits, Timing t) {
  SettingDef def = num(id, section, prefix, values[0], t);
  def.count = count;
  def.firstNumber = first;
  def.digits = digits;
  def.numbers = values;
  return def;
}
constexpr SettingDef texts(S id, const char* section, const char* prefix, int count, std::size_t max, Timing t) {
  SettingDef def = txt(id, section, prefix, "", max, t);
  def.count = count;
  return def;
}
constexpr SettingDef band(S id, const char* key, int value) {
  SettingDef def = num(id, "CoolBar_", key, value, kBand);
  def.count = kPerBand;
  return def;
}
constexpr SettingDef withFix(SettingDef def, Fix fix) {
  def.fix = fix;
  return def;
}

constexpr int kColumnShown[18] = {1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr int kColumnPosition[18] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr int kColumnWidth[18] = {150, 150, 150, 150, 150, 150, 150, 150, 150,
                                  150, 150, 150, 150, 150, 150, 150, 150, 150};
constexpr int kFindMode[8] = {0, 1, 1, 1, 1, 0, 0, 0};
constexpr int kFindOrder[8] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr int kZeros[10] = {};

constexpr const char* kPGothic = "ＭＳ Ｐゴシック";
constexpr const char* kUiGothic = "MS UI Gothic";

constexpr SettingDef kCatalogue[] = {
    num(S::WindowSeparateX, "Window", "SeparateX", 170, kSX),
    num(S::WindowSeparateY, "Window", "SeparateY", 260, kSX),
    num(S::WindowSeparateClose, "Window", "SeparateClose", 0, kSX),
    num(S::WindowSeparateYtmp, "Window", "SeparateYtmp", 20, kSX),
    num(S::WindowPositionX, "Window", "PositionX", kCentred, kSX),
    num(S::WindowPositionY, "Window", "PositionY", kCentred, kSX),
    num(S::WindowWidth, "Window", "Width", 850, kSX),
    num(S::WindowHeight, "Window", "Height", 580, kSX),
    num(S::WindowMaximize, "Window", "Maximize", 0, kPX),
    num(S::WindowMaxPosX, "Window", "MaxPosX", 0, kSX),
    num(S::WindowMaxPosY, "Window", "MaxPosY", 0, kSX),

    num(S::ItemListNoCursorFollow, "ItemList", "noCursorAdulation", 0, kSX),
    num(S::ItemListReadingSort, "ItemList", "yomiSort", 0, kSX),
    numbers(S::ItemListColumnShown, "ItemList", "clm_disp", kColumnShown, 18, 1, 2, kBX),
    numbers(S::ItemListColumnPosition, "ItemList", "clm_sort", kColumnPosition, 18, 1, 2, kBX),
    withFix(numbers(S::ItemListColumnWidth, "ItemList", "clm", kColumnWidth, 18, 1, 2, kBX),
            Fix::BelowOneIsDefault),

    txt(S::LastQuerySql1, "LastQuery", "SQL1", "", kStatementBytes, kPX),
    txt(S::LastQuerySql2, "LastQuery", "SQL2", "", kStatementBytes, kReset),
    txt(S::LastQuerySql3, "LastQuery", "SQL3", "", kStatementBytes, kPX),
    txt(S::LastQueryPrimaryKey, "LastQuery", "PrimaryKey", "", kPathBytes, kPX),
    num(S::LastQuerySortColumn, "LastQuery", "SortColumn", 0, kNX),
    num(S::LastQuerySortOrder, "LastQuery", "SortOrder", 1, kNX),

    num(S::MigemoFuzzyOn, "Migemo", "FuzzyOn", 1, kSX),
    num(S::MigemoFuzzyLap, "Migemo", "FuzzyLap", 0, kSX),
    num(S::MigemoFuzzyClassLimit, "Migemo", "FuzzyClassLimit", 12, kSX),
    num(S::MigemoSearchOn, "Migemo", "SearchOn", 1, kSX),
    num(S::MigemoSearchClassLimit, "Migemo", "SearchClassLimit", 0, kSX),
    num(S::MigemoInclOn, "Migemo", "InclOn", 1, kSX),
    num(S::MigemoInclClassLimit, "Migemo", "InclClassLimit", 12, kSX),
    num(S::MigemoListOn, "Migemo", "ListOn", 1, kSX),

    num(S::EditYomiCnvMode, "EditUICheckBoxs", "YomiCnvMode", 0, kSX),
    num(S::EditDakuonToSeion, "EditUICheckBoxs", "DakuonToSeion", 0, kSX),
    num(S::EditYomiSpcRmv, "EditUICheckBoxs", "YomiSpcRmv", 1, kSX),
    num(S::EditYomiMrkRmv, "EditUICheckBoxs", "YomiMrkRmv", 1, kSX),
    num(S::EditYomiRmaCnv, "EditUICheckBoxs", "YomiRmaCnv", 1, kSX),
    num(S::EditTitleIncrSrch, "EditUICheckBoxs", "TitleIncrSrch", 0, kD),
    num(S::EditTitleToKana, "EditUICheckBoxs", "TitleToKana", 0, kD),
    num(S::EditMakerIncrSrch, "EditUICheckBoxs", "MakerIncrSrch", 1, kD),
    num(S::EditDeveloperIncrSrch, "EditUICheckBoxs", "DeveloperIncrSrch", 1, kD),
    num(S::EditCountryIncrSrch, "EditUICheckBoxs", "CountryIncrSrch", 1, kD),

    txt(S::YomiConvSrcZenChar, "YomiConvChar", "ConvSrcZenChar", "", kCharListBytes, kD),
    txt(S::YomiConvDesHanChar, "YomiConvChar", "ConvDesHanChar", "", kCharListBytes, kD),
    txt(S::YomiRemoveZenChar, "YomiConvChar", "RemoveZenChar",
        "”！＃＄％＆’（）＝｜￥＠「」［］・－＋：；．，？＿＜＞＊／★☆○●■□◎◇◆△▲⇒“‘゛゜＾…※【】『』、。゛゜´｀¨‥｛｝±×÷≠≦≧∞♂♀°′″℃〒→←↑↓⇔∇",
        kCharListBytes, kD),
    // Stored form: "\q" stands for a double quote; the 0x5C before "@" is the yen sign.
    txt(S::YomiRemoveHanChar, "YomiConvChar", "RemoveHanChar", "\\q!#$%&'()=|\\@｢｣[]･-+:;.,?_<>*/^､｡~`",
        kCharListBytes, kD),

    num(S::AddImgSearchSubDir, "AddImgDir", "SearchSubDir", 0, kD),
    num(S::AddImgSearchArcImg, "AddImgDir", "SearchArcImg", 0, kD),
    num(S::AddImgCCheck1, "AddImgDir", "CCheck1", 1, kD),
    num(S::AddImgCCheck2, "AddImgDir", "CCheck2", 1, kD),
    num(S::AddImgCCheck3, "AddImgDir", "CCheck3", 1, kD),
    num(S::AddImgAutoArcGroup, "AddImgDir", "AutoArcGroup", 1, kD),
    num(S::AddImgAddTitleArc, "AddImgDir", "AddTitleArc", 1, kD),
    num(S::AddImgAutoDirGroup, "AddImgDir", "AutoDirGroup", 0, kD),
    num(S::AddImgCalcCrc32, "AddImgDir", "CalcCRC32", 1, kD),
    num(S::AddImgCalcCrc16, "AddImgDir", "CalcCRC16", 0, kD),
    txt(S::AddImgCountryMarks, "AddImgDir", "CountryMarks", "(JP);[JP];(J);[J];(US);[US];(U);[U];(EU);[EU];(E);[E];(U);[U]",
        kCountryListBytes, kD),

    txt(S::DetailUnitPrice1, "DetailUnit", "price1", "\\", kShortBytes, kD),
    txt(S::DetailUnitPrice2, "DetailUnit", "price2", "(税込)", kShortBytes, kD),
    txt(S::DetailUnitPrice3, "DetailUnit", "price3", "", kShortBytes, kD),

    num(S::MemoWindowPositionX, "MemoWindow", "PositionX", -1, kSX),
    num(S::MemoWindowPositionY, "MemoWindow", "PositionY", -1, kSX),
    num(S::MemoWindowWidth, "MemoWindow", "Width", 320, kSX),
    num(S::MemoWindowHeight, "MemoWindow", "Height", 320, kSX),

    num(S::SnapWindowPositionX, "SnapWindow", "PositionX", 100, kSX),
    num(S::SnapWindowPositionY, "SnapWindow", "PositionY", 100, kSX),
    num(S::SnapWindowWidth, "SnapWindow", "Width", 580, kSX),
    num(S::SnapWindowHeight, "SnapWindow", "Height", 460, kSX),
    num(S::SnapWindowMaximize, "SnapWindow", "Maximize", 1, kSX),
    num(S::SnapWindowLoadNum, "SnapWindow", "LoadNum", 1, kSX),
    num(S::SnapWindowTransMode, "SnapWindow", "TransMode", 0, kSX),
    num(S::SnapWindowActive, "SnapWindow", "Active", 0, kSX),
    num(S::SnapWindowSnapPoint, "SnapWindow", "SnapPoint", 0, kSX),

    num(S::SnapShotVistaSize, "SnapShot", "VistaSize", 0, kSX),
    num(S::SnapShotWidth, "SnapShot", "Width", 320, kSX),
    num(S::SnapShotTrackX, "SnapShot", "TrackX", 0, kSX),
    num(S::SnapShotProportion, "SnapShot", "Proportion", 0, kSX),
    num(S::SnapShotBlackly, "SnapShot", "Blackly", 0, kSX),
    numbers(S::SnapShotFindMode, "SnapShot", "FindMode", kFindMode, 8, 0, 0, kSX),
    numbers(S::SnapShotFindOrder, "SnapShot", "FindOrder", kFindOrder, 8, 0, 0, kSX),
    num(S::SnapShotExtPicToSnap, "SnapShot", "ExtPicToSnap", 0, kSX),
    num(S::SnapShotCrc32Name, "SnapShot", "CRC32Name", 0, kSX),
    num(S::SnapShotCaptureResultMonitor, "SnapShot", "CaptureResultMonitor", 0, kSX),
    num(S::SnapShotCaptureResultPositon, "SnapShot", "CaptureResultPositon", 0, kSX),
    num(S::SnapShotTransform, "SnapShot", "Transform", 0, kSX),
    num(S::SnapShotTransformRatio, "SnapShot", "TransformRatio", 150, kSX),
    num(S::SnapShotInterpolationMode, "SnapShot", "InterpolationMode", 0, kSX),
    num(S::SnapShotAutoTowShots, "SnapShot", "AutoTowShots", 0, kSX),

    num(S::QueryTreeIconSize, "QueryTree", "IconSize", 16, kSX),
    num(S::KeyStateScrollLock, "KeyState", "ScrlLk", 0, kSX),
    numbers(S::GroupSelectTab, "GroupSelect", "Tab", kZeros, 5, 0, 0, kS),
    texts(S::FavoriteMenuName, "FavoriteMenuName", "", 10, kFavoriteBytes, kSX),

    txt(S::FolderRomDiskImage, "FolderPath", "RomDiskImage", "", kPathBytes, kSX),
    txt(S::FolderEmulator, "FolderPath", "Emulator", "", kPathBytes, kSX),
    txt(S::FolderIcon, "FolderPath", "Icon", "", kPathBytes, kSX),
    txt(S::FolderAlterEgo, "FolderPath", "AlterEgo", "", kPathBytes, kSX),
    num(S::FolderOpp2fix, "FolderPath", "opp2fix", 0, kSX),
    txt(S::FolderReNameData, "FolderPath", "ReNameData", "", kPathBytes, kD),
    txt(S::FolderImageCopy, "FolderPath", "ImageCopy", "", kPathBytes, kD),

    num(S::EtcDllSafeLoad, "etcSetting", "DLLSafeLoad", 1, kSD),
    num(S::EtcSearchFontHeight, "etcSetting", "SearchFontHeight", 0, kSD),

    num(S::CoolBarFix, "CoolBar", "Fix", 0, kBand),
    band(S::CoolBarBandId, "ID", 0),
    band(S::CoolBarBandWidth, "Width", 300),
    band(S::CoolBarBandBreak, "Break", 0),

    num(S::DialogsEmuConfWidth, "Dialogs", "EmuConfDlgW", 568, kD),
    num(S::DialogsEmuConfHeight, "Dialogs", "EmuConfDlgH", 345, kD),

    txt(S::InfoTitleFace, "InfoViewFont", "TitleFace", kPGothic, kFaceBytes, kLook),
    num(S::InfoTitleHeight, "InfoViewFont", "TitleHeight", -24, kLook),
    num(S::InfoTitleWeight, "InfoViewFont", "TitleWeight", 400, kLook),
    num(S::InfoTitleItalic, "InfoViewFont", "TitleItalic", 0, kLook),
    num(S::InfoTitleColor, "InfoViewFont", "TitleColor", 0, kLook),
    txt(S::InfoMakerFace, "InfoViewFont", "MakerFace", "ＭＳ Ｐ明朝", kFaceBytes, kLook),
    num(S::InfoMakerHeight, "InfoViewFont", "MakerHeight", -18, kLook),
    num(S::InfoMakerWeight, "InfoViewFont", "MakerWeight", 400, kLook),
    num(S::InfoMakerItalic, "InfoViewFont", "MakerItalic", 0, kLook),
    num(S::InfoMakerColor, "InfoViewFont", "MakerColor", 6579300, kLook),
    txt(S::InfoNormalFace, "InfoViewFont", "NormalFace", kPGothic, kFaceBytes, kLook),
    num(S::InfoNormalHeight, "InfoViewFont", "NormalHeight", -14, kLook),
    num(S::InfoNormalWeight, "InfoViewFont", "NormalWeight", 400, kLook),
    num(S::InfoNormalItalic, "InfoViewFont", "NormalItalic", 0, kLook),
    num(S::InfoNormalColor, "InfoViewFont", "NormalColor", 6579300, kLook),
    txt(S::InfoMiniFace, "InfoViewFont", "MiniFace", kUiGothic, kFaceBytes, kLook),
    num(S::InfoMiniHeight, "InfoViewFont", "MiniHeight", -11, kLook),
    num(S::InfoMiniWeight, "InfoViewFont", "MiniWeight", 700, kLook),
    num(S::InfoMiniItalic, "InfoViewFont", "MiniItalic", 0, kLook),
    num(S::InfoMiniColor, "InfoViewFont", "MiniColor", 5263440, kLook),
    txt(S::InfoTabFace, "InfoViewFont", "TabFace", kPGothic, kFaceBytes, kLook),
    num(S::InfoTabHeight, "InfoViewFont", "TabHeight", -12, kLook),
    num(S::InfoTabWeight, "InfoViewFont", "TabWeight", 400, kLook),
    num(S::InfoTabItalic, "InfoViewFont", "TabItalic", 0, kLook),
    num(S::InfoTabColor, "InfoViewFont", "TabColor", 5263440, kLook),

    num(S::InfoBackColor, "InfoViewColor", "BackColor", 16777215, kLook),
    num(S::InfoFrame1Color, "InfoViewColor", "Frame1Color", 9868950, kLook),
    num(S::InfoFrame2Color, "InfoViewColor", "Frame2Color", 15790320, kLook),

    txt(S::ListNormalFace, "ItemListFont", "NormalFace", kUiGothic, kFaceBytes, kLook),
    num(S::ListNormalHeight, "ItemListFont", "NormalHeight", -15, kLook),
    num(S::ListNormalWeight, "ItemListFont", "NormalWeight", 400, kLook),
    num(S::ListNormalItalic, "ItemListFont", "NormalItalic", 0, kLook),
    num(S::ListNormalColor, "ItemListFont", "NormalColor", 5263440, kLook),
    txt(S::ListMiniFace, "ItemListFont", "MiniFace", kUiGothic, kFaceBytes, kLook),
    num(S::ListMiniHeight, "ItemListFont", "MiniHeight", -12, kLook),
    num(S::ListMiniWeight, "ItemListFont", "MiniWeight", 400, kLook),
    num(S::ListMiniItalic, "ItemListFont", "MiniItalic", 0, kLook),
    txt(S::ListPlyFace, "ItemListFont", "PlyFace", kUiGothic, kFaceBytes, kLook),
    num(S::ListPlyHeight, "ItemListFont", "PlyHeight", -15, kLook),
    num(S::ListPlyWeight, "ItemListFont", "PlyWeight", 700, kLook),
    num(S::ListPlyItalic, "ItemListFont", "PlyItalic", 0, kLook),
    num(S::ListPlyColor, "ItemListFont", "PlyColor", 5263440, kLook),
    txt(S::ListEmusetFace, "ItemListFont", "EmusetFace", kUiGothic, kFaceBytes, kLook),
    num(S::ListEmusetHeight, "ItemListFont", "EmusetHeight", -8, kLook),
    num(S::ListEmusetWeight, "ItemListFont", "EmusetWeight", 400, kLook),
    num(S::ListEmusetItalic, "ItemListFont", "EmusetItalic", 0, kLook),
    num(S::ListEmusetColor, "ItemListFont", "EmusetColor", 10526880, kLook),

    num(S::ListBackColor, "ItemListColor", "BackColor", 16777215, kLook),
    num(S::ListLine1Color, "ItemListColor", "Line1Color", 16777215, kLook),
    num(S::ListLine2Color, "ItemListColor", "Line2Color", 15132390, kLook),
    num(S::ListRuleMarkColor, "ItemListColor", "RuleMarkColor", 9868950, kLook),
    num(S::ListRuleMarkType, "ItemListColor", "RuleMarkType", 0, kLook),
    num(S::ListDispEmuSetName, "ItemListColor", "DispEmuSetName", -1, kLook),

    txt(S::GroupNormalFace, "GroupListFont", "NormalFace", kPGothic, kFaceBytes, kLook),
    num(S::GroupNormalHeight, "GroupListFont", "NormalHeight", -12, kLook),
    num(S::GroupNormalWeight, "GroupListFont", "NormalWeight", 400, kLook),
    num(S::GroupNormalItalic, "GroupListFont", "NormalItalic", 0, kLook),
    num(S::GroupNormalColor, "GroupListFont", "NormalColor", 0, kLook),
    num(S::GroupBackColor, "GroupListColor", "BackColor", 16777215, kLook),
    num(S::GroupGradStartColor, "GroupListColor", "GradStartColor", 13158600, kLook),
    num(S::GroupGradEndColor, "GroupListColor", "GradEndColor", 16777215, kLook),

    txt(S::QueryNormalFace, "QueryViewFont", "NormalFace", kPGothic, kFaceBytes, kLook),
    num(S::QueryNormalHeight, "QueryViewFont", "NormalHeight", -12, kLook),
    num(S::QueryNormalWeight, "QueryViewFont", "NormalWeight", 400, kLook),
    num(S::QueryNormalItalic, "QueryViewFont", "NormalItalic", 0, kLook),
    num(S::QueryNormalColor, "QueryViewFont", "NormalColor", 0, kLook),
    num(S::QueryBackColor, "QueryViewColor", "BackColor", 16777215, kLook),

    txt(S::MemoFontFace, "MemoFont", "Face", "ＭＳ ゴシック", kFaceBytes, kLook),
    num(S::MemoFontHeight, "MemoFont", "Height", 200, kLook),
    num(S::MemoFontColor, "MemoFont", "Color", 6579300, kLook),
    num(S::MemoFontEffect, "MemoFont", "Effect", 0, kLook),
    num(S::MemoFontTabStop, "MemoFont", "TabStop", 16, kLook),
};

constexpr bool rowsMatchIds() {
  if (std::size(kCatalogue) != static_cast<std::size_t>(Setting::Count)) return false;
  for (std::size_t i = 0; i < std::size(kCatalogue); ++i) {
    if (static_cast<std::size_t>(kCatalogue[i].id) != i) return false;
  }
  return true;
}
static_assert(rowsMatchIds(), "one catalogue row per Setting, in the enum's order");

constexpr const char* kShutdownOrder[] = {
    "Window",     "ItemList",  "Migemo",    "EditUICheckBoxs", "MemoWindow", "SnapWindow",
    "QueryTree",  "SnapShot",  "LastQuery", "FolderPath",      "KeyState",   "FavoriteMenuName",
};

}  // namespace

std::span<const SettingDef> settingsCatalogue() { return kCatalogue; }

const SettingDef& settingDef(Setting id) { return kCatalogue[static_cast<std::size_t>(id)]; }

std::optional<Setting> findSetting(std::string_view section, std::string_view key) {
  for (const SettingDef& def : kCatalogue) {
    if (def.count == 1 && sjis::equalsIgnoreCaseAscii(def.section, section) &&
        sjis::equalsIgnoreCaseAscii(def.key, key))
      return def.id;
  }
  return std::nullopt;
}

std::string keyName(const SettingDef& def, int index) {
  if (def.count <= 1) return def.key;
  char number[16];
  std::snprintf(number, sizeof number, "%0*d", def.digits, def.firstNumber + index);
  return std::string(def.key) + number;
}

std::string defaultText(const SettingDef& def) { return text::sjis(def.text); }

int defaultNumber(const SettingDef& def, int index) {
  if (def.numbers && index >= 0 && index < def.count) return def.numbers[index];
  return def.number;
}

std::span<const char* const> shutdownSectionOrder() { return kShutdownOrder; }

}  // namespace qm
