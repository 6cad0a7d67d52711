#include "app/launch/launch_template.h"

#include "app/launch/path_parts.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

enum class Kind { Family, Single, Always };

struct Placeholder {
  std::string_view name;
  Kind kind;
  // Families: the piece of the image entry (FileName for "$image" means the
  // entry itself, see imageValue). Singles and folders: which value.
  int which;
};

// "$body_noext" comes before "$body": the longer name must win.
constexpr int kWholeEntry = -1;
constexpr Placeholder kPlaceholders[] = {
    {"$image", Kind::Family, kWholeEntry},
    {"$path", Kind::Family, static_cast<int>(PathPiece::Folder)},
    {"$body_noext", Kind::Family, static_cast<int>(PathPiece::BaseName)},
    {"$body", Kind::Family, static_cast<int>(PathPiece::FileName)},
    {"$machine", Kind::Single, 0},
    {"$title", Kind::Single, 1},
    {"$maker", Kind::Single, 2},
    {"$developer", Kind::Single, 3},
    {"$crc32", Kind::Single, 4},
    {"$file_body", Kind::Single, 5},
    {"$pfolder", Kind::Single, 6},
    {"$qlm_path", Kind::Always, 0},
    {"$emu_path", Kind::Always, 1},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool matchesAt(std::string_view text, std::size_t pos, std::string_view name) {
  return text.size() - pos >= name.size() && sjis::equalsIgnoreCaseAscii(text.substr(pos, name.size()), name);
}

std::string withoutQuotes(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '"') out += c;
  return out;
}

// The entry a family placeholder names, read from the digits after its name
// (at most two); `used` gets how many digits belong to the placeholder.
// "0" is the first image of the set whatever was chosen, and a further digit
// after it stays behind the value ("$image05").
int entryIndex(std::string_view digits, std::size_t& used) {
  used = 0;
  if (digits.empty() || !isDigit(digits[0])) return 0;
  if (digits[0] == '0') {
    used = 1;
    return 1;
  }
  int number = digits[0] - '0';
  used = 1;
  if (digits.size() > 1 && isDigit(digits[1])) {
    number = number * 10 + (digits[1] - '0');
    used = 2;
  }
  return number == 1 ? 0 : number;
}

std::string familyValue(const Placeholder& family, int entry, const TemplateValues& values) {
  if (entry < 0 || entry >= static_cast<int>(values.images.size())) return {};
  const std::string image =
      values.stripQuotes ? withoutQuotes(values.images[entry]) : values.images[entry];
  if (family.which == kWholeEntry) return image;
  return pathPart(image, static_cast<PathPiece>(family.which));
}

std::string singleValue(int which, const LaunchItem& item) {
  switch (which) {
    case 0: return withoutQuotes(item.machineName);
    case 1: return withoutQuotes(item.title);
    case 2: return withoutQuotes(item.maker);
    case 3: return withoutQuotes(item.developer);
    case 4: return withoutQuotes(item.crc32);
    case 5: return withoutQuotes(item.fileTitle);
    default: return pathPart(item.fileName, PathPiece::LastFolderName);
  }
}

std::string folderValue(int which, const TemplateValues& values) {
  if (which == 0) return pathPart(values.databasePath, PathPiece::Folder);
  return pathPart(resolveProgramPath(values.programFolder, values.emulatorPath), PathPiece::Folder);
}

// Backslashes before a quote escape it (2n read as n and a closing quote,
// 2n+1 as n and a quote in the text); doubled they read as themselves. A
// Shift-JIS trail byte 0x5C is no backslash.
std::string escapedBeforeQuote(const std::string& value) {
  std::size_t run = 0;
  for (std::size_t pos = 0; pos < value.size(); pos = sjis::nextChar(value, pos))
    run = value[pos] == '\\' ? run + 1 : 0;
  return value + std::string(run, '\\');
}

std::string placeholderValue(const Placeholder& found, std::string_view text, std::size_t& pos,
                             const TemplateValues& values) {
  if (found.kind == Kind::Single) return singleValue(found.which, values.item);
  if (found.kind == Kind::Always) return folderValue(found.which, values);
  std::size_t used = 0;
  const int entry = entryIndex(text.substr(pos, 2), used);
  pos += used;
  return familyValue(found, entry, values);
}

}  // namespace

std::string expandLaunchTemplate(std::string_view text, const TemplateValues& values) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const Placeholder* found = nullptr;
    if (text[pos] == '$') {
      for (const Placeholder& p : kPlaceholders) {
        if ((values.pathsOnly && p.kind != Kind::Always) || !matchesAt(text, pos, p.name)) continue;
        found = &p;
        break;
      }
    }
    if (!found) {
      const std::size_t next = sjis::nextChar(text, pos);
      out.append(text.substr(pos, next - pos));
      pos = next;
      continue;
    }
    pos += found->name.size();
    const std::string value = placeholderValue(*found, text, pos, values);
    const bool beforeQuote = pos < text.size() && text[pos] == '"';
    out += values.commandLine && beforeQuote ? escapedBeforeQuote(value) : value;
  }
  return out;
}

}  // namespace qm::launch
