// Expansion of the emulator's option template and of the arguments of the
// programs run around it: "$image", "$path", "$body_noext", "$body" with
// their numbers, the item's values and the two folders.
//
// Placeholders are replaced in one left-to-right pass, letter case ignored:
// text a value brings in is never looked at again, so a title holding
// "$image" stays as it is. Values of the item ($title, $maker, ...) lose
// their double quotes, so that they cannot close the argument they stand in
// and add arguments of their own to the emulator's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/launch/launch_item.h"

namespace qm::launch {

struct TemplateValues {
  // Entries 0..n: entry 0 the boot image, 1..n the images in set order. An
  // empty list (no rows) gives every image placeholder as empty text.
  std::vector<std::string> images;
  LaunchItem item;
  std::string databasePath;   // "$qlm_path" is its folder
  std::string programFolder;  // a relative emulator path is taken from here
  std::string emulatorPath;   // "Exec" as written in the setting
  bool stripQuotes = false;   // remove double quotes from image entries first
  bool pathsOnly = false;     // replace only "$qlm_path" and "$emu_path"
  // The text is a command line: a value placed right before a double quote
  // gets the backslashes it ends with doubled, so that the quote still closes
  // its argument for programs that read their arguments as the C runtime does.
  bool commandLine = false;
};

std::string expandLaunchTemplate(std::string_view text, const TemplateValues& values);

}  // namespace qm::launch
