// Every key of Quillmoor2.ini in one table: section, key, type, default, the
// longest text its reader accepts, when it is read and when it is written,
// in the order the settings document lists them. Settings (settings.h) loads
// and saves by this table; nothing else names a key of the file.
//
// A family row stands for numbered keys ("clm01" ... "clm18", "FindMode0" ...
// "FindMode7"); a per-band row for the keys of the sections "CoolBar_<n>", whose
// defaults are each rebar band's own.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qm {

enum class Setting {
  // Window
  WindowSeparateX, WindowSeparateY, WindowSeparateClose, WindowSeparateYtmp, WindowPositionX, WindowPositionY,
  WindowWidth, WindowHeight, WindowMaximize, WindowMaxPosX, WindowMaxPosY,
  // ItemList
  ItemListNoCursorFollow, ItemListReadingSort, ItemListColumnShown, ItemListColumnPosition, ItemListColumnWidth,
  // LastQuery
  LastQuerySql1, LastQuerySql2, LastQuerySql3, LastQueryPrimaryKey, LastQuerySortColumn, LastQuerySortOrder,
  // Migemo
  MigemoFuzzyOn, MigemoFuzzyLap, MigemoFuzzyClassLimit, MigemoSearchOn, MigemoSearchClassLimit, MigemoInclOn,
  MigemoInclClassLimit, MigemoListOn,
  // EditUICheckBoxs
  EditYomiCnvMode, EditDakuonToSeion, EditYomiSpcRmv, EditYomiMrkRmv, EditYomiRmaCnv, EditTitleIncrSrch,
  EditTitleToKana, EditMakerIncrSrch, EditDeveloperIncrSrch, EditCountryIncrSrch,
  // YomiConvChar
  YomiConvSrcZenChar, YomiConvDesHanChar, YomiRemoveZenChar, YomiRemoveHanChar,
  // AddImgDir
  AddImgSearchSubDir, AddImgSearchArcImg, AddImgCCheck1, AddImgCCheck2, AddImgCCheck3, AddImgAutoArcGroup,
  AddImgAddTitleArc, AddImgAutoDirGroup, AddImgCalcCrc32, AddImgCalcCrc16, AddImgCountryMarks,
  // DetailUnit
  DetailUnitPrice1, DetailUnitPrice2, DetailUnitPrice3,
  // MemoWindow
  MemoWindowPositionX, MemoWindowPositionY, MemoWindowWidth, MemoWindowHeight,
  // SnapWindow
  SnapWindowPositionX, SnapWindowPositionY, SnapWindowWidth, SnapWindowHeight, SnapWindowMaximize,
  SnapWindowLoadNum, SnapWindowTransMode, SnapWindowActive, SnapWindowSnapPoint,
  // SnapShot
  SnapShotVistaSize, SnapShotWidth, SnapShotTrackX, SnapShotProportion, SnapShotBlackly, SnapShotFindMode,
  SnapShotFindOrder, SnapShotExtPicToSnap, SnapShotCrc32Name, SnapShotCaptureResultMonitor,
  SnapShotCaptureResultPositon, SnapShotTransform, SnapShotTransformRatio, SnapShotInterpolationMode,
  SnapShotAutoTowShots,
  // QueryTree, KeyState, GroupSelect, FavoriteMenuName
  QueryTreeIconSize, KeyStateScrollLock, GroupSelectTab, FavoriteMenuName,
  // FolderPath
  FolderRomDiskImage, FolderEmulator, FolderIcon, FolderAlterEgo, FolderOpp2fix, FolderReNameData,
  FolderImageCopy,
  // etcSetting
  EtcDllSafeLoad, EtcSearchFontHeight,
  // CoolBar, CoolBar_<n>
  CoolBarFix, CoolBarBandId, CoolBarBandWidth, CoolBarBandBreak,
  // Dialogs
  DialogsEmuConfWidth, DialogsEmuConfHeight,
  // InfoViewFont
  InfoTitleFace, InfoTitleHeight, InfoTitleWeight, InfoTitleItalic, InfoTitleColor,
  InfoMakerFace, InfoMakerHeight, InfoMakerWeight, InfoMakerItalic, InfoMakerColor,
  InfoNormalFace, InfoNormalHeight, InfoNormalWeight, InfoNormalItalic, InfoNormalColor,
  InfoMiniFace, InfoMiniHeight, InfoMiniWeight, InfoMiniItalic, InfoMiniColor,
  InfoTabFace, InfoTabHeight, InfoTabWeight, InfoTabItalic, InfoTabColor,
  // InfoViewColor
  InfoBackColor, InfoFrame1Color, InfoFrame2Color,
  // ItemListFont
  ListNormalFace, ListNormalHeight, ListNormalWeight, ListNormalItalic, ListNormalColor,
  ListMiniFace, ListMiniHeight, ListMiniWeight, ListMiniItalic,
  ListPlyFace, ListPlyHeight, ListPlyWeight, ListPlyItalic, ListPlyColor,
  ListEmusetFace, ListEmusetHeight, ListEmusetWeight, ListEmusetItalic, ListEmusetColor,
  // ItemListColor
  ListBackColor, ListLine1Color, ListLine2Color, ListRuleMarkColor, ListRuleMarkType, ListDispEmuSetName,
  // GroupListFont, GroupListColor
  GroupNormalFace, GroupNormalHeight, GroupNormalWeight, GroupNormalItalic, GroupNormalColor,
  GroupBackColor, GroupGradStartColor, GroupGradEndColor,
  // QueryViewFont, QueryViewColor
  QueryNormalFace, QueryNormalHeight, QueryNormalWeight, QueryNormalItalic, QueryNormalColor, QueryBackColor,
  // MemoFont
  MemoFontFace, MemoFontHeight, MemoFontColor, MemoFontEffect, MemoFontTabStop,
  Count
};

