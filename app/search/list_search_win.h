// The in-list search window "アイテムリスト内検索": an edit field over the item
// list whose text moves the list's cursor to the next matching title. Up and
// Down step back and on, Tab toggles "先頭比較(TAB)", Ctrl toggles
// "Migemo(Ctrl)", Escape or Enter closes it.
#pragma once

#include <windows.h>

#include <memory>

#include "app/search/list_search.h"
#include "app/search/migemo_pattern.h"

namespace qm::search {

class ItemList;

class ListSearchWindow {
public:
  ListSearchWindow() = default;
  ~ListSearchWindow();
  ListSearchWindow(const ListSearchWindow&) = delete;
  ListSearchWindow& operator=(const ListSearchWindow&) = delete;

  static bool registerClass(HINSTANCE instance);
  // Opens over `list` (the item list view); `migemo` may be null.
  void open(HWND list, const ItemList& items, MigemoSource* migemo, bool migemoOn);
  void close();
  bool isOpen() const { return window_ != nullptr; }

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK editProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void step(StepDirection direction);
  void select(int item, bool migemoView);

  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  HWND prefix_ = nullptr;
  HWND migemoBox_ = nullptr;
  HWND status_ = nullptr;
  HWND list_ = nullptr;
  HFONT font_ = nullptr;
  const ItemList* items_ = nullptr;
  MigemoSource* migemo_ = nullptr;
  int memo_ = 0;
};

}  // namespace qm::search
