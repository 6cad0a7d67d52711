#include "app/masters/machine_precondition.h"

#include <cstdlib>

#include "common/db/db_connection.h"
#include "common/text/encoding.h"

namespace qm::master {

bool haveMachine(const std::string& dbPath, MachineNeed need, platform::MessageSink& sink) {
  using platform::MessageButtons;
  using platform::MessageIcon;
  using text::sjis;
  db::DbConnection db;
  db.open(dbPath);
  if (auto error = db.execute("SELECT COUNT(*) FROM machine_info_table;"); error || db.rowCount() < 1) {
    sink.show(sjis("機種管理レコードを参照できませんでした。\n") + error.value_or(""), sjis("DBエラー"),
              MessageIcon::Error, MessageButtons::Ok);
    return false;
  }
  if (std::atoll(db.cell(1, 0).c_str()) > 0) return true;
  if (need == MachineNeed::AddImages) {
    sink.show(sjis("イメージを追加するには、最低１つの機種登録が必要です。\n\nメニューの[管理]→[機種]から機種を追加"
                   "できます。\n"),
              sjis("ファイル追加"), MessageIcon::Information, MessageButtons::Ok);
  } else {
    sink.show(sjis("エミュレータの設定には、最低１つの機種登録が必要です。\n\nメニューの[管理]→[機種]から機種を追加"
                   "できます。\n"),
              sjis("エミュレータ設定"), MessageIcon::Information, MessageButtons::Ok);
  }
  return false;
}

}  // namespace qm::master