enum class ValueKind { Number, Text };

// When a key is read.
enum class ReadAt {
  Appearance,  // step 4 of the main window's creation
  Startup,     // step 11 of the main window's creation
  Build,       // while the search bar and the item list are built (rebar, columns)
  FirstPaint,  // at the first paint
  Dialog,      // when its dialog or operation starts
  Never,       // written only
};

// When a key is written.
enum class WriteAt {
  Shutdown,    // at shutdown, with the value in use
  Dialog,      // when its dialog is confirmed
  BandChange,  // when the rebar bands change
  Reset,       // only by the reset of the remembered query
  Never,       // read only
};

// How a read number is mended.
enum class Fix { None, BelowOneIsDefault };

inline constexpr int kPerBand = -1;  // `count` of the CoolBar_<n> rows
inline constexpr int kCentred = -2147483647 - 1;  // default of the main window's position: centre it

struct SettingDef {
  Setting id;
  const char* section;
  const char* key;  // a family's key prefix
  ValueKind kind;
  int number;            // default of a number
  const char* text;      // default of a text, UTF-8
  std::size_t maxBytes;  // longest text the reader accepts; longer counts as absent
  ReadAt read;
  WriteAt write;
  int count = 1;                 // members of a family, or kPerBand
  int firstNumber = 0;           // number of a family's first key
  int digits = 0;                // zero-padded to this width
  const int* numbers = nullptr;  // per-member defaults of a number family
  Fix fix = Fix::None;
};

std::span<const SettingDef> settingsCatalogue();
const SettingDef& settingDef(Setting id);
std::optional<Setting> findSetting(std::string_view section, std::string_view key);

// The key of member `index` of a row ("clm" + "01" for index 0).
std::string keyName(const SettingDef& def, int index = 0);
// Defaults as program text / number.
std::string defaultText(const SettingDef& def);
int defaultNumber(const SettingDef& def, int index = 0);

// Sections written at shutdown, in the order they are written.
std::span<const char* const> shutdownSectionOrder();

// "TitleToKana" defaults to 0 in the record editor (the row's default) and to
// 1 in the bulk title dialog.
inline constexpr int kTitleToKanaBulkDefault = 1;

}  // namespace qm
