#!/usr/bin/env bash
# End-to-end checks of launching in Quillmoor2.exe under Wine, with stand-in
# emulators of our own (tests/e2e/stand_in_emulator_win.cpp) that log their
# command line, working folder and the files they see: Enter on a set inside
# a zip, the "エミュレータで起動" submenu, two overlapping launches and their
# one end program, a console emulator, end detection by window title and a
# missing emulator. Leaves screenshots in build/e2e/launch-*.png.
source "$(dirname "$0")/common.sh"

db() { sqlite3 -cmd ".timeout 5000" "$f/Quillmoor.db" "$@"; }
count_in() { if [ -f "$1" ]; then grep -c "$2" "$1"; else echo 0; fi; }
count_is() { [ "$(count_in "$1" "$2")" = "$3" ]; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }

f=$work/launch
x=$work/extract
mkdir -p "$f/emu" "$f/roms" "$x"
cp "$bin/Quillmoor2.exe" "$bin/Quillmoor2_Lib.dll" "$f/"
cp "$bin/qm-stand-in-emu.exe" "$bin/qm-stand-in-console.exe" "$f/emu/"
cp "$bin/qm-stand-in-console.exe" "$f/emu/endprog.exe"
emu=$f/emu/qm-stand-in-emu.exe.log
console=$f/emu/qm-stand-in-console.exe.log
endprog=$f/emu/endprog.exe.log
python3 - "$f/roms/kiri.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    for k in (1, 2, 3):
        z.writestr("kiri %d.d88" % k, "disk %d" % k)
PY
echo solo >"$f/roms/solo.rom"
"$top/build/native/bin/quillmoor-cli" create --db "$f/Quillmoor.db" >/dev/null
zip=$(winpath "$f/roms/kiri.zip")
solo=$(winpath "$f/roms/solo.rom")
db "INSERT INTO main_table(file_name, file_title, file_ext, file_arc_title, file_arc_ext, machine_name, title,
    smart_title, ply, ply_file_name) VALUES
    ('$zip*kiri 1.d88','kiri','zip','kiri 1','d88','PC88','A kiri','A kiri',1,''),
    ('$zip*kiri 2.d88','kiri','zip','kiri 2','d88','PC88','A kiri 2','A kiri 2',2,'$zip*kiri 1.d88'),
    ('$zip*kiri 3.d88','kiri','zip','kiri 3','d88','PC88','A kiri 3','A kiri 3',3,'$zip*kiri 1.d88'),
    ('$solo','solo','rom','','','MSX','B solo','B solo',0,''),
    ('Z:\\roms\\none.rom','none','rom','','','NOEMU','C none','C none',0,'');
    INSERT INTO tmp_maxdisk VALUES ('$zip*kiri 1.d88', 3);
    INSERT INTO machine_info_table(machine) VALUES ('PC88'), ('MSX'), ('NOEMU');"
mkdir -p "$f/emuconf/PC88" "$f/emuconf/MSX" "$f/emuconf/NOEMU"
ini "[DefaultEmulator]" "INIFile=Stand.ini" "KEYFile=Stand.txt" >"$f/emuconf/PC88.ini"
ini "[ImageFile]" "Extract=1" "ExtractPath=$(winpath "$x")" "ExtractAllDelete=1" \
    "[Emulator]" 'Exec=emu\qm-stand-in-emu.exe' 'Option=-seconds 7 "$image1" "$image2" "$image3"' \
    "[TerminateCommand]" 'cmd1=emu\endprog.exe' 'opt1=-seconds 0 ""$title""' >"$f/emuconf/PC88/Stand.ini"
ini "[DefaultEmulator]" "INIFile=Console.ini" >"$f/emuconf/MSX.ini"
ini "[Emulator]" 'Exec=emu\qm-stand-in-console.exe' 'Option=-seconds 6 $image' >"$f/emuconf/MSX/Console.ini"
ini "[Emulator]" 'Exec=emu\qm-stand-in-emu.exe' 'Option=-seconds 6 $image' \
    "[TerminationDetective]" "ChekType=1" "TTSrch_ChekInterval=1" "TTSrch_CheckImage=1" >"$f/emuconf/MSX/Title.ini"
