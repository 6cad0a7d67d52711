// What the information view shows of the current item: the title, the maker
// line under it, and labelled lines of the record in a fixed order. Values
// are program text as the item list holds them; the shown forms follow the
// list's cell rules (a release date without "-00", "- -" for never booted).
// Empty values are left out, so a sparse record stays short.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qm::shell {

struct InfoLine {
  std::string label;  // program text
  std::string value;
};

struct InfoRecord {
  std::string title;
  std::string maker;  // maker, and the developer when it differs
  std::vector<InfoLine> lines;
  bool empty() const { return title.empty() && maker.empty() && lines.empty(); }
};

// `cellAt(position)` gives the current item's value of a list_view column.
InfoRecord infoRecord(const std::function<std::string(int viewColumn)>& cellAt);

}  // namespace qm::shell
