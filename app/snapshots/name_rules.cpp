#include "app/snapshots/name_rules.h"

#include "common/platform/path_separators.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::snapshots {

namespace {

constexpr const char* kLabels[kRuleCount] = {
    "CRC32と同名の画像,ex) CRC32 = 123456,-> 123456.bmp",
    "イメージ名と同名の画像,ex) ABC(J).zip|.rom,-> ABC(J).bmp",
    "イメージ名で始まる名前の画像,ex) ABC(J).zip|.rom,-> ABC(J)*.bmp",
    "イメージ名の ( [ 前で始まる名前の画像,ex) ABC(J).zip|.rom,-> ABC*.bmp",
    "圧縮内のイメージ名と同名の画像,ex) ABC.zip\\123(J).rom,-> 123(J).bmp",
    "圧縮内のイメージ名で始まる名前の画像,ex) ABC.zip\\123(J).rom,-> 123(J)*.bmp",
    "圧縮内のイメージ名の ( [ 前で始まる名前の画像,ex) ABC.zip\\123(J).rom,-> 123*.bmp",
    "タイトルと同名の画像,ex) タイトル = ほげ,-> ほげ.bmp",
};

std::string stemOf(std::string_view path) {
  const std::string_view name = lastPathPart(path);
  const std::size_t dot = sjis::findLast(name, '.');
  return std::string(dot == sjis::npos ? name : name.substr(0, dot));
}

void addName(std::vector<TriedName>& names, std::string stem, bool prefix) {
  // An empty stem would match every picture (as a prefix) or a bare ".BMP".
  if (!stem.empty()) names.push_back({std::move(stem), prefix});
}

}  // namespace

std::string_view lastPathPart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i = sjis::nextChar(path, i))
    if (platform::isSeparator(path[i])) start = i + 1;
  return path.substr(start);
}

NameInputs nameInputs(std::string_view key, std::string crc32, std::string title) {
  NameInputs in;
  in.crc32 = std::move(crc32);
  in.title = std::move(title);
  const std::size_t star = sjis::find(key, '*');
  if (star == sjis::npos) {
    in.imageName = stemOf(key);
  } else {
    in.imageName = stemOf(key.substr(0, star));
    in.innerName = stemOf(key.substr(star + 1));
  }
  return in;
}

std::vector<std::string> crcNames(std::string_view crc) {
  std::vector<std::string> names;
  // "00000000" is what the CRC library answers when it could not read the
  // image: like an empty text it says the CRC is unknown, and a picture of
  // that name would show for every such image.
  if (crc.find_first_not_of('0') == std::string_view::npos) return names;
  names.emplace_back(crc);
  for (std::string padded(crc); padded.size() < 8;) {
    padded.insert(0, 1, '0');
    names.push_back(padded);
  }
  for (std::string_view trimmed = crc; trimmed.size() > 1 && trimmed[0] == '0';) {
    trimmed.remove_prefix(1);
    names.emplace_back(trimmed);
  }
  return names;
}

std::string cutBeforeBracket(std::string_view name) {
  std::size_t from = 0;
  std::size_t round = sjis::find(name, '(');
  std::size_t square = sjis::find(name, '[');
  if (round == 0 || square == 0) {
    from = sjis::nextChar(name, 0);
    round = sjis::find(name, '(', from);
    square = sjis::find(name, '[', from);
  }
  const std::size_t cut = std::min(round, square);
  std::string result(cut == sjis::npos ? name : name.substr(0, cut));
  while (!result.empty() && result.back() == ' ') result.pop_back();
  return result;
}

std::vector<TriedName> ruleNames(int rule, const NameInputs& in) {
  std::vector<TriedName> names;
  switch (rule) {
    case 0:
      for (auto& name : crcNames(in.crc32)) addName(names, std::move(name), false);
      break;
    case 1: addName(names, in.imageName, false); break;
    case 2: addName(names, in.imageName, true); break;
    case 3: addName(names, cutBeforeBracket(in.imageName), true); break;
    case 4: addName(names, in.innerName, false); break;
    case 5: addName(names, in.innerName, true); break;
    case 6: addName(names, cutBeforeBracket(in.innerName), true); break;
    case 7: addName(names, in.title, false); break;
    default: break;
  }
  return names;
}

std::string ruleLabel(int rule) {
  if (rule < 0 || rule >= kRuleCount) return {};
  return text::sjis(kLabels[rule]);
}

std::string matchLabel(int rule) {
  const std::string label = ruleLabel(rule);
  if (label.empty()) return {};
  return "match>" + label.substr(0, std::min(label.size(), sjis::find(label, ',')));
}

}  // namespace qm::snapshots
