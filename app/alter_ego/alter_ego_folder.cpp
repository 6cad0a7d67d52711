#include "app/alter_ego/alter_ego_folder.h"

#include "app/launch/path_parts.h"
#include "app/masters/folder_name.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::alter_ego {
namespace {

using text::sjis;

// Removes the characters of `drop` (single bytes) and full-width blanks
// when `wideBlank`, looking at character starts only.
std::string without(const std::string& text, std::string_view drop, bool wideBlank) {
  const std::string wide = sjis("　");
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t next = sjis::nextChar(text, at);
    const std::string_view c(text.data() + at, next - at);
    const bool dropped = (c.size() == 1 && drop.find(c[0]) != std::string_view::npos) || (wideBlank && c == wide);
    if (!dropped) out.append(c);
    at = next;
  }
  return out;
}

std::string imageName(const std::string& fileName) {
  const std::size_t star = sjis::find(fileName, '*');
  const std::string image = star == sjis::npos ? fileName : fileName.substr(star + 1);
  return launch::pathPart(image, launch::PathPiece::BaseName);
}

void refuse(platform::MessageSink& sink, const char* utf8) {
  sink.show(sjis(utf8), sjis("中止"), platform::MessageIcon::Error, platform::MessageButtons::Ok);
}

std::string withSeparator(const std::string& folder) {
  if (folder.empty()) return folder;
  const char last = folder.back();
  if ((last == '\\' && sjis::isCharBoundary(folder, folder.size() - 1)) || last == '/') return folder;
  return folder + platform::kPathSeparator;
}

}  // namespace

std::string proposeSubfolder(const std::string& machine, const std::string& fileName) {
  const std::string proposal = without(machine + "_" + imageName(fileName), " ", true);
  if (master::isFolderName(proposal)) return proposal;
  return without(proposal, "\\/<>:|?*.\"\n\r\t", false);
}

FolderFields fieldsFromCopy(const std::string& copyPath) {
  const std::string folder = platform::folderOf(copyPath);
  return {withSeparator(platform::folderOf(folder)), platform::fileNameOf(folder)};
}

FolderFields openingFields(const std::optional<std::string>& copy, const std::string& defaultFolder,
                           const std::string& machine, const std::string& fileName) {
  FolderFields fields;
  if (copy) fields = fieldsFromCopy(*copy);
  if (fields.baseFolder.empty() && !defaultFolder.empty() && platform::folderExists(defaultFolder))
    fields.baseFolder = withSeparator(defaultFolder);
  if (!copy) fields.subfolder = proposeSubfolder(machine, fileName);
  return fields;
}

std::optional<std::string> checkedFolder(const FolderFields& fields, platform::MessageSink& sink) {
  if (fields.baseFolder.size() < 3) {
    refuse(sink, "ベースフォルダを指定してください。");
    return std::nullopt;
  }
  if (fields.subfolder.empty()) {
    refuse(sink, "サブフォルダ名を入力してください。");
    return std::nullopt;
  }
  if (!master::isFolderName(fields.subfolder)) {
    refuse(sink, "サブフォルダに使用不可な文字が含まれています。");
    return std::nullopt;
  }
  const std::string folder = platform::joinPath(fields.baseFolder, fields.subfolder);
  if (folder.size() + 1 > kFolderPathLimit) {
    refuse(sink, "フォルダパスが長すぎます。");
    return std::nullopt;
  }
  return folder;
}

}  // namespace qm::alter_ego
