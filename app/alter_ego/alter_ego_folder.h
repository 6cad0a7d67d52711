// Where an item's alter ego lives: the base folder and subfolder the dialog
// shows, proposed for a new one or read back from the copies of an existing
// one, and the checks a new folder must pass.
#pragma once

#include <optional>
#include <string>

#include "common/platform/message_sink.h"

namespace qm::alter_ego {

struct FolderFields {
  std::string baseFolder;  // ends with a separator when filled
  std::string subfolder;
};

// machine + "_" + the image's name without folder and extension, blanks
// removed; when that cannot name a folder, every \ / < > : | ? * . " and
// line feed, carriage return and tab removed too.
std::string proposeSubfolder(const std::string& machine, const std::string& fileName);

// From the path of one of the copies: its folder split at its last separator.
FolderFields fieldsFromCopy(const std::string& copyPath);

// The fields of the dialog as it opens: an existing alter ego's folder (`copy`
// one of its copies), else `defaultFolder` when it exists and the proposal.
FolderFields openingFields(const std::optional<std::string>& copy, const std::string& defaultFolder,
                           const std::string& machine, const std::string& fileName);

// The folder to create, or nothing after the refusal was shown (caption
// "中止", error icon).
std::optional<std::string> checkedFolder(const FolderFields& fields, platform::MessageSink& sink);

// The longest folder path, its trailing separator counted.
inline constexpr std::size_t kFolderPathLimit = 210;

}  // namespace qm::alter_ego
