#include <vector>

#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "dblib/schema.h"
#include "dblib/setup_context.h"

namespace qm::dblib {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

constexpr const char* kCleanups[] = {
    "DELETE FROM associate_file_table WHERE as_file_name='';",
    "DELETE FROM memo_table WHERE memo='';",
    "DELETE FROM creator_table WHERE creator='';",
    "DELETE FROM associate_file_table WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "associate_file_table.pfile_as = main_table.file_name );",
    "DELETE FROM creator_table        WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "creator_table.pfile_cr        = main_table.file_name );",
    "DELETE FROM favorite_table       WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "favorite_table.pfile_fv       = main_table.file_name );",
    "DELETE FROM memo_table           WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "memo_table.pfile_mm           = main_table.file_name );",
    "DELETE FROM snap_path_table      WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "snap_path_table.pfile_sp      = main_table.file_name );",
    "DELETE FROM spec_table           WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "spec_table.pfile_sc           = main_table.file_name );",
    "DELETE FROM use_emuset_table     WHERE NOT EXISTS( SELECT file_name FROM main_table WHERE "
    "use_emuset_table.pfile_ue     = main_table.file_name );",
    "DELETE FROM spec_table           WHERE breed='' AND price='' AND media_detail='' AND device='' AND players='' "
    "AND adultex_name='' AND savedat_detail='' AND sound_detail='';",
};

// What the start-up notices look for, found in one scan of main_table: a
// million images take most of a second to read, and a search that finds
// nothing reads them all.
struct StartFindings {
  bool emptySmartTitle = false;
  bool folderInArcTitle = false;
};

StartFindings findStartIssues(db::DbConnection& db) {
  StartFindings found;
  if (db.execute("SELECT max(smart_title = ''), max(file_arc_title LIKE '%/%') FROM main_table;") ||
      db.rowCount() < 1)
    return found;
  found.emptySmartTitle = db.cell(1, 0) == "1";
  found.folderInArcTitle = db.cell(1, 1) == "1";
  return found;
}

void noticeMissingSmartTitles(SetupContext& ctx, const StartFindings& found) {
  if (!found.emptySmartTitle) return;
  ctx.sink.show(sjis("スマートタイトルが設定されていないタイトルがあります。\nメニュー「データベース」→「ライブラリ」→"
                     "「スマートタイトルの再構築」を行うとより柔軟な検索ができるようになります。"),
                sjis("おしらせ"), MessageIcon::Information, MessageButtons::Ok);
}

struct ArcTitle {
  std::string fileName;
  std::string title;
};

std::vector<ArcTitle> titlesWithFolders(db::DbConnection& db) {
  std::vector<ArcTitle> rows;
  if (db.execute("SELECT file_name, file_arc_title FROM main_table WHERE file_arc_title LIKE '%/%';")) return rows;
  for (int row = 1; row <= db.rowCount(); ++row) rows.push_back({db.cell(row, 0), db.cell(row, 1)});
  return rows;
}

void updateArcTitles(SetupContext& ctx, const std::vector<ArcTitle>& rows) {
  db::WriteTransaction transaction(ctx.db);
  if (transaction.begin()) return;
  for (const auto& row : rows) {
    std::string_view rest = row.title;
    rest.remove_prefix(qm::sjis::findLast(rest, '/') + 1);
    auto error = ctx.db.execute("UPDATE main_table SET file_arc_title=" + db::sqlText(rest) +
                                " WHERE file_name=" + db::sqlText(row.fileName) + ";");
    if (error) {
      ctx.reportError("file_arc_titleのスラッシュ除去アップデートが出来ませんでした。\n", *error, "エラー");
      break;
    }
  }
  if (auto error = transaction.commit())
    ctx.reportError("file_arc_titleのスラッシュ除去アップデートを確定できませんでした。\n", *error, "エラー");
}

// Rows of older versions stored the member's folders in file_arc_title.
void repairArcTitles(SetupContext& ctx, const StartFindings& found) {
  if (!found.folderInArcTitle) return;
  ctx.sink.show(sjis("圧縮ファイル名本体のカラムにパスが含まれていました。\n該当レコードを修正します。OKをクリックして暫くお待ち下"
                     "さい。\n\n# 念のため現データベースは\n  Quillmoor_[日付_時刻]BUP_DBverX.db\n  にバックアップされます。\n#"
                     " 不要でしたら後で削除して下さい。"),
                sjis("データベース修正"), MessageIcon::Information, MessageButtons::Ok);
  // No repair without its backup.
  if (!ctx.ensureBackup()) return;
  updateArcTitles(ctx, titlesWithFolders(ctx.db));
}

}  // namespace

void runStartMaintenance(SetupContext& ctx) {
  for (const char* sql : kCleanups) ctx.db.execute(sql);
  const StartFindings found = findStartIssues(ctx.db);
  noticeMissingSmartTitles(ctx, found);
  repairArcTitles(ctx, found);
  ctx.db.execute("DROP TRIGGER delete_subtable_main;");
  ctx.db.execute(deleteSubtableTrigger(8));
}

}  // namespace qm::dblib
