#!/usr/bin/env bash
# End-to-end checks of image registration under Wine: the add dialog opened by
# its menu command, a folder of two images, a text file and a zip of two disks
# registered through Quillmoor2_GetCRC with its progress window, a run over
# large images stopped from its button, then sets joined with quillmoor-cli
# and by drag and drop, dissolved and removed through the menu. Runs under a
# virtual display (make test-e2e starts it) and leaves screenshots in
# build/e2e/.
source "$(dirname "$0")/common.sh"

query() { library_sql "$folder" "$1"; }
# The query's result once it is EXPECTED (or after 10 s): a change made by
# the program shows a moment after the command that asked for it.
settled() {  # settled EXPECTED QUERY
  local seen=
  for _ in $(seq 1 50); do
    seen=$(query "$2" 2>/dev/null)
    [ "$seen" = "$1" ] && break
    sleep 0.2
  done
  echo "$seen"
}
cli() { qm_cli "$@" --db "$folder/Quillmoor.db"; }
select_only() {  # select_only ROW: the item list's selection is that row alone
  drive select-row 1001 none >/dev/null
  drive select-row 1001 "$1" >/dev/null
}

folder=$(program_folder program Quillmoor2_GetCRC.dll)
roms=$folder/roms
mkdir -p "$roms"
new_library "$folder"
machine=$(query "SELECT machine FROM machine_info_table ORDER BY machine_num LIMIT 1;")
query "UPDATE machine_info_table SET search_ext='d88' WHERE machine='$machine';"
printf 'one' >"$roms/game1.d88"
printf 'two' >"$roms/game2.d88"
printf 'text' >"$roms/notes.txt"
python3 - "$roms/set.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    z.writestr("disk1.d88", b"first disk")
    z.writestr("disk2.d88", b"second disk")
PY

launch "$(winpath "$folder")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
check "item list before" "0" "$(drive count-items)"

# The add dialog (command 1158) with its settings' defaults, both pages.
drive command 1158 >/dev/null
check "dialog: caption" "イメージファイルの追加" "$(dialog_soon イメージファイルの追加)"
check "dialog: extensions" "( 検索拡張子： d88 )" "$(drive get-text 1206)"
check "dialog: countries" "(JP);[JP];(J);[J];(US);[US];(U);[U];(EU);[EU];(E);[E];(U);[U]" "$(drive get-text 1215)"
shot registration-basic
drive click-at 1200 110 10 >/dev/null
shot registration-advanced
drive click-at 1200 30 10 >/dev/null

# An empty path is refused; a bad sale date after the question.
drive press 1232 >/dev/null
check "dialog: empty path" "[] イメージファイルまたはフォルダを指定してください。" "$(answer ok)"
drive set-text 1201 "$(winpath "$roms")" >/dev/null
drive set-text 1213 "1980-13" >/dev/null
drive press 1232 >/dev/null
check "dialog: question" "[] 【機種】" "$(answer yes | head -n 1)"
check "dialog: bad date" "[] 発売日の指定に不備があります。" "$(answer ok | head -n 1)"
drive set-text 1213 "1987-7" >/dev/null
drive click 1204 >/dev/null
drive press 1232 >/dev/null
answer yes >/dev/null
check "progress: caption" "イメージの検索と追加" "$(dialog_soon イメージの検索と追加)"
for _ in $(seq 1 100); do
  [ "$(drive get-text 1304)" = "終了" ] && break
  sleep 0.2
done
check "progress: button" "終了" "$(drive get-text 1304)"
check "progress: status" "4 件の格納・更新が完了しました。( 4 ファイル中 )" "$(drive get-text 1301)"
shot registration-progress
drive press 1304 >/dev/null
check "progress: closed" "イメージファイルの追加" "$(dialog_soon イメージファイルの追加)"
# A run over three large images with CRC16, stopped from its button: the
# worker asks before the next image, and Yes ends the run there.
big=$work/big
mkdir -p "$big"
for i in 1 2 3; do truncate -s 1G "$big/large$i.d88"; done
drive set-text 1201 "$(winpath "$big")" >/dev/null
drive click-at 1200 110 10 >/dev/null
drive click 1224 >/dev/null
drive click-at 1200 30 10 >/dev/null
drive press 1232 >/dev/null
answer yes >/dev/null
dialog_soon イメージの検索と追加 >/dev/null
drive press 1304 >/dev/null
check "cancel: question" "[] 中止しますか？" "$(answer yes)"
for _ in $(seq 1 150); do
  [ "$(drive get-text 1304)" = "終了" ] && break
  sleep 0.2
