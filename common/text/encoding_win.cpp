#include "common/text/encoding.h"

#include <windows.h>

#include <climits>

#include "common/text/ascii.h"

namespace qm::text {
namespace {

// Inputs beyond INT_MAX bytes do not fit the API and come back empty.
std::wstring toWide(UINT codePage, std::string_view in) {
  if (in.empty() || in.size() > INT_MAX) return {};
  const int size = static_cast<int>(in.size());
  const int n = MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, in.data(), size, out.data(), n);
  return out;
}

std::string fromWide(UINT codePage, DWORD flags, std::wstring_view in) {
  if (in.empty() || in.size() > INT_MAX) return {};
  const int size = static_cast<int>(in.size());
  const int n = WideCharToMultiByte(codePage, flags, in.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(codePage, flags, in.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::string sjisToUtf8(std::string_view sjis) {
  if (isAscii(sjis)) return std::string(sjis);
  return fromWide(CP_UTF8, 0, toWide(CP_ACP, sjis));
}

// No best fit: it would write "¥" as 0x5C, a path separator, and "é" as "e" on
// one system but "?" on another; the default character is predictable.
std::string utf8ToSjis(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  return fromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, toWide(CP_UTF8, utf8));
}

}  // namespace qm::text
