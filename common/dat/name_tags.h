// What a DAT's standard game names say in their tags: the region in
// parentheses ("(Japan)", "(USA, Europe)", TOSEC's "(JP)" or "(JP-US)"), the
// revision or version ("(Rev 1)", "(v1.1)") and the dump flags in brackets
// ("[b]", "[a2]", "[cr Team]").
#pragma once

#include <string>
#include <string_view>

namespace qm::dat {

struct NameTags {
  std::string country;  // the region tag's text; empty when none
  std::string version;  // the version tags and dump flags, joined by blanks
};

NameTags nameTags(std::string_view name);

}  // namespace qm::dat
