#include "app/renamedata/rename_plugin.h"

#include <cstring>

#include "app/renamedata/plugin_binary.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::renamedata {

using text::sjis;

std::string refusal32Bit() {
  return sjis("32ビット版のプラグインは使用できません。\n64ビット版のプラグインを使用してください。");
}
std::string refusalNoItems() { return sjis("使用できないプラグインぽいです"); }
std::string refusalCannotLoad(const std::string& reason) {
  return sjis("プラグインを読み込めませんでした。\n") + reason;
}

std::string takeWritten(const char* bytes, std::size_t size) {
  std::string text(bytes, size == 0 ? 0 : strnlen(bytes, size - 1));
  // The buffer is cut at its size: a double-byte character may have lost its
  // second byte there.
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t next = sjis::nextChar(text, at);
    if (next == at + 1 && sjis::isLeadByte(static_cast<unsigned char>(text[at])) && next == text.size()) {
      text.resize(at);
      break;
    }
    at = next;
  }
  return text;
}

PluginLoad RenamePlugin::load(const std::string& path) {
  PluginLoad result;
  if (binaryWidthOfFile(path) == BinaryWidth::Bits32) {
    result.refusal = refusal32Bit();
    return result;
  }
  platform::SharedLibrary library(path);
  if (!library.loaded()) {
    result.refusal = refusalCannotLoad(library.error());
    return result;
  }
  std::unique_ptr<RenamePlugin> plugin(new RenamePlugin(std::move(library)));
  bool any = false;
  for (const ItemInfo& info : itemTable()) {
    plugin->functions_[indexOf(info.item)] = plugin->library_.symbol(info.exportName);
    any = any || plugin->functions_[indexOf(info.item)];
  }
  if (!any) {
    result.refusal = refusalNoItems();
    return result;
  }
  result.plugin = std::move(plugin);
  return result;
}

std::optional<std::string> RenamePlugin::text(RenameItem item, const PluginKey& key) const {
  const ItemInfo& info = itemInfo(item);
  void* symbol = functions_[indexOf(item)];
  if (!symbol || info.number) return std::nullopt;
  const auto function = reinterpret_cast<TextExport>(symbol);
  return askText(
      [&](char** buffer, std::uint16_t size) {
        return function(key.list.c_str(), key.key, static_cast<std::int16_t>(key.keyType), buffer, size);
      },
      info.limit);
}

std::optional<int> RenamePlugin::number(RenameItem item, const PluginKey& key) const {
  void* symbol = functions_[indexOf(item)];
  if (!symbol || !itemInfo(item).number) return std::nullopt;
  const int value = reinterpret_cast<NumberExport>(symbol)(key.list.c_str(), key.key,
                                                          static_cast<std::int16_t>(key.keyType));
  if (value < 0) return std::nullopt;
  return value;
}

std::optional<int> RenamePlugin::version() const {
  const auto function = library_.function<VersionExport>(kVersionExport);
  if (!function) return std::nullopt;
  return function();
}

namespace {

// The plug-in's own texts are shown in the dialog: a line or a paragraph.
constexpr std::size_t kAuthorLimit = 256;
constexpr std::size_t kInfoLimit = 2048;

std::string infoText(const platform::SharedLibrary& library, const char* name, std::size_t limit) {
  const auto function = library.function<InfoTextExport>(name);
  if (!function) return {};
  return askText([&](char** buffer, std::uint16_t size) { return function(buffer, size); }, limit).value_or("");
}

}  // namespace

ListCheck RenamePlugin::checkList(const platform::ReadOnlyText& list) const {
  const auto ask = [&](const char* name) {
    const auto function = library_.function<ListTextExport>(name);
    if (!function || !list.valid()) return std::string();
    return askText([&](char** buffer, std::uint16_t size) { return function(list.c_str(), buffer, size); },
                   kInfoLimit)
        .value_or("");
  };
  ListCheck check;
  check.error = ask(kListErrorExport);
  if (check.error.empty()) check.notice = ask(kListNoticeExport);
  return check;
}

std::string RenamePlugin::author() const { return infoText(library_, kAuthorExport, kAuthorLimit); }
std::string RenamePlugin::info() const { return infoText(library_, kInfoExport, kInfoLimit); }

}  // namespace qm::renamedata
