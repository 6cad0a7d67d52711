// The encoding of a text file the user hands us (a CSV file, a rename list, a
// saved query), and its conversion to program text.
//
// Editors on other systems save UTF-8 or UTF-16, and UTF-8 Japanese read as
// code page 932 gives readable-looking nonsense ("縺ゅ＞" for "あい") without a
// single invalid byte, so such a file has to be recognised before its bytes
// are used. Code page 932 kana and kanji are rarely valid UTF-8; text that is
// valid both ways and reads as ordinary Japanese either way is Unknown, to be
// refused rather than guessed.
#pragma once

#include <string>
#include <string_view>

namespace qm::text {

enum class InputEncoding { Ascii, Cp932, Utf8, Utf8Bom, Utf16Le, Utf16Be, Unknown };

// UTF-16 is recognised by its byte-order mark, or without one when NUL bytes
// fall only on the high-byte side of a good share of its units.
InputEncoding classifyInput(std::string_view bytes);

struct ProgramText {
  std::string text;
  long lost = 0;  // characters code page 932 cannot hold (each written as "?")
};

// The bytes as program text: UTF-8 and UTF-16 converted, the byte-order mark
// dropped; Ascii, Cp932 and Unknown as they are.
ProgramText toProgramText(std::string_view bytes, InputEncoding found);

// The encoding as the messages name it (program text).
std::string encodingName(InputEncoding found);

}  // namespace qm::text
