// The small commands on the items selected in the item list: favourite slots,
// reset of boot information and removal of the per-image emulator choice.
// Each runs in one transaction on a connection of its own and reports its
// failures through the sink; the caller refreshes the list afterwards.
#pragma once

#include <string>
#include <vector>

#include "common/platform/message_sink.h"

namespace qm::shell {

// Favourite slot of a menu identifier (1135 is slot 0); anything outside
// 0-9 is slot 0.
int favouriteSlot(int commandId);

// Toggle: add when the first item lacks the digit, remove otherwise, for all.
enum class FavouriteMode { Toggle, Add, Remove };

struct FavouriteItem {
  std::string key;   // file_name, program text
  std::string fave;  // its favourite digits as the item list has them
};

// An item's digits after adding (appended, even when already there) or
// removing (every occurrence) the slot's digit.
std::string favouriteAfter(const std::string& fave, int slot, bool add);

struct FavouriteResult {
  bool ran = false;  // false when nothing was selected
  bool added = false;
  int failures = 0;
  bool committed = false;  // false when BEGIN or COMMIT failed, or a failure rolled everything back
};
FavouriteResult changeFavourite(const std::string& dbPath, int slot, FavouriteMode mode,
                                const std::vector<FavouriteItem>& items, platform::MessageSink& sink);

// True when every update went through; otherwise one box after the commit.
bool resetBootInfo(const std::string& dbPath, const std::vector<std::string>& keys, platform::MessageSink& sink);
bool releaseEmulatorChoice(const std::string& dbPath, const std::vector<std::string>& keys,
                           platform::MessageSink& sink);

// The favourite digits of each key as stored (for callers without the item
// list's result); "" for a key without a row.
std::vector<FavouriteItem> storedFavourites(const std::string& dbPath, const std::vector<std::string>& keys);

}  // namespace qm::shell
