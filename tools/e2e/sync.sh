#!/usr/bin/env bash
# End-to-end check of the folder sync under Wine (command 1193, a mode of the
# maintenance dialog): a first sync registers a folder; after a file is
# renamed, one deleted and one added, the test button lists the plan without
# writing, and a run with the removal checked moves the renamed image with its
# memo, registers the new one and removes the gone one after a Yes. Runs under
# a virtual display (make test-e2e starts it) and leaves screenshots in build/e2e/.
source "$(dirname "$0")/common.sh"

query() { library_sql "$folder" "$1"; }
# The log's last line once the run has ended and the dialog is idle again.
run_end() {
  local last=
  for _ in $(seq 1 150); do
    last=$(drive list-lines 1009 | tail -n 1)
    [ "$last" = "処理を終了しました" ] && break
    sleep 0.2
  done
  drive wait-enabled 1010 30 >/dev/null
  echo "$last"
}
summary() { drive list-lines 1009 | tail -n 2 | head -n 1; }

folder=$(program_folder program)
roms=$folder/roms
mkdir -p "$roms"
new_library "$folder"
machine=PC88シリーズ
index=$(query "SELECT count(*) + 1 FROM machine_info_table WHERE machine < '$machine';")
printf 'disk one' >"$roms/one.d88"
printf 'disk two' >"$roms/two.d88"
printf 'soon gone' >"$roms/gone.d88"

launch "$(winpath "$folder")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
drive command 1193 >/dev/null
check "sync: caption" "フォルダの同期" "$(dialog_soon フォルダの同期)"
check "sync: check box" "不在イメージをライブラリから削除" "$(drive get-text 1028)"
drive set-text 1053 "$(winpath "$roms")" >/dev/null
drive select-combo 1005 "$index" >/dev/null
check "sync: machine" "$machine" "$(drive get-text 1005)"
drive press 1006 >/dev/null
check "first sync: ends" "処理を終了しました" "$(run_end)"
check "first sync: summary" "移動 0 件、変更 0 件、追加 3 件、不在 0 件、判別不能 0 件" "$(summary)"
check "first sync: rows" "gone|one|two" "$(query "SELECT file_title FROM main_table ORDER BY 1;" | paste -sd '|')"
query "INSERT INTO memo_table VALUES('$(winpath "$roms/one.d88")','memo of one');"

mv "$roms/one.d88" "$roms/one renamed.d88"
rm "$roms/gone.d88"
printf 'new disk' >"$roms/new.d88"
drive press 1011 >/dev/null
check "test: ends" "処理を終了しました" "$(run_end)"
check "test: plan" "---同期のシミュレーション---|移動：$(winpath "$roms/one.d88") → $(winpath "$roms/one renamed.d88")|追加：$(winpath "$roms/new.d88")|不在：$(winpath "$roms/gone.d88")|移動 1 件、変更 0 件、追加 1 件、不在 1 件、判別不能 0 件|処理を終了しました" \
  "$(drive list-lines 1009 | paste -sd '|')"
check "test: nothing written" "gone|one|two" "$(query "SELECT file_title FROM main_table ORDER BY 1;" | paste -sd '|')"

drive click 1028 >/dev/null
drive press 1006 >/dev/null
check "sync: question" "[確認] 1 件の不在イメージをライブラリから削除します。" "$(answer yes)"
check "sync: ends" "処理を終了しました" "$(run_end)"
check "sync: summary" "移動 1 件、変更 0 件、追加 1 件、不在 1 件、判別不能 0 件、削除 1 件" "$(summary)"
shot folder-sync
check "sync: rows" "new|one renamed|two" "$(query "SELECT file_title FROM main_table ORDER BY 1;" | paste -sd '|')"
check "sync: memo follows" "$(winpath "$roms/one renamed.d88")|memo of one" "$(query "SELECT pfile_mm||'|'||memo FROM memo_table;")"
drive press 1010 >/dev/null
dialog_soon none >/dev/null
check "item list after" "3" "$(drive count-items)"

drive close-main 20 >/dev/null
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "sync: $failures check(s) failed"; exit 1; fi
echo "sync: every check passed (screenshot: build/e2e/folder-sync.png)"
