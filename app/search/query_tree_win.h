// The query tree of the main window: the saved queries under the program's
// "query" folder with their icons, a click that runs one, and the commands of
// its context menu (new folder, new query, edit, large icons, delete).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/search/saved_queries.h"
#include "common/platform/message_sink.h"

namespace qm::search {

struct QueryTreeHost {
  std::string programFolder;
  std::string settingsPath;  // "QueryTree" "IconSize"
  platform::MessageSink* sink = nullptr;
  // Runs a query's statement as an SQL search.
  std::function<void(const std::string& statement)> run;
  // The owner writes its settings at exit: it must keep the size chosen here.
  std::function<void(int iconSize)> iconSizeChanged;
};

class QueryTree {
public:
  QueryTree() = default;
  ~QueryTree();
  QueryTree(const QueryTree&) = delete;
  QueryTree& operator=(const QueryTree&) = delete;

  void attach(HWND tree, QueryTreeHost host);
  void build();
  std::string root() const;
  // A click on a query runs it; a right click makes the item under the
  // cursor current for the context menu. True when the notification was the tree's.
  bool onNotify(const NMHDR& header);
  // The context menu's commands; false for other identifiers.
  bool onCommand(int command);
  // Greys what does not fit the current item, checks the icon size.
  void updateMenu(HMENU menu) const;

private:
  void addNodes(const std::vector<QueryNode>& nodes, HTREEITEM parent);
  int iconFor(const std::string& path, int standard);
  std::string pathOf(HTREEITEM item) const;
  HTREEITEM itemAtCursor() const;
  bool currentIsQuery() const;
  std::string currentFolder() const;

  HWND tree_ = nullptr;
  QueryTreeHost host_;
  HIMAGELIST small_ = nullptr;
  HIMAGELIST large_ = nullptr;
  int iconSize_ = 16;
  std::string current_;  // the item last selected: a folder's path or a query file's
};

}  // namespace qm::search