done
status=$(drive get-text 1301)
check "cancel: status" "ユーザーからの要求で処理を中止しました。" "${status%%（*}"
drive press 1304 >/dev/null
dialog_soon イメージファイルの追加 >/dev/null
# The rows stored before the stop stay; the last image is never reached.
kept=$(settled 1 "SELECT COUNT(*) FROM main_table WHERE file_name LIKE '%large%';")
check "cancel: rows kept" "yes" "$([ "$kept" -ge 1 ] && [ "$kept" -le 2 ] && echo yes)"
query "DELETE FROM main_table WHERE file_name LIKE '%large%';"
drive press 1233 >/dev/null
check "dialog: closed" "none" "$(dialog_soon none)"

roms_w=$(winpath "$roms")
check "rows" "$roms_w\\game1.d88|0||1987-7|$machine
$roms_w\\game2.d88|0||1987-7|$machine
$roms_w\\set.zip*disk1.d88|1||1987-7|$machine
$roms_w\\set.zip*disk2.d88|2|$roms_w\\set.zip*disk1.d88|1987-7|$machine" \
  "$(query "SELECT file_name, ply, ply_file_name, sale_year, machine_name FROM main_table ORDER BY file_name;")"
check "crc32 of game1" "$(python3 -c 'import zlib; print("%08X" % zlib.crc32(b"one"))')" \
  "$(query "SELECT crc32 FROM main_table WHERE file_title='game1';")"
check "tmp_maxdisk after the run" "$roms_w\\set.zip*disk1.d88|2" "$(query "SELECT * FROM tmp_maxdisk;")"
check "item list after the run" "3" "$(drive count-items)"

# game1 and game2 joined by the command-line tool; the zip's set dissolved
# through the menu (1145), which shows the join too.
cli join --target "$roms_w\\game1.d88" "$roms_w\\game2.d88" >/dev/null
select_only 2
drive command 1145 >/dev/null
expected="$roms_w\\game1.d88|1|
$roms_w\\game2.d88|2|$roms_w\\game1.d88
$roms_w\\set.zip*disk1.d88|0|
$roms_w\\set.zip*disk2.d88|0|"
check "dissolve: sets" "$expected" "$(settled "$expected" "SELECT file_name, ply, ply_file_name FROM main_table ORDER BY file_name;")"
check "dissolve: item list" "3" "$(drive count-items)"
check "dissolve: tmp_maxdisk" "$roms_w\\game1.d88|2" "$(query "SELECT * FROM tmp_maxdisk;")"
shot registration-sets

# The zip's second disk dragged onto its first joins them again.
select_only 2
drive drag-row 2 1 >/dev/null
expected="$roms_w\\set.zip*disk1.d88|1|
$roms_w\\set.zip*disk2.d88|2|$roms_w\\set.zip*disk1.d88"
check "drop: sets" "$expected" \
  "$(settled "$expected" "SELECT file_name, ply, ply_file_name FROM main_table WHERE file_title='set' ORDER BY file_name;")"
check "drop: item list" "2" "$(drive count-items)"

# Removal (1150) of game1's set, after the question.
select_only 0
drive command 1150 >/dev/null
check "remove: question" "[確認] 選択された項目をライブラリから削除します" "$(answer yes | head -n 1)"
expected="$roms_w\\set.zip*disk1.d88
$roms_w\\set.zip*disk2.d88"
check "remove: rows" "$expected" "$(settled "$expected" "SELECT file_name FROM main_table ORDER BY file_name;")"
check "remove: item list" "1" "$(drive count-items)"
drive close-main 20 >/dev/null
# Wine writes the settings file out when the program ends.
check "settings: stored" "SearchArcImg=1" "$(grep -a SearchArcImg "$folder/Quillmoor2.ini" | tr -d '\r')"

WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "registration: $failures check(s) failed"; exit 1; fi
echo "registration: every check passed (screenshots: build/e2e/registration-*.png)"
