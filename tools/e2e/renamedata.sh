#!/usr/bin/env bash
# End-to-end checks of the rename-data update and of alter egos under Wine:
# dialog 1160 with a plug-in lacking some functions (their check boxes greyed)
# and with our keylist plug-in, a test run and a real run of a list inside a
# zip; then dialog 1149 creating the alter ego of a two-disk set and removing
# it again. Leaves screenshots in build/e2e/renamedata-*.png.
source "$(dirname "$0")/common.sh"

query() { library_sql "$folder" "$1"; }
cp932() { iconv -f UTF-8 -t CP932; }
# The status line once it starts with PREFIX (a run ends on the worker).
status_soon() {  # status_soon PREFIX
  local seen=
  for _ in $(seq 1 100); do
    seen=$(drive get-text 1008)
    case $seen in "$1"*) break ;; esac
    sleep 0.2
  done
  echo "$seen"
}

folder=$(program_folder program)
roms=$folder/roms
mkdir -p "$roms" "$folder/plugin" "$folder/egos"
new_library "$folder"
query "INSERT OR IGNORE INTO machine_info_table(machine) VALUES('MSX');"
# The dialog lists the machines by name.
msx=$(query "SELECT COUNT(*) FROM machine_info_table WHERE machine < 'MSX';")
for i in 1 2 3; do
  echo "disk $i" >"$roms/game$i.dsk"
  key=$(winpath "$roms/game$i.dsk")
  ply=$i
  parent=$([ $i != 1 ] && winpath "$roms/game1.dsk" || echo "")
  # A smart title each, or the start-up notice about missing ones would come.
  query "INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,smart_title,crc32,ply,ply_file_name)
         VALUES('$key','game$i','dsk','MSX','old $i','OLD$i','0000000$i',$ply,'$parent');"
done
query "INSERT INTO tmp_maxdisk VALUES('$(winpath "$roms/game1.dsk")', 3);"
printf '[one]\r\nCRC32=00000001\r\nTitle=スーパー ロボット\r\nYear=1987\r\nMaker=テスト\r\n[three]\r\nCRC32=00000003\r\nTitle=三番目\r\nR=2\r\n' \
  | cp932 >"$work/list.xml"
(cd "$work" && zip -q "$work/list.zip" list.xml)

# A plug-in without the title, year and memo functions: their boxes are grey.
cp "$bin/test-plugins/keylist_partial.nya" "$folder/plugin/"
launch "$(winpath "$folder")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
drive command 1160 >/dev/null
check "caption" "リネームデータを拝借してライブラリ更新" "$(dialog_soon リネームデータを拝借してライブラリ更新)"
check "plug-in listed" "keylist_partial.nya" "$(drive get-text 1004)"
check "title greyed" "disabled" "$(drive wait-enabled 1100 1)"
check "maker offered" "enabled" "$(drive wait-enabled 1101 1)"
check "key entry" "CRC32" "$(drive get-text 1006)"
shot renamedata-partial
drive press 1013 >/dev/null
dialog_soon none >/dev/null

# Our keylist plug-in: a test run lists, a run writes.
rm "$folder/plugin/keylist_partial.nya"
cp "$bin/plugin/keylist.nya" "$folder/plugin/"
drive command 1160 >/dev/null
dialog_soon リネームデータを拝借してライブラリ更新 >/dev/null
check "plug-in info" "バージョン：100　作った人：Quillmoor2" "$(drive get-text 1005 | head -n 1)"
check "title offered" "enabled" "$(drive wait-enabled 1100 1)"
drive select-combo 1001 "$msx" >/dev/null
check "machine" "MSX" "$(drive get-text 1001)"
drive set-text 1002 "$(winpath "$work/list.zip")" >/dev/null
drive press 1012 >/dev/null
check "test: ends" "テストが終了しました" "$(status_soon テストが終了しました)"
check "test: lines" "[00000001] $(winpath "$roms/game1.dsk")|　タイトル：スーパー ロボット|　メーカー：テスト|　発売年：1987-00-00" \
  "$(drive list-lines 1009 | head -n 4 | paste -sd '|')"
check "test: nothing written" "old 1" "$(query "SELECT title FROM main_table WHERE crc32='00000001';")"
shot renamedata-test
drive press 1011 >/dev/null
check "run: ends" "処理を終了しました ( 3 件中 2 件のキーが該当し更新されました )" "$(status_soon 処理を終了しました)"
check "run: rows" "スーパー ロボット|テスト|1987-00-00|0,old 2||0|0,三番目||0|1" \
  "$(query "SELECT title, maker, sale_year, adult FROM main_table ORDER BY file_title;" | paste -sd ',')"
check "run: smart title" "スーパーロボット" "$(query "SELECT smart_title FROM main_table WHERE file_title='game1';")"
shot renamedata-run
drive press 1013 >/dev/null
dialog_soon none >/dev/null

# The alter ego of the three-disk set, the list's one row.
drive select-row 1001 0 >/dev/null
drive command 1149 >/dev/null
check "alter ego: caption" "分身の作成" "$(dialog_soon 分身の作成)"
check "alter ego: button" "作成" "$(drive get-text 1007)"
check "alter ego: subfolder" "MSX_game1" "$(drive get-text 1006)"
drive set-text 1003 "$(winpath "$folder/egos")\\" >/dev/null
shot renamedata-alter-ego
drive press 1007 >/dev/null
check "alter ego: created" "[] 分身を作成しました。" "$(answer ok)"
ego=$(winpath "$folder/egos/MSX_game1")
check "alter ego: rows" "$ego\\game1.dsk|1,$ego\\game2.dsk|2,$ego\\game3.dsk|3" \
  "$(query "SELECT ae_file, alter_ego FROM alter_ego_table ORDER BY alter_ego;" | paste -sd ',')"
check "alter ego: copies" "game1.dsk game2.dsk game3.dsk" "$(ls "$folder/egos/MSX_game1" | paste -sd ' ')"
check "alter ego: button after" "解除" "$(drive get-text 1007)"
check "alter ego: fields" "disabled" "$(drive wait-enabled 1003 1)"
drive press 1007 >/dev/null
check "alter ego: removed" "[] 分身を解除しました。" "$(answer ok)"
check "alter ego: rows after" "0" "$(query "SELECT COUNT(*) FROM alter_ego_table;")"
check "alter ego: folder gone" "no" "$([ -e "$folder/egos/MSX_game1" ] && echo yes || echo no)"
drive press 1010 >/dev/null
dialog_soon none >/dev/null

drive close-main 20 >/dev/null
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "renamedata: $failures check(s) failed"; exit 1; fi
echo "renamedata: every check passed (screenshots: build/e2e/renamedata-*.png)"