ini "[DefaultEmulator]" "INIFile=Missing.ini" >"$f/emuconf/NOEMU.ini"
ini "[Emulator]" 'Exec=emu\none.exe' >"$f/emuconf/NOEMU/Missing.ini"
# Wine keeps menus inside the program: it writes its menu tree here when asked.
export QM_MENU_DUMP=$(winpath "$work/menu-dump.txt")
# The emulators are found from the program folder, never the current one.
cd "$work"

launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
check_soon "three items listed" "3" drive count-items

# The submenu of a set's parent: the default bold and checked, each entry
# with the set's images.
drive select-row 1001 0 >/dev/null
sub=$(drive menu-dump opened | sed -n '/エミュレータで起動/,/エミュレータ設定/p' | sed 's/^ *//')
check "submenu of the set" "$(printf '%s\n' 'エミュレータで起動\tX|-|enabled' 'Stand|-|enabled,checked,default' \
  'kiri 1|1800|enabled' 'kiri 2|1801|enabled' 'kiri 3|1802|enabled' '-' 'エミュレータ設定|1157|enabled')" "$sub"
drive keys x >/dev/null
sleep 1
drive keys down right >/dev/null
sleep 1
screenshot "$out/launch-submenu.png"
drive keys escape escape >/dev/null

# Enter on the set inside the zip: extracted, started with the three disks,
# counted, cleaned up, and the end program run once.
drive select-row 1001 0 >/dev/null
drive keys return >/dev/null
wait_for 30 grep -q "^start" "$emu"
check "stand-in command line" "\"$(winpath "$f/emu/qm-stand-in-emu.exe")\" -seconds 7 \"$(winpath "$x")\\kiri 1.d88\" \"$(winpath "$x")\\kiri 2.d88\" \"$(winpath "$x")\\kiri 3.d88\"" \
  "$(grep -m1 '^cmd ' "$emu" | cut -c5- | tr -d '\r')"
check "working folder is the emulator's" "$(winpath "$f/emu")" "$(grep -m1 '^cwd ' "$emu" | cut -c5- | tr -d '\r')"
check "the stand-in sees the three disks" "3" "$(grep -c '^sees ' "$emu")"
check "extracted files exist while it runs" "3" "$(ls "$x" | wc -l)"
screenshot "$out/launch-running.png"
wait_for 30 grep -q "^end" "$emu"
check_soon "boot counted" "1" db "SELECT boot_count FROM main_table WHERE ply=1;"
check "play time" "1" "$(db "SELECT play_time GLOB '000:00''[01][0-9]\"' AND last_boot <> '' FROM main_table WHERE ply=1;")"
echo "     play time after a run of 7 s: $(db "SELECT play_time FROM main_table WHERE ply=1;")"
check_soon "extract folder emptied" "0" sh -c "ls '$x' | wc -l"
check_soon "end program ran once" "1" count_in "$endprog" "^start"
check "end program got the title" "arg 3 A kiri" "$(grep -m1 '^arg 3' "$endprog" | tr -d '\r')"

# Two overlapping launches: the end program runs once, after the second.
drive select-row 1001 0 >/dev/null
drive command 1156 >/dev/null
sleep 2
drive command 1156 >/dev/null
wait_for 30 count_is "$emu" '^end' 2
check "first of two ended, end program not run" "1" "$(count_in "$endprog" '^start')"
wait_for 30 count_is "$emu" '^end' 3
sleep 4
check "end program ran once for both" "2" "$(count_in "$endprog" '^start')"
check_soon "both launches counted" "3" db "SELECT boot_count FROM main_table WHERE ply=1;"

