// The statements of the master table management, word for word. Names and
// values are program text and quoted here; entries are addressed by name.
#pragma once

#include <string>

#include "app/masters/master_kind.h"

namespace qm::master {

// What the property dialog edits. The machine fields are ignored for the
// other kinds.
struct Entry {
  std::string name;
  std::string icon;  // bitmap path, "" for the default icon
  std::string searchExt;
  std::string snapPath;
  std::string snapPath2;
  std::string snapPath3;
  std::string snapDtm;  // "" when the machine has no snapshot settings of its own
  std::string defaultMedia;
};

namespace sql {

std::string listNames(Kind kind);  // also the renumbering's reading
std::string count(Kind kind);
std::string load(Kind kind, const std::string& name);
std::string insert(Kind kind, const Entry& entry);
std::string update(Kind kind, const Entry& entry, const std::string& oldName);
std::string remove(Kind kind, const std::string& name);
std::string setNumber(Kind kind, int number, const std::string& name);
std::string iconList(Kind kind);  // icon, name by order number
std::string namesInOrder(Kind kind);  // names by order number, as the choice lists show them


std::string storedDefaultMedia(const std::string& machine);
// The default media and the searched extensions of a machine.
std::string machineDefaults(const std::string& machine);
std::string setMediaOfImages(const std::string& machine, const std::string& media);

}  // namespace sql
}  // namespace qm::master
