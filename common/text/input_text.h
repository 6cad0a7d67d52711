// A user's text file made program text, or refused with the reason: UTF-8 and
// UTF-16 are converted when code page 932 holds every character; a file that
// would lose characters, or whose encoding cannot be told, is refused, so no
// title ever turns into "?" or mojibake unseen.
#pragma once

#include <string>
#include <string_view>

#include "common/text/input_encoding.h"

namespace qm::text {

struct InputText {
  std::string text;     // program text; empty when refused
  std::string refusal;  // why the file is not used (program text), or empty
  std::string notice;   // what was converted (program text), or empty
  InputEncoding found = InputEncoding::Ascii;
  long lost = 0;        // characters code page 932 lacks, when refused for them

  bool refused() const { return !refusal.empty(); }
};

// `name` is how the messages name the file (program text).
InputText inputTextOf(std::string_view bytes, const std::string& name);

}  // namespace qm::text
