#!/usr/bin/env bash
# End-to-end checks of a library move under Wine: the image folder is moved,
# the column-value replacement (command 1164) carries the keys, the set link
# and the side rows to the new folder after a test listing, and the image-file
# backup (command 1147) copies a set whose first disk lies inside a zip and
# whose second is a plain file. Runs under a virtual display (make test-e2e
# starts it) and leaves screenshots in build/e2e/.
source "$(dirname "$0")/common.sh"

query() { library_sql "$folder" "$1"; }
files_in() { ls "$1" | paste -sd '|'; }
# The replacement dialog's last log line once it is one of PATTERN's.
last_line() {  # last_line PATTERN
  local last=
  for _ in $(seq 1 100); do
    last=$(drive list-lines 1009 | tail -n 1)
    [[ $last =~ $1 ]] && break
    sleep 0.2
  done
  echo "$last"
}

folder=$(program_folder program)
roms=$folder/roms
mkdir -p "$roms"
new_library "$folder"
machine=$(query "SELECT machine FROM machine_info_table ORDER BY machine LIMIT 1;")
printf 'disk one' >"$work/disk1.d88"
(cd "$work" && python3 -c "import zipfile; z = zipfile.ZipFile('$roms/set.zip', 'w'); z.write('disk1.d88'); z.close()")
printf 'disk two' >"$roms/disk2.d88"
: >"$roms/game.d88"
parent=$(winpath "$roms/set.zip")*disk1.d88
query "INSERT INTO main_table(file_name,file_title,file_ext,file_arc_title,file_arc_ext,machine_name,title,ply)
       VALUES('$parent','set','zip','disk1','d88','$machine','Alpha',1);
       INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,ply,ply_file_name)
       VALUES('$(winpath "$roms/disk2.d88")','disk2','d88','$machine','Alpha 2',2,'$parent');
       INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title)
       VALUES('$(winpath "$roms/game.d88")','game','d88','$machine','Beta');
       INSERT INTO memo_table VALUES('$parent','memo of the set');
       INSERT INTO favorite_table VALUES('$(winpath "$roms/game.d88")','3');
       INSERT INTO tmp_maxdisk VALUES('$parent',2);"

# The collection moves to another folder.
mv "$roms" "$folder/moved"
roms=$folder/moved
launch "$(winpath "$folder")" >/dev/null
drive answer-box ok 30 >/dev/null  # the start-up notice about smart titles
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
check "item list" "2" "$(drive count-items)"

drive command 1164 >/dev/null
check "replace: caption" "カラム値の置換" "$(dialog_soon カラム値の置換)"
check "replace: machine list" "全ての機種" "$(drive get-text 1005)"
check "replace: column list" "プライマリキー（イメージパス）" "$(drive get-text 1007)"
drive set-text 1013 '\roms\' >/dev/null
drive set-text 1015 '\moved\' >/dev/null
drive press 1011 >/dev/null
check "replace: test listing" "3 パターンのマッチがありました。" "$(last_line 'パターンのマッチ')"
check "replace: listing lines" "4" "$(drive list-lines 1009 | grep -c ' -> \|シミュレーション')"
check "replace: nothing written by the test" "3" "$(query "SELECT COUNT(*) FROM main_table WHERE file_name LIKE '%\\roms\\%';")"
shot moves-replace-test
drive press 1006 >/dev/null
check "replace: question" "[確認] 置換は一括実行され途中で中止できません。" "$(drive answer-box yes 10 | head -n 1)"
check "replace: done" "置換を実行しました。" "$(last_line '置換を実行しました|失敗')"
drive wait-enabled 1010 30 >/dev/null
shot moves-replace-done
moved=$(winpath "$roms/set.zip")*disk1.d88
check "replace: keys" "$moved|1||$(winpath "$roms/disk2.d88")|2|$moved|$(winpath "$roms/game.d88")|0|" \
  "$(query "SELECT file_name, ply, ply_file_name FROM main_table ORDER BY title;" | paste -sd '|')"
check "replace: memo follows" "memo of the set" "$(query "SELECT memo FROM memo_table WHERE pfile_mm='$moved';")"
check "replace: favourite follows" "1" "$(query "SELECT COUNT(*) FROM favorite_table JOIN main_table ON pfile_fv=file_name;")"
check "replace: disk count follows" "$moved|2" "$(query "SELECT * FROM tmp_maxdisk;")"
check "replace: trigger" "update_main_pkey" "$(query "SELECT name FROM sqlite_master WHERE type='trigger' AND name='update_main_pkey';")"
drive press 1010 >/dev/null
check "replace: closed" "none" "$(dialog_soon none)"
check "item list again" "2" "$(drive count-items)"

# Backup of the set (the list's first row, "Alpha"), its zip member unpacked.
target=$work/backup
mkdir -p "$target"
drive select-row 1001 0 >/dev/null
drive command 1147 >/dev/null
check "backup: caption" "イメージファイルのバックアップ" "$(dialog_soon イメージファイルのバックアップ)"
check "backup: source" "Alpha をバックアップします" "$(drive get-text 1014)"
check "backup: unpack box" "圧縮ファイルは展開してバックアップ" "$(drive get-text 1028)"
drive set-text 1013 "$(winpath "$target")\\" >/dev/null
check "backup: start enabled" "enabled" "$(drive wait-enabled 1010 20)"
sleep 3  # a pass of the space thread with the new target
shot moves-backup
drive press 1010 >/dev/null
check "backup: closed after the copy" "none" "$(dialog_soon none)"
check_soon "backup: files" "disk1.d88|disk2.d88" files_in "$target"
check "backup: member bytes" "disk one" "$(cat "$target/disk1.d88" 2>/dev/null)"
check "backup: temporary folder gone" "" "$(ls "$folder/TEMP" 2>/dev/null)"

drive close-main 20 >/dev/null
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "moves: $failures check(s) failed"; exit 1; fi
echo "moves: every check passed (screenshots: build/e2e/moves-*.png)"
