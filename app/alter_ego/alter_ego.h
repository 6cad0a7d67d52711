// Alter egos: private unpacked copies of an item's image (and of every disk
// of its set) in a folder of their own, recorded in alter_ego_table, which
// the launch then uses instead of the registered images.
//
// Creation is all or nothing: a failed copy, insert or commit removes the
// copies made and the folder, and leaves no row. Removal deletes only the
// copies the item's rows record, and the folder only when that leaves it
// empty, so files an emulator saved beside them stay.
#pragma once

#include <optional>
#include <string>

#include "app/alter_ego/alter_ego_folder.h"
#include "common/platform/message_sink.h"

namespace qm::alter_ego {

struct AlterEgoItem {
  std::string fileName;  // the image key
  std::string machineName;
  std::string ply;       // "1" for the parent of a set
};

// The path of one recorded copy of the item, or nothing when it has none.
std::optional<std::string> recordedCopy(const std::string& dbPath, const std::string& fileName);

// True once the rows are committed ("分身を作成しました。" shown).
bool createAlterEgo(const std::string& dbPath, const AlterEgoItem& item, const FolderFields& fields,
                    platform::MessageSink& sink);
// True when the rows were deleted ("分身を解除しました。" shown).
bool removeAlterEgo(const std::string& dbPath, const std::string& fileName, platform::MessageSink& sink);

// The item as the library holds it, for callers without the list.
std::optional<AlterEgoItem> readAlterEgoItem(const std::string& dbPath, const std::string& fileName);

}  // namespace qm::alter_ego
