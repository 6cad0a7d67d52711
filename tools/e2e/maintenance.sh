#!/usr/bin/env bash
# End-to-end checks of the library maintenance dialogs under Wine: the removal
# of missing images over a folder where two of five images were deleted, the
# reading generation and smart-title rebuild over what is left, and the
# database properties with an optimisation. Runs under a virtual display (make
# test-e2e starts it) and leaves screenshots in build/e2e/.
source "$(dirname "$0")/common.sh"

# Waits for the run's last log line and for the dialog to be idle again.
run_end() {
  local last=
  for _ in $(seq 1 150); do
    last=$(drive list-lines 1009 | tail -n 1)
    case $last in 処理を終了しました | ユーザーからの要求*) break ;; esac
    sleep 0.2
  done
  drive wait-enabled 1010 30 >/dev/null
  echo "$last"
}
query() { library_sql "$folder" "$1"; }

# A program folder whose library holds five images of one folder.
folder=$(program_folder program)
roms=$folder/roms
mkdir -p "$roms"
new_library "$folder"
machine=$(query "SELECT machine FROM machine_info_table ORDER BY machine LIMIT 1;")
titles=("スーパー ロボット" "ナムコ ソニー" "ドラゴンⅢ" "ｽﾀｼﾞｱﾑ'94" "ヴァンパイア")
for i in 1 2 3 4 5; do
  : >"$roms/game$i.d88"
  key=$(winpath "$roms/game$i.d88")
  title=${titles[$((i - 1))]} q="'"
  query "INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title)
         VALUES('$key','game$i','d88','$machine','${title//$q/$q$q}');"
done
rm "$roms/game2.d88" "$roms/game4.d88"

launch "$(winpath "$folder")" >/dev/null
# Rows without a smart title bring the start-up notice.
check "start-up notice" "[おしらせ]" "$(drive answer-box ok 60 | head -n 1 | cut -d' ' -f1)"
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
check "item list before" "5" "$(drive count-items)"

# Removal of missing images (command 1161), entry 0 and the check box as opened.
drive command 1161 >/dev/null
check "removal: caption" "不在イメージをライブラリから削除" "$(dialog_soon 不在イメージをライブラリから削除)"
check "removal: machine list" "全ての機種" "$(drive get-text 1005)"
check "removal: check box" "ファイルの存在しないアイテムのみライブラリから削除" "$(drive get-text 1028)"
drive press 1006 >/dev/null
check "removal: run ends" "処理を終了しました" "$(run_end)"
check "removal: log" "処理を開始します|削除：$(winpath "$roms/game2.d88")|削除：$(winpath "$roms/game4.d88")|処理を終了しました" \
  "$(drive list-lines 1009 | paste -sd '|')"
check "removal: button" "実行" "$(drive get-text 1006)"
shot maintenance-removal
check "removal: rows left" "game1|game3|game5" "$(query "SELECT file_title FROM main_table ORDER BY file_title;" | paste -sd '|')"
check "removal: item list shown again" "3" "$(drive count-items)"
# Every row of every machine, after a question answered No: nothing changes.
drive click 1028 >/dev/null
drive press 1006 >/dev/null
check "removal: question" "[確認] 全ての機種 の 全アイテム をライブラリから削除します。" \
  "$(drive answer-box no 10 | head -n 1)"
check "removal: idle after No" "enabled" "$(drive wait-enabled 1010 10)"
check "removal: rows after No" "3" "$(query "SELECT COUNT(*) FROM main_table;")"
drive press 1010 >/dev/null
check "removal: closed" "none" "$(dialog_soon none)"

# Readings (command 1162) of the rows without one, with the default options.
drive command 1162 >/dev/null
check "readings: caption" "なんちゃって清音ソート用「読み仮名」超適当生成" \
  "$(dialog_soon なんちゃって清音ソート用「読み仮名」超適当生成)"
drive press 1050 >/dev/null
check "readings: options dialog" "読み仮名生成の設定" "$(dialog_soon 読み仮名生成の設定)"
drive press 1109 >/dev/null
shot reading-options
drive press 2 >/dev/null
dialog_soon なんちゃって清音ソート用「読み仮名」超適当生成 >/dev/null
drive press 1006 >/dev/null
check "readings: run ends" "処理を終了しました" "$(run_end)"
check "readings: log" "処理を開始します|スーパー ロボット -> すーぱーろぼっと|ドラゴンⅢ -> どらごん3|ヴァンパイア -> うぁんぱいあ|処理を終了しました" \
  "$(drive list-lines 1009 | paste -sd '|')"
check "readings: item list shown again" "3" "$(drive count-items)"
shot maintenance-readings
drive close-dialog 10 >/dev/null
check "readings: stored" "すーぱーろぼっと" "$(query "SELECT kana FROM main_table WHERE file_title='game1';")"

# The smart-title command (1163) while rows lack a smart title, as the
# start-up notice says: the update page, which fills exactly those.
drive command 1163 >/dev/null
check "smart titles: caption" "スマートタイトル再構築" "$(dialog_soon スマートタイトル再構築)"
check "smart titles: update page" "アップデートが必要なアイテムが見つかりました。" "$(drive get-text 1051 | head -n 1)"
drive press 1006 >/dev/null
check "smart titles: run ends" "処理を終了しました" "$(run_end)"
check "smart titles: log" "処理を開始します|スーパー ロボット -> OK|ドラゴンⅢ -> OK|ヴァンパイア -> OK|処理を終了しました" \
  "$(drive list-lines 1009 | paste -sd '|')"
check "smart titles: update done" "処理が終了しました。" "$(drive get-text 1051 | head -n 1)"
shot maintenance-smart-title-update
drive press 1010 >/dev/null
dialog_soon none >/dev/null
check "smart titles: stored" "スーパーロボット|ドラゴン3|バンパイア" \
  "$(query "SELECT smart_title FROM main_table ORDER BY file_title;" | paste -sd '|')"
# With none missing the same command opens the rebuild over a machine list.
drive command 1163 >/dev/null
check "smart titles: rebuild page" "スマートタイトル再構築" "$(dialog_soon スマートタイトル再構築)"
check "smart titles: machine list" "全ての機種" "$(drive get-text 1005)"
drive press 1010 >/dev/null
dialog_soon none >/dev/null

# Database properties (command 1165) and an optimisation.
drive command 1165 >/dev/null
check "properties: caption" "データベースのプロパティ" "$(dialog_soon データベースのプロパティ)"
check "properties: titles" "3" "$(drive get-text 1025)"
check "properties: images" "3" "$(drive get-text 1033)"
check "properties: path" "$(winpath "$folder/Quillmoor.db")" "$(drive get-text 1039)"
drive press 1006 >/dev/null
check "properties: optimised" "enabled" "$(drive wait-enabled 1010 60)"
check "properties: button" "最適化" "$(drive get-text 1006)"
size=$(stat -c %s "$folder/Quillmoor.db" | rev | sed 's/[0-9]\{3\}/&,/g; s/,$//' | rev)
check "properties: size after" "$size byte" "$(drive get-text 1014)"
shot database-properties
drive press 1010 >/dev/null
dialog_soon none >/dev/null

drive close-main 20 >/dev/null
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "maintenance: $failures check(s) failed"; exit 1; fi
echo "maintenance: every check passed (screenshots: build/e2e/maintenance-*.png, reading-options.png, database-properties.png)"
