#include "app/records/title_pictures.h"

#include <vector>

#include "app/records/file_name_check.h"
#include "app/snapshots/item_snapshots.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

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

std::vector<std::string> storedTitles(db::DbConnection& db, const std::vector<std::string>& keys) {
  std::vector<std::string> titles;
  for (const auto& key : keys) {
    const bool read =
        !db.execute("SELECT title FROM main_table WHERE file_name=" + db::sqlText(key) + " LIMIT 1;") && db.rowCount();
    titles.push_back(read ? db.cell(1, 0) : std::string());
  }
  return titles;
}

snapshots::RenameCount offerBulkTitleRenames(db::DbConnection& db, const std::vector<std::string>& keys,
                                             const std::vector<std::string>& oldTitles, const std::string& newTitle,
                                             const std::string& programFolder, platform::MessageSink& sink) {
  snapshots::RenameCount total;
  for (std::size_t i = 0; i < keys.size() && i < oldTitles.size(); ++i) {
    const std::string& old = oldTitles[i];
    if (sjis::equalsIgnoreCaseAscii(old, newTitle) || !usableAsFileName(old) || !usableAsFileName(newTitle)) continue;
    const auto count = offerTitlePictureRename(db, keys[i], old, newTitle, programFolder, sink);
    total.renamed += count.renamed;
    total.refused += count.refused;
  }
  return total;
}

}  // namespace qm::records
