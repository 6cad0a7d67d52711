// The conversion read literally: every replacement of the plan, one after
// another, over the whole text. The one-pass converter must agree with it.
#pragma once

#include <string>
#include <string_view>

#include "common/text/conversion_plan.h"
#include "common/text/sjis.h"

namespace qm::test {

inline std::string convertLiterally(const text::ConversionPlan& plan, std::string_view input, bool mayBeEmpty) {
  std::string text(input);
  for (const text::Replacement& r : plan) text = sjis::replaceAll(text, r.from, r.to);
  return text.empty() && !mayBeEmpty ? std::string(input) : text;
}

// Every lead byte has its trail byte, and every character is one the code
// page defines.
bool isValidShiftJis(std::string_view text);

}  // namespace qm::test
