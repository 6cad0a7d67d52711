// Conversion between program text (Shift-JIS, code page 932) and UTF-8.
//
// On Windows the conversion goes through the ANSI code page (932 for a Japanese
// user, and under Wine with LANG=ja_JP.UTF-8); natively through tables built
// once from iconv "CP932" and corrected where iconv and Windows disagree, so
// both give the same bytes.
// A character the target cannot hold becomes the code page's default character,
// as Windows does without best fit: "?" in Shift-JIS, "・" (U+30FB) for an
// undefined or cut-off Shift-JIS character. Malformed UTF-8 gives "?" too.
// Pure-ASCII text is returned as it is.
#pragma once

#include <string>
#include <string_view>

namespace qm::text {

std::string sjisToUtf8(std::string_view sjis);
std::string utf8ToSjis(std::string_view utf8);

// Program text written in the source as UTF-8: messages, captions, master rows.
inline std::string sjis(std::string_view utf8) { return utf8ToSjis(utf8); }

}  // namespace qm::text
