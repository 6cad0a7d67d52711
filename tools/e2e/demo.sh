#!/usr/bin/env bash
# End-to-end check of the demo that `make run` starts: the demo folder made
# by the same script (tools/make-demo.sh) holds a whole program folder, the
# information view shows a demo item's picture, Enter on that item opens its
# text image in Notepad (the machine's emulator setting), and closing Notepad
# counts the launch. Screenshots go to build/e2e/demo-*.png.
source "$(dirname "$0")/common.sh"

f=$work/demo
db() { sqlite3 -cmd ".timeout 5000" "$f/Quillmoor.db" "$@"; }
notepad_title() { window_titles | grep -m1 '^item[0-9_]*\.txt - '; }
frame='rgb(250,130,20)'  # the frame of every demo picture (tools/gen-demo-library.py)

"$top/tools/make-demo.sh" "$f" >/dev/null
check "program folder" "Quillmoor.db Quillmoor2.chm Quillmoor2.exe Quillmoor2_GetCRC.dll Quillmoor2_Lib.dll default_icon dict emuconf licenses migemo.dll plugin quillmoor-cli.exe readme.txt resource roms snap" \
  "$(cd "$f" && echo $(ls | LC_ALL=C sort))"
texts=$(ls "$f/roms" | wc -l)
check "a picture for each text image" "$texts" "$(ls "$f/snap" | wc -l)"
check "the machine's items are the text images" "$texts" "$(db "SELECT count(*) FROM main_table WHERE machine_name='FM77シリーズ';")"
check "Notepad is the machine's default" "INIFile=メモ帳.ini" "$(iconv -f CP932 -t UTF-8 "$f/emuconf/FM77シリーズ.ini" | tr -d '\r' | grep INIFile)"
check "a second run keeps the library" "$(db "SELECT count(*) FROM main_table;")" \
  "$("$top/tools/make-demo.sh" "$f" >/dev/null && db "SELECT count(*) FROM main_table;")"

cd "$work"
launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
check_soon "the library listed" "$(db "SELECT count(*) FROM main_table WHERE ply<2;")" drive count-items

# Sorted by machine, a demo machine's item comes first: its name sorts before
# every other machine's in any collation.
drive click-header 2 >/dev/null
drive select-row 1001 0 >/dev/null
sleep 2
shot demo-picture
check "its picture in the information view" "yes" \
  "$(n=$(pixels_of "$out/demo-picture.png" "$frame"); [ "${n:-0}" -ge 400 ] && echo yes || echo "no: ${n:-0} pixels")"

drive keys return >/dev/null
wait_for 30 notepad_title >/dev/null
title=$(notepad_title)
check "Notepad opened a text image" "1" "$(grep -c ' - ' <<<"$title")"
image=${title%% - *}
check "the image is the demo's" "1" "$(ls "$f/roms" | grep -cx "$image")"
boots() { db "SELECT boot_count FROM main_table WHERE file_title='${image%.txt}';"; }
before=$(boots)
sleep 1
shot demo-notepad
# Closed as a user closes it (WM_CLOSE); the launcher then sees its end.
"$top/tools/wine-run.sh" taskkill /im notepad.exe >/dev/null 2>&1
no_notepad() { ! notepad_title >/dev/null; }
check "Notepad closed" "closed" "$(wait_for 30 no_notepad && echo closed || echo open)"
counted() { [ "$(boots)" = "$((before + 1))" ]; }
wait_for 30 counted
check "launch counted when Notepad ended" "$((before + 1))" "$(boots)"

check "closed" "closed" "$(drive close-main 30)"
echo "demo: $failures failure(s)"
[ "$failures" -eq 0 ]
