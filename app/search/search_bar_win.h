// The search bar of the main window's rebar: the mode list, the text box
// with its history and the search button. Enter in the text box or the
// button searches (search_library.h); the window that holds the list shows
// the outcome through the host.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/search/search_library.h"
#include "app/ui/win_handles_win.h"
#include "common/text/normalize_options.h"

namespace qm::db {
class DbConnection;
}

namespace qm::search {

struct SearchBarHost {
  ItemList* items = nullptr;
  platform::MessageSink* sink = nullptr;
  MigemoSource* migemo = nullptr;  // may be null
  std::string settingsPath;        // Quillmoor2.ini, for the history
  SearchSettings settings;
  // Suggestions under the text box ("FuzzyOn", "FuzzyLap", "FuzzyClassLimit"),
  // read through a connection of their own (not the list's).
  db::DbConnection* suggestions = nullptr;
  bool fuzzyOn = true;
  bool wholeTitles = false;
  int fuzzyClassLimit = 12;
  text::SymbolTables tables;
  int fontHeight = 0;  // "SearchFontHeight"; 0 keeps `font`
  HFONT font = nullptr;
  // The file_name of the list's current item, before the search.
  std::function<std::string()> currentKey;
  // After every search that changed the view: fill the list again with the
  // cursor on `key`, rebuild the group pane forgetting its positions, show
  // the status texts (hit count, `time`, `note`).
  std::function<void(const std::string& key, const std::string& time, const std::string& note)> listChanged;
  // A search that failed or found nothing clears the information view.
  std::function<void()> searchFailed;
  // Before a search runs (a read of the library's texts still going on is awaited).
  std::function<void()> beforeSearch;
};

class SearchBar {
public:
  SearchBar() = default;
  ~SearchBar();
  SearchBar(const SearchBar&) = delete;
  SearchBar& operator=(const SearchBar&) = delete;

  static bool registerClass(HINSTANCE instance);
  // A child of `parent` (the rebar).
  bool create(HWND parent, SearchBarHost host);
  HWND window() const { return window_; }
  // The text box, which shortcut keys focus.
  HWND textBox() const { return text_; }
  int height() const { return height_; }
  int minimumWidth() const;

  // Searches for `text` in `mode` as the button does (a saved query is mode 9).
  int search(const std::string& text, int mode);
  int mode() const;

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK editProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void layout(int width);
  void loadHistory();
  void searchTyped();
  void suggest();
  std::string typedText() const;

  SearchBarHost host_;
  HWND window_ = nullptr;
  HWND modes_ = nullptr;
  HWND text_ = nullptr;
  HWND button_ = nullptr;
  ui::OwnedFont ownFont_;
  int height_ = 24;
  // A found text waiting for its history entry (written once the list shows).
  // A successful search's text, until its history entry is written.
  void writeHistory();
  std::string historyText_;
  int historyMode_ = 0;
};

}  // namespace qm::search
