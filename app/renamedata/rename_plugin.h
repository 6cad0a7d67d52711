// A rename-data plug-in loaded by path: which item functions it exports, and
// the two-call protocol of its text functions with every text it gives
// length-checked and terminated by us.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/renamedata/rename_items.h"
#include "common/platform/read_only_memory.h"
#include "common/platform/shared_library.h"

namespace qm::renamedata {

class RenamePlugin;

struct PluginLoad {
  std::unique_ptr<RenamePlugin> plugin;  // null when refused
  std::string refusal;                   // why, program text
};

// The key handed to every call: the list and the key lie in read-only pages.
struct PluginKey {
  PluginKey(const platform::ReadOnlyText& list, const platform::ReadOnlyText& key, int keyType)
      : list(list), key(key.valid() ? key.c_str() : nullptr), keyType(keyType) {}
  PluginKey(const platform::ReadOnlyText& list, const char* key, int keyType) : list(list), key(key), keyType(keyType) {}

  const platform::ReadOnlyText& list;
  const char* key;  // null when its pages were refused
  int keyType;
};

// What a plug-in says of a list before any key is asked (program text).
struct ListCheck {
  std::string error;   // the list cannot be used: the run does not start
  std::string notice;  // to show beside the run
};

class RenamePlugin {
public:
  static PluginLoad load(const std::string& path);

  bool has(RenameItem item) const { return functions_[indexOf(item)] != nullptr; }
  // Texts: nothing when not found or shorter than one character; numbers:
  // nothing when the result is negative.
  std::optional<std::string> text(RenameItem item, const PluginKey& key) const;
  std::optional<int> number(RenameItem item, const PluginKey& key) const;

  // Empty for a plug-in without the list exports.
  ListCheck checkList(const platform::ReadOnlyText& list) const;

  std::optional<int> version() const;
  std::string author() const;  // "" when not exported or empty
  std::string info() const;

private:
  explicit RenamePlugin(platform::SharedLibrary library) : library_(std::move(library)) {}

  platform::SharedLibrary library_;
  std::array<void*, kItemCount> functions_{};
};

// The protocol of a text export, for a function that takes the buffer pointer
// and size last: `call(buffer, size)`. Public for the tests' stand-ins.
template <typename Call>
std::optional<std::string> askText(Call&& call, std::size_t limit);

// What a plug-in wrote into a buffer of `size` bytes, maybe without a
// terminator: up to its first zero, at most size - 1 bytes (the last is the
// terminator's place), without a lead byte left alone at the end.
std::string takeWritten(const char* bytes, std::size_t size);

template <typename Call>
std::optional<std::string> askText(Call&& call, std::size_t limit) {
  char* none = nullptr;
  const int need = call(&none, 0);
  // Fewer than two bytes is a terminator without a character.
  if (need < 2) return std::nullopt;
  const std::size_t size = std::min<std::size_t>(static_cast<std::size_t>(need), limit + 1);
  auto buffer = std::make_unique<char[]>(size);
  char* place = buffer.get();
  if (call(&place, static_cast<std::uint16_t>(size)) < 0) return std::nullopt;
  return takeWritten(buffer.get(), size);
}

// Program texts of the refusals.
std::string refusal32Bit();
std::string refusalNoItems();
std::string refusalCannotLoad(const std::string& reason);

}  // namespace qm::renamedata
