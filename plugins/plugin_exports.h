// What every rename-data plug-in of ours shares: how a function is exported
// and how a text is handed over in the two calls of the protocol.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef _WIN32
#define PLUGIN_EXPORT extern "C" __declspec(dllexport)
#define PLUGIN_CALL __stdcall
#else
#define PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#define PLUGIN_CALL
#endif

namespace qm::plugin {

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The length with the terminator when size is 0; else the text, cut to the
// buffer by whole characters, and its length.
inline std::int16_t giveText(std::string_view text, char** buffer, std::uint16_t size) {
  if (text.size() > 32766) text = text.substr(0, 32766);
  if (size == 0) return static_cast<std::int16_t>(text.size() + 1);
  if (!buffer || !*buffer) return -1;
  std::size_t fits = 0;
  while (fits < text.size()) {
    const std::size_t step = isLeadByte(static_cast<unsigned char>(text[fits])) && fits + 1 < text.size() ? 2 : 1;
    if (fits + step > static_cast<std::size_t>(size) - 1) break;
    fits += step;
  }
  std::memcpy(*buffer, text.data(), fits);
  (*buffer)[fits] = '\0';
  return static_cast<std::int16_t>(fits);
}

}  // namespace qm::plugin
