// The eight name rules by which a snapshot picture is looked for in a folder,
// and the names each rule tries for one item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::snapshots {

inline constexpr int kRuleCount = 8;

// What the rules read of an item (program text).
struct NameInputs {
  std::string crc32;      // "" when unknown
  std::string imageName;  // the image file (or archive) name, no folder, no extension
  std::string innerName;  // the archive member's name likewise; "" outside archives
  std::string title;
  bool operator==(const NameInputs&) const = default;
};

// The last component of a path, after its last "\\" or "/" (keys of archive
// members may use either, whatever the platform).
std::string_view lastPathPart(std::string_view path);

// The inputs of the item with key `key` ("path" or "archive*member").
NameInputs nameInputs(std::string_view key, std::string crc32, std::string title);

// A file-name stem to try. With `prefix` any name starting with it counts;
// otherwise the stem is the whole name before the extension. Either way the
// stem is compared as it is: "*", "?" and brackets in it are plain characters.
struct TriedName {
  std::string stem;
  bool prefix = false;
};

// The names rule `rule` tries, in order; none when the rule has nothing to
// work with (no CRC, no inner name, a name that cuts down to nothing).
std::vector<TriedName> ruleNames(int rule, const NameInputs& inputs);

// The CRC text, then padded with leading zeros to 8 characters one at a time,
// then from the text again with its leading zeros dropped one at a time.
// None for an unknown CRC: empty, or all zeros (the CRC library's error value).
std::vector<std::string> crcNames(std::string_view crc);

// The name cut before its first "(" or "[" (a bracket at the very start does
// not count), trailing blanks removed.
std::string cutBeforeBracket(std::string_view name);

// The rule's label as the settings dialog shows it, and the short form naming
// the rule that found a picture: "match>" and the label up to its first ",".
std::string ruleLabel(int rule);
std::string matchLabel(int rule);

}  // namespace qm::snapshots
