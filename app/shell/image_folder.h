// The "イメージファイルのフォルダを開く" command: the file manager opens the
// folder of the current image with the file selected. An image inside an
// archive ("C:\a.zip*x.d88") selects its archive.
#pragma once

#include <optional>
#include <string>

#include "common/platform/message_sink.h"

namespace qm::shell {

struct FolderOpen {
  std::string file;        // the file to select, program text
  std::string parameters;  // for EXPLORER.EXE: /select, and the quoted path
};

FolderOpen folderOpenFor(const std::string& imageKey);

// Nothing, after telling the user, when the file is not there.
std::optional<FolderOpen> imageFolderToOpen(const std::string& imageKey, platform::MessageSink& sink);

}  // namespace qm::shell
