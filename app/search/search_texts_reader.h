// Reads the library's search texts on a thread and a connection of its own
// once the list is shown, so that the first search after a start (or after
// the library changed) finds them held: read on the window's thread, they
// took the first search most of a second under Wine.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "app/item_list/item_list.h"
#include "app/item_list/text_condition.h"

namespace qm::search {

class SearchTextsReader {
public:
  explicit SearchTextsReader(std::string dbPath) : dbPath_(std::move(dbPath)) {}
  ~SearchTextsReader();
  SearchTextsReader(const SearchTextsReader&) = delete;
  SearchTextsReader& operator=(const SearchTextsReader&) = delete;

  // On the list's thread: starts a read when the list wants the texts and no
  // read is running. `done` is called on the worker when the read ended.
  void start(ItemList& items, std::function<void()> done);
  // On the list's thread, after `done`: the texts go to the list, unless the
  // library changed meanwhile. True when they were taken.
  bool finish(ItemList& items);

private:
  std::string dbPath_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::optional<ItemList::TextsJob> job_;
  std::optional<SearchTexts> texts_;  // written by the worker, read after the join
};

}  // namespace qm::search
