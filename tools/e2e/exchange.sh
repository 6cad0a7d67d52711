#!/usr/bin/env bash
# End-to-end checks of the data exchange dialogs under Wine: the CSV export
# (compared byte for byte with quillmoor-cli's), a CSV import with a changed
# title and a new key, and the CRC recomputation of a machine whose images are
# a file, a zip member and a file that has gone. Runs under a virtual display
# (make test-e2e starts it) and leaves screenshots in build/e2e/.
source "$(dirname "$0")/common.sh"

# Waits for the log's last line to be one of the ends and the dialog to be idle.
csv_end() {
  local last=
  for _ in $(seq 1 150); do
    last=$(drive list-lines 1009 | tail -n 1)
    case $last in 処理を終了しました。 | 全ての処理を終了しました。 | 処理を中止しました。 | ユーザーからの要求*) break ;; esac
    sleep 0.2
  done
  drive wait-enabled 1010 30 >/dev/null
  echo "$last"
}
query() { library_sql "$folder" "$1"; }

folder=$(program_folder program Quillmoor2_GetCRC.dll)
roms=$folder/roms
mkdir -p "$roms"
new_library "$folder"
machine=$(query "SELECT machine FROM machine_info_table ORDER BY machine LIMIT 1;")
printf '123456789' >"$roms/check.d88"
(cd "$roms" && printf 'abc' >abc.d88 && zip -q set.zip abc.d88 && rm abc.d88)
add() {  # add KEY TITLE FILE_EXT
  local q="'"
  query "INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,smart_title,crc32,crc)
         VALUES('$1','t','$3','$machine','${2//$q/$q$q}','T','OLD32','OLD16');"
}
add "$(winpath "$roms/check.d88")" 'Title, with "quotes"' d88
add "$(winpath "$roms/set.zip")*abc.d88" "ドラゴン" zip
add "$(winpath "$roms/gone.d88")" "Gone" d88
query "INSERT INTO creator_table VALUES('$(winpath "$roms/check.d88")','line one
line two');"

launch "$(winpath "$folder")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
check_soon "item list" "3" drive count-items

# CSV export (command 1120) of every machine with the header.
drive command 1120 >/dev/null
check "export: caption" "CSVエクスポート" "$(dialog_soon CSVエクスポート)"
check "export: description" "CSV形式（カンマ区切り）※完全なバックアップではありません" "$(drive get-text 1022)"
check "export: header box" "1行目に見出しを付加" "$(drive get-text 1028)"
check "export: machine list" "全ての機種" "$(drive get-text 1005)"
drive set-text 1053 "$(winpath "$work/out.csv")" >/dev/null
drive press 1006 >/dev/null
check "export: run ends" "処理を終了しました。" "$(csv_end)"
check "export: log" "準備中・・・|処理を開始します。|$machine > Gone|$machine > Title, with \"quotes\"|$machine > ドラゴン|処理を終了しました。" \
  "$(drive list-lines 1009 | paste -sd '|')"
shot exchange-csv-export
drive press 1010 >/dev/null
dialog_soon none >/dev/null
qm_cli export-csv --db "$folder/Quillmoor.db" "$work/cli.csv" >/dev/null
check "export: the same bytes as quillmoor-cli's" "same" "$(cmp -s "$work/out.csv" "$work/cli.csv" && echo same)"
check "export: header" "プライマリキー,機種名,メディア,タイトル" \
  "$(head -n 1 "$work/out.csv" | iconv -f CP932 -t UTF-8 | cut -d, -f1-4)"
check "export: quoted multi-line creator" "1" "$(grep -c '^line two"' "$work/out.csv")"

# CSV import (command 1118): the file with one title changed and a new key.
python3 - "$work/out.csv" "$work/in.csv" "$(winpath "$roms/new.d88")" "$machine" <<'PY'
import sys
text = open(sys.argv[1], encoding='cp932', newline='').read()
text = text.replace('ドラゴン', 'ドラゴン2')
text += sys.argv[3] + ',' + sys.argv[4] + ',,新しいタイトル\r\n'
open(sys.argv[2], 'w', encoding='cp932', newline='').write(text)
PY
drive command 1118 >/dev/null
check "import: caption" "CSVインポート" "$(dialog_soon CSVインポート)"
check "import: header box" "1行目を見出しとしてスキップする" "$(drive get-text 1028)"
drive set-text 1053 "$(winpath "$work/in.csv")" >/dev/null
drive press 1006 >/dev/null
check "import: new key question" "[新規プライマリキー] 新規プライマリキーがインポートされようとしています。" \
  "$(drive answer-box yes 20 | head -n 1)"
check "import: run ends" "全ての処理を終了しました。" "$(csv_end)"
shot exchange-csv-import
drive press 1010 >/dev/null
dialog_soon none >/dev/null
check "import: changed title" "ドラゴン2|ドラゴン2" \
  "$(query "SELECT title||'|'||smart_title FROM main_table WHERE file_name LIKE '%set.zip*abc.d88';")"
check "import: new row" "新しいタイトル|new|d88|$machine" \
  "$(query "SELECT title||'|'||file_title||'|'||file_ext||'|'||machine_name FROM main_table WHERE file_name LIKE '%new.d88';")"
check "import: creator kept" "line one/line two" \
  "$(query "SELECT replace(creator, char(10), '/') FROM creator_table WHERE pfile_cr LIKE '%check.d88';")"
check_soon "import: item list shown again" "4" drive count-items

# CRC recomputation (command 1159) of the machine, both CRCs.
drive command 1159 >/dev/null
check "crc: caption" "CRCの再取得" "$(dialog_soon CRCの再取得)"
check "crc: machine" "$machine" "$(drive get-text 1003)"
check "crc: frame" "ライブラリのCRC情報を再計算します" "$(drive get-text 1001)"
drive click 1005 >/dev/null
drive press 1011 >/dev/null
check "crc: run ends" "enabled" "$(drive wait-enabled 1012 60)"
check "crc: end text" "CRC再計算が終了しました" "$(drive get-text 1008)"
check "crc: counts" "更新 2 件・スキップ 2 件・失敗 0 件" "$(drive get-text 1013)"
check "crc: button" "開始" "$(drive get-text 1011)"
shot exchange-crc-recompute
drive press 1012 >/dev/null
dialog_soon none >/dev/null
check "crc: file" "CBF43926|6F91" "$(query "SELECT crc32||'|'||crc FROM main_table WHERE file_name LIKE '%check.d88';")"
check "crc: zip member" "352441C2|61DA" "$(query "SELECT crc32||'|'||crc FROM main_table WHERE file_name LIKE '%set.zip*abc.d88';")"
check "crc: missing file kept" "OLD32|OLD16" "$(query "SELECT crc32||'|'||crc FROM main_table WHERE file_name LIKE '%gone.d88';")"
check_soon "crc: item list shown again" "4" drive count-items

drive close-main 20 >/dev/null
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "exchange: $failures check(s) failed"; exit 1; fi
echo "exchange: every check passed (screenshots: build/e2e/exchange-*.png)"
