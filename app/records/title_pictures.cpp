#include "app/records/title_pictures.h"

#include <vector>

#include "app/snapshots/item_snapshots.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::records {

using text::sjis;

snapshots::RenameCount offerTitlePictureRename(db::DbConnection& db, const std::string& key,
                                               const std::string& oldTitle, const std::string& newTitle,
                                               const std::string& programFolder, platform::MessageSink& sink) {
  const auto load = snapshots::loadItemSnapshots(db, key, programFolder);
  if (!load.item) return {};
  std::vector<std::string> folders;
  for (const auto& slot : load.item->slots) {
    folders.push_back(slot.machineFolder);
    if (platform::folderExists(slot.itemPath)) folders.push_back(slot.itemPath);
  }
  bool any = false;
  for (const auto& folder : folders) any = any || platform::folderExists(folder);
  if (!any) return {};
  const std::string question = sjis("タイトルと同名のスナップ画像のファイル名を変更しますか？\n") + oldTitle +
                               sjis(" → ") + newTitle;
  if (sink.show(question, "", platform::MessageIcon::Question, platform::MessageButtons::YesNo) !=
      platform::MessageAnswer::Yes)
    return {};
  return snapshots::renameTitlePictures(folders, oldTitle, newTitle);
}

}  // namespace qm::records