# The third disk picked from the image submenu boots; the first stays entry 1.
drive select-row 1001 0 >/dev/null
drive menu-dump opened >/dev/null
drive command 1802 >/dev/null
wait_for 30 count_is "$emu" '^start' 4
check "third disk boots" "\"$(winpath "$x")\\kiri 3.d88\" \"$(winpath "$x")\\kiri 2.d88\" \"$(winpath "$x")\\kiri 3.d88\"" \
  "$(grep '^cmd ' "$emu" | tail -n 1 | cut -d' ' -f5- | tr -d '\r')"
wait_for 30 count_is "$emu" '^end' 4
check_soon "picked disk counted" "4" db "SELECT boot_count FROM main_table WHERE ply=1;"
sleep 1  # the window comes back after the count

# A console emulator without a message loop counts as started (double-click).
drive double-click-row 1 >/dev/null
wait_for 30 grep -q "^end" "$console"
check "console emulator got the image" "\"$(winpath "$f/emu/qm-stand-in-console.exe")\" -seconds 6 $solo" \
  "$(grep -m1 '^cmd ' "$console" | cut -c5- | tr -d '\r')"
check_soon "console launch counted" "1" db "SELECT boot_count FROM main_table WHERE machine_name='MSX';"

# End detection by window title, chosen from the submenu.
drive select-row 1001 1 >/dev/null
title_id=$(drive menu-dump opened | grep -m1 '^ *Title|' | cut -d'|' -f2)
drive command "$title_id" >/dev/null
wait_for 30 count_is "$emu" '^start' 5
wait_for 30 count_is "$emu" '^end' 5
check_soon "title launch counted" "2" db "SELECT boot_count FROM main_table WHERE machine_name='MSX';"

# A missing emulator: the two messages, nothing counted.
drive select-row 1001 2 >/dev/null
drive command 1156 >/dev/null
check "missing emulator" "[] エミュレータ実行ファイルが見つかりませんでした" "$(drive answer-box ok 20 | head -n 1)"
sleep 1
check "then the check" "[エミュレータが起動できませんでした] エミュレータのパス又は、解凍・コピー先のフォルダが存在するかを確認して下さい。" \
  "$(drive answer-box ok 20 | head -n 1)"
check "nothing counted" "0" "$(db "SELECT boot_count FROM main_table WHERE machine_name='NOEMU';")"

# The settings dialog: the item's setting shown, a refusal, a new setting
# saved, copied and deleted.
drive select-row 1001 0 >/dev/null
drive command 1157 >/dev/null
check "settings dialog" "エミュレータ設定" "$(drive dialog 20)"
check "the item's setting" "Stand" "$(drive get-text 1302)"
check "its emulator" 'emu\qm-stand-in-emu.exe' "$(drive get-text 1320)"
screenshot "$out/launch-settings.png"
drive click-at 1308 360 12 >/dev/null
sleep 0.5
screenshot "$out/launch-settings-detection.png"
drive click-at 1308 30 12 >/dev/null
drive press 1303 >/dev/null
drive press 1 >/dev/null
check "a name is needed" "[] 設定名の入力は必須です。" "$(drive answer-box ok 20 | head -n 1)"
sleep 1
drive set-text 1302 Via >/dev/null
drive set-text 1320 'emu\qm-stand-in-emu.exe' >/dev/null
drive press 1 >/dev/null
check_soon "saved as a file" "1" sh -c "ls '$f/emuconf/PC88/' | grep -c '^Via.ini$'"
drive press 1304 >/dev/null
check_soon "copied" "1" sh -c "ls '$f/emuconf/PC88/' | grep -c '^Viaのコピー.ini$'"
drive press 1305 >/dev/null
check "delete asks" "[] Viaのコピーを削除します。よろしいですか？" "$(drive answer-box yes 20 | head -n 1)"
check_soon "deleted" "0" sh -c "ls '$f/emuconf/PC88/' | grep -c '^Viaのコピー.ini$'"
drive close-dialog 10 >/dev/null

drive close-main 20 >/dev/null
echo "launch: $failures failure(s)"
[ "$failures" -eq 0 ]
