// The menu bar and the context popups as one table: every label, separator,
// identifier and submenu in display order. Labels are written in UTF-8 in the
// table and handed out as Shift-JIS. The window builds its menus from it
// (menu_builder_win.h); a command whose feature is not built yet is shown
// greyed, and enable rules must ask commandAvailable() before enabling one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::shell::menu {

enum Command : std::uint16_t {
  kImportCsv = 1118, kImportXml, kExportCsv, kExportXml, kBackupDatabase, kExit,
  kEditRecord = 1124,
  kBulkTitle = 1125, kBulkMaker, kBulkDeveloper, kBulkGenre, kBulkCountry, kBulkAdult, kBulkAdultex,
  kBulkVersion, kBulkSaleDate, kBulkCreator,
  kFavourite0 = 1135,  // favourite slot d is kFavourite0 + d, up to 1144
  kReleaseMultiImage = 1145, kReleaseEmulatorChoice, kBackupImages, kOpenImageFolder, kAlterEgo,
  kRemoveFromLibrary, kResetBootInfo,
  kManageMachines = 1152, kManageMedia, kManageGenres, kManageAdultex,
  kLaunchDefault = 1156, kEmulatorSettings,
  kAddImages = 1158, kRecomputeCrc, kRenameDataUpdate, kRemoveMissing, kMakeKana, kRebuildSmartTitles,
  kReplaceColumnValue, kDatabaseProperties,
  kGeneralSettings = 1166, kShortcutKeys, kJoystick, kWebSearchSettings, kFixToolbar,
  kHelp = 1171, kVersion,
  kQueryNewFolder = 1173, kQueryNew, kQueryEdit, kQueryLargeIcons, kQueryDelete,
  kResetSortDirections = 1178,
  kSnapshot1 = 1179, kSnapshot2, kSnapshot3, kFitImageKeepRatio, kFitImage4to3, kFitImage16to10, kFitImageFull,
  kFitWindowToImage, kAnchorTopLeft, kAnchorTopRight, kAnchorBottomLeft, kAnchorBottomRight,
  kAutoSnapshotStep = 1191,  // beside the tool bar button of the same job
  kDatVerify = 1192,
  kSyncFolder = 1193,
};

// What carries a command out, or fills a submenu at run time.
enum class Feature : std::uint8_t {
  Fixed,  // a submenu of fixed items
  NoAction,  // XML import and export: nothing behind them
  Exit, CsvTransfer, DatabaseBackup, RecordEditor, BulkChange, Favourites, MultiImage, EmulatorChoice,
  ImageBackup, OpenImageFolder, AlterEgo, BootReset, MasterTables, Launch, EmulatorSettings, ImageAdd,
  CrcRecompute, RenameData, MissingRemoval, KanaReading, SmartTitles, ColumnReplace, DatabaseProperties,
  GeneralSettings, ShortcutKeys, Joystick, WebSearch, Toolbar, Help, VersionBox, SavedQueries, ListSort,
  SnapshotView, AutoSnapshot, DatVerify, FolderSync,
};

bool featureBuilt(Feature feature);

enum class RowKind : std::uint8_t { Submenu, Command, Separator };

struct MenuRow {
  int depth;          // 0 at the top of its menu; a submenu's items follow it, one deeper
  RowKind kind;
  std::string label;  // Shift-JIS; "\t" starts the shortcut label; "" for a separator
  std::uint16_t id;   // 0 for a submenu or a separator
  Feature feature;    // for a submenu without rows: what fills it when it opens
};

enum class MenuId : std::uint8_t { Bar, QueryView, ColumnHeader, SnapshotView, InformationView };
inline constexpr MenuId kAllMenus[] = {MenuId::Bar, MenuId::QueryView, MenuId::ColumnHeader,
                                       MenuId::SnapshotView, MenuId::InformationView};

// The bar's rows at depth 0 are its seven menus, in this order. The item
// list's context menu is a copy of the "編集" menu.
enum class BarMenu : std::uint8_t { File, Edit, Manage, Emulator, Database, Options, Help };
inline constexpr std::size_t kBarMenuCount = 7;

// The rows of a menu, converted once. The information view's popup
// ("インフォメーション内メニュー") has no fixed rows: the web search sites fill it.
const std::vector<MenuRow>& menuRows(MenuId menu);

// Positions in `rows` of the direct items of the submenu at `parent`, or of
// the menu's top level without one.
std::vector<std::size_t> childrenOf(const std::vector<MenuRow>& rows, std::optional<std::size_t> parent);

// Whether a row may be chosen: its feature is built (a separator never).
bool rowAvailable(const MenuRow& row);
// The same for a fixed identifier of the tables; false for identifiers that
// are not in them (emulator settings and web sites added at run time).
bool commandAvailable(std::uint16_t id);
// The label of a fixed command without its shortcut ("" when unknown): the
// tool bar's tooltips.
std::string commandLabel(std::uint16_t id);

}  // namespace qm::shell::menu
