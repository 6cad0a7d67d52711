#include "app/search/query_tree_win.h"

#include "app/search/query_dialog_win.h"
#include "app/settings/settings.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

// Switched from the tree's own menu, and written at once.
void saveIconSize(const std::string& settingsPath, int size) {
  const SettingDef& def = settingDef(Setting::QueryTreeIconSize);
  platform::IniFile(settingsPath).writeInt(def.section, def.key, size);
}

using platform::MessageButtons;
using platform::MessageIcon;

constexpr int kFolderImage = 0;
constexpr int kQueryImage = 1;
constexpr int kImageRoom = 299;
// The context menu's commands.
constexpr int kNewFolder = 1173;
constexpr int kNewQuery = 1174;
constexpr int kEditQuery = 1175;
constexpr int kLargeIcons = 1176;
constexpr int kDelete = 1177;

HBITMAP loadBitmap(const std::string& path, int size) {
  return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, size, size, LR_LOADFROMFILE));
}

// images.bmp holds folder, open folder, query and library: the folder and
// the query are the standard icons.
void addStandardIcons(HIMAGELIST list, const std::string& programFolder) {
  const std::string path = platform::joinPath(platform::joinPath(programFolder, "resource"), "images.bmp");
  HBITMAP strip = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  HIMAGELIST source = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
  if (strip && ImageList_AddMasked(source, strip, RGB(255, 0, 255)) >= 0 && ImageList_GetImageCount(source) >= 4) {
    for (int image : {0, 2}) {
      HICON icon = ImageList_GetIcon(source, image, ILD_TRANSPARENT);
      ImageList_ReplaceIcon(list, -1, icon);
      DestroyIcon(icon);
    }
  } else {
    for (int i = 0; i < 2; ++i) ImageList_ReplaceIcon(list, -1, LoadIcon(nullptr, i == 0 ? IDI_APPLICATION : IDI_INFORMATION));
  }
  if (strip) DeleteObject(strip);
  ImageList_Destroy(source);
}

}  // namespace

QueryTree::~QueryTree() {
  if (small_) ImageList_Destroy(small_);
  if (large_) ImageList_Destroy(large_);
}

void QueryTree::attach(HWND tree, QueryTreeHost host) {
  tree_ = tree;
  host_ = std::move(host);
  iconSize_ = readNumber(platform::IniFile(host_.settingsPath), Setting::QueryTreeIconSize) == 32 ? 32 : 16;
  build();
}

std::string QueryTree::root() const { return platform::joinPath(host_.programFolder, kQueryFolderName); }

void QueryTree::build() {
  if (!tree_) return;
  platform::createFolder(root());
  TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
  if (small_) ImageList_Destroy(small_);
  if (large_) ImageList_Destroy(large_);
  small_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, kImageRoom);
  large_ = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, 2, kImageRoom);
  addStandardIcons(small_, host_.programFolder);
  addStandardIcons(large_, host_.programFolder);
  TreeView_SetImageList(tree_, iconSize_ == 32 ? large_ : small_, TVSIL_NORMAL);
  TreeView_DeleteAllItems(tree_);
  addNodes(readQueryTree(root()), TVI_ROOT);
}

// A custom icon goes into both lists, black transparent; the standard one
// when its file cannot be read.
int QueryTree::iconFor(const std::string& path, int standard) {
  if (path.empty() || ImageList_GetImageCount(small_) >= kImageRoom) return standard;
  HBITMAP small = loadBitmap(path, 16);
  HBITMAP large = loadBitmap(path, 32);
  int image = standard;
  if (small && large) {
    image = ImageList_AddMasked(small_, small, RGB(0, 0, 0));
    if (image >= 0) ImageList_AddMasked(large_, large, RGB(0, 0, 0));
    if (image < 0) image = standard;
  }
  if (small) DeleteObject(small);
  if (large) DeleteObject(large);
  return image;
}

