#include "app/shell/image_folder.h"

#include "app/maintenance/missing_images.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::shell {

// Quoted, since a path with a comma or a blank would otherwise be cut
// into several arguments of the file manager.
FolderOpen folderOpenFor(const std::string& imageKey) {
  FolderOpen open;
  open.file = maintenance::testedPath(imageKey);
  open.parameters = "/select,\"" + open.file + "\"";
  return open;
}

std::optional<FolderOpen> imageFolderToOpen(const std::string& imageKey, platform::MessageSink& sink) {
  FolderOpen open = folderOpenFor(imageKey);
  if (!open.file.empty() && platform::fileExists(open.file)) return open;
  sink.show(text::sjis("ファイルは見つかりませんでした。\n"), "", platform::MessageIcon::Warning,
            platform::MessageButtons::Ok);
  return std::nullopt;
}

}  // namespace qm::shell
