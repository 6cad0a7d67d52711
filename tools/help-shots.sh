#!/usr/bin/env bash
# Retakes the screenshots of the help pages (docs/help/images/) from the
# Windows build under Wine on a virtual display: the main window on a demo
# library, the image-add dialog, the emulator settings, the record editor,
# the query dialog, a maintenance run, the CSV export and the shortcut key
# dialog. Each is cut to the program's window and kept small (256 colours).
#
#   xvfb-run -a -s "-screen 0 1024x768x24" tools/help-shots.sh
source "$(dirname "$0")/e2e/common.sh"

images=$top/docs/help/images
mkdir -p "$images"
folder=$(program_folder help Quillmoor2_GetCRC.dll resource default_icon)
"$top/tools/wine-run.sh" "$bin/quillmoor-cli.exe" create --db "$(winpath "$folder/Quillmoor.db")" >/dev/null
python3 "$top/tools/gen-demo-library.py" "$folder/Quillmoor.db" --count 60 --root 'C:\roms' >/dev/null

# The top window of the program (the active dialog when one is open) as
# NAME.png: the full-screen capture cropped to it.
capture() {  # capture NAME [DIALOG_TITLE]
  sleep 1
  screenshot "$work/screen.png"
  local id geometry
  if [ -n "${2:-}" ]; then
    id=$(xwininfo -root -tree | grep -m1 "\"$2\"" | awk '{print $1}')
  else
    id=$(xwininfo -root -children | grep -m1 '"Quillmoor2' | awk '{print $1}')
  fi
  geometry=$(xwininfo -id "$id" | awk -F: '/Absolute upper-left X/ {x=$2+0} /Absolute upper-left Y/ {y=$2+0}
    /Width/ {w=$2+0} /Height/ {h=$2+0} END {printf "%dx%d+%d+%d", w, h, x, y}')
  /usr/bin/convert "$work/screen.png" -crop "$geometry" +repage -colors 256 "PNG8:$images/$1.png"
  echo "help-shots: $images/$1.png ($geometry)"
}

launch "$(winpath "$folder")" >/dev/null
drive find-main 60 painted >/dev/null
capture main-window
drive command 1158 >/dev/null
capture register "$(dialog_soon イメージファイルの追加)"
drive close-dialog 10 >/dev/null
drive command 1167 >/dev/null
capture keys "$(dialog_soon ショートカットキーの設定)"
drive close-dialog 10 >/dev/null
drive select-row 1001 0 >/dev/null
drive command 1157 >/dev/null
capture emulator-settings "$(dialog_soon エミュレータ設定)"
drive close-dialog 10 >/dev/null
drive select-row 1001 0 >/dev/null
drive command 1124 >/dev/null
capture record-editor "$(dialog_soon レコード編集)"
drive close-dialog 10 >/dev/null
drive command 1174 >/dev/null
capture query "$(dialog_soon クエリ作成)"
drive close-dialog 10 >/dev/null
drive command 1161 >/dev/null
capture maintenance "$(dialog_soon 不在イメージをライブラリから削除)"
drive close-dialog 10 >/dev/null
drive command 1120 >/dev/null
capture csv "$(dialog_soon CSVエクスポート)"
drive close-dialog 10 >/dev/null
drive close-main 20 >/dev/null