void QueryTree::addNodes(const std::vector<QueryNode>& nodes, HTREEITEM parent) {
  for (const QueryNode& node : nodes) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    std::string name = node.name;
    insert.item.pszText = name.data();
    insert.item.lParam = node.folder ? 1 : 0;
    insert.item.iImage = insert.item.iSelectedImage = iconFor(node.icon, node.folder ? kFolderImage : kQueryImage);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (node.folder) addNodes(node.children, item);
  }
}

std::string QueryTree::pathOf(HTREEITEM item) const {
  std::vector<std::string> names;
  bool query = false;
  for (HTREEITEM at = item; at; at = TreeView_GetParent(tree_, at)) {
    char text[MAX_PATH] = "";
    TVITEMA data{};
    data.mask = TVIF_TEXT | TVIF_PARAM;
    data.hItem = at;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    if (at == item) query = data.lParam == 0;
    names.insert(names.begin(), text);
  }
  return queryItemPath(root(), names, query);
}

HTREEITEM QueryTree::itemAtCursor() const {
  TVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(tree_, &hit.pt);
  HTREEITEM item = TreeView_HitTest(tree_, &hit);
  return (hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT)) ? item : nullptr;
}

bool QueryTree::onNotify(const NMHDR& header) {
  if (header.hwndFrom != tree_) return false;
  if (header.code == NM_CLICK || header.code == NM_RCLICK) {
    HTREEITEM item = itemAtCursor();
    if (!item) return true;
    TreeView_SelectItem(tree_, item);
    current_ = pathOf(item);
    if (header.code == NM_CLICK && currentIsQuery()) {
      const SavedQuery query = readQuery(current_);
      if (!query.refusal.empty() && host_.sink)
        host_.sink->show(query.refusal, text::sjis("文字コード"), MessageIcon::Warning, MessageButtons::Ok);
      if (!query.sql.empty() && host_.run) host_.run(query.sql);
    }
  }
  return true;
}

bool QueryTree::currentIsQuery() const {
  return !current_.empty() && isQueryFile(platform::fileNameOf(current_));
}

std::string QueryTree::currentFolder() const {
  if (current_.empty()) return root();
  return currentIsQuery() ? platform::folderOf(current_) : current_;
}

void QueryTree::updateMenu(HMENU menu) const {
  const bool query = currentIsQuery();
  const bool folder = !current_.empty() && !query;
  EnableMenuItem(menu, kEditQuery, MF_BYCOMMAND | (query ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, kDelete, MF_BYCOMMAND | (query || folder ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(menu, kLargeIcons, MF_BYCOMMAND | (iconSize_ == 32 ? MF_CHECKED : MF_UNCHECKED));
}

bool QueryTree::onCommand(int command) {
  HWND owner = GetParent(tree_);
  switch (command) {
    case kNewFolder:
      if (runNewFolderDialog(owner, currentFolder())) build();
      return true;
    case kNewQuery:
      if (runQueryDialog(owner, currentFolder(), {})) build();
      return true;
    case kEditQuery:
      if (currentIsQuery() && runQueryDialog(owner, currentFolder(), current_)) build();
      return true;
    case kLargeIcons:
      iconSize_ = iconSize_ == 32 ? 16 : 32;
      saveIconSize(host_.settingsPath, iconSize_);
      if (host_.iconSizeChanged) host_.iconSizeChanged(iconSize_);
      build();
      return true;
    case kDelete: {
      if (current_.empty() || !host_.sink) return true;
      const bool query = currentIsQuery();
      const std::string question = text::sjis(query ? "クエリを削除します。よろしいですか？"
                                                     : "フォルダとフォルダに含まれるクエリ全てを削除します。よろしいですか？");
      if (host_.sink->show(question, "", MessageIcon::Question, MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return true;
      if (!deleteQueryItem(root(), current_))
        host_.sink->show(text::sjis("削除できませんでした。\n") + current_, "", MessageIcon::Error, MessageButtons::Ok);
      current_.clear();
      build();
      return true;
    }
    default: return false;
  }
}

}  // namespace qm::search
