#!/usr/bin/env bash
# End-to-end checks of key scripts and snapshot capture in Quillmoor2.exe
# under Wine and Xvfb, with the stand-in emulator (it logs the keys it gets,
# the text a Ctrl+V pastes, and puts a picture on the clipboard): the script's
# keys arrive in order and match what quillmoor-cli keys-script prints; the
# picture that was on the clipboard before the script's paste is back on it
# while the emulator still runs, and is saved as PNG files of the cut-out size
# under both names; the tool bar button steps the automatic snapshot mode and
# shows it, and a control's notification of the same number does nothing;
# automatic desktop snapshots are offered with a preview, the chosen one is
# kept and found by the snapshot lookup, and the rest are removed;
# quillmoor-cli launch types the same keys without the program's window. Leaves
# screenshots in build/e2e/keyscap-*.png.
source "$(dirname "$0")/common.sh"

count_in() { if [ -f "$1" ]; then grep -c "$2" "$1"; else echo 0; fi; }
count_is() { [ "$(count_in "$1" "$2")" = "$3" ]; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }
png_size() {  # png_size FILE: "WIDTHxHEIGHT" from its header, "none" without one
  python3 - "$1" <<'PY'
import struct, sys
try:
    data = open(sys.argv[1], "rb").read(24)
    assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
    print("%dx%d" % struct.unpack(">II", data[16:24]))
except Exception:
    print("none")
PY
}

f=$(program_folder keyscap)
x=$work/extract
mkdir -p "$f/emu" "$f/roms" "$f/snap" "$x"
cp "$bin/qm-stand-in-emu.exe" "$f/emu/"
emu=$f/emu/qm-stand-in-emu.exe.log
echo game >"$f/roms/game.rom"
new_library "$f"
game=$(winpath "$f/roms/game.rom")
library_sql "$f" "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, smart_title, crc32, ply,
    ply_file_name) VALUES ('$game','game','rom','MSX','Keys Game','Keys Game','0A1B2C3D',0,'');
    INSERT INTO machine_info_table(machine, snap_path) VALUES ('MSX', 'snap');"
mkdir -p "$f/emuconf/MSX"
ini "[DefaultEmulator]" "INIFile=Keys.ini" "KEYFile=Keys.txt" >"$f/emuconf/MSX.ini"
# The picture is 320 x 200, put on the clipboard as the stand-in starts, before
# the script's paste; the second cut-out (320 is not under the
# threshold) takes 200 x 100 from (10, 20) and saves it at 100 x 50.
ini "[ImageFile]" "ExtractPath=$(winpath "$x")" \
    "[Emulator]" 'Exec=emu\qm-stand-in-emu.exe' 'Option=-seconds 7 -clip 320x200 -clip-at 0 $image' \
    "[ClipToPNG]" "ClipXthreshold=320" "ClipTopX2=10" "ClipTopY2=20" "ClipWidth2=200" "ClipHeight2=100" \
    "SaveWidth=100" "SaveHeight=50" >"$f/emuconf/MSX/Keys.ini"
ini "WAIT1500;a;B" "SHIFTDOWN;c;SHIFTUP" '$title' "<MULTIPLE_DISKS>;X;</MULTIPLE_DISKS>" "F5" >"$f/emuconf/MSX/Keys.txt"
ini "[ImageFile]" "ExtractPath=$(winpath "$x")" \
    "[Emulator]" 'Exec=emu\qm-stand-in-emu.exe' 'Option=-seconds 12 $image' >"$f/emuconf/MSX/Auto.ini"
ini "[SnapShot]" "ExtPicToSnap=2" "CRC32Name=2" "CaptureResultMonitor=1" >"$f/Quillmoor2.ini"

# Letters, F keys and Shift: the paste's Ctrl and V and the closing Alt come
# to a window as other key codes (VK_CONTROL, VK_MENU).
plain_keys() { grep -E ' (16|6[5-9]|[78][0-9]|90|11[2-9]|12[0-9]|13[0-5])$' | grep -v ' 86$'; }
expected_keys=$(qm_cli keys-script --db "$f/Quillmoor.db" "$game" | sed -n 's/^\(down\|up\) \([0-9]*\)$/key \1 \2/p' | plain_keys)
# Wine keeps menus inside the program: it writes its menu tree here when asked.
export QM_MENU_DUMP=$(winpath "$work/menu-dump.txt")
cd "$work"
launch "$(winpath "$f")" >/dev/null
check "main window" "1" "$(drive find-main 60 painted >/dev/null && echo 1)"
check_soon "one item listed" "1" drive count-items

# Enter: the stand-in gets the script's keys in order, with scan codes, and
# the title pasted; the launch then saves its clipboard picture.
drive select-row 1001 0 >/dev/null
# Enter goes to the focused control: a lost key shows here, not as missing keys later.
check "the list has the focus for Enter" "1" "$(drive wait-focus 1001 20 | grep -qv none && echo 1)"
drive keys return >/dev/null
check "Enter starts the emulator" "1" "$(wait_for 30 grep -qs "^start" "$emu" && echo 1)"
wait_for 30 grep -q "^end" "$emu"
check "keys in the order the script gives" "$expected_keys" \
  "$(grep '^key ' "$emu" | tr -d '\r' | sed 's/ [0-9]*$//' | plain_keys)"
check "scan codes come with the keys" "key down 65 30" "$(grep -m1 '^key down 65' "$emu" | tr -d '\r')"
check "the title pasted" "paste Keys Game" "$(grep -m1 '^paste' "$emu" | tr -d '\r')"
check "the set-only block skipped" "0" "$(count_in "$emu" '^key down 88 ')"
check "the picture back on the clipboard after the paste" "holds dib 320x200|holds mark stand-in mark" \
  "$(grep '^holds' "$emu" | tr -d '\r' | paste -sd '|')"
check_soon "clipboard picture under the file title" "100x50" png_size "$f/snap/game.PNG"
check "and under the CRC32" "100x50" "$(png_size "$f/snap/0A1B2C3D.PNG")"
sleep 1
shot keyscap-notice
check "the lookup finds it" "match>イメージ名と同名の画像" \
  "$(qm_cli snapshot --db "$f/Quillmoor.db" "$game" | sed -n '1s/^[^\t]*\t[^\t]*\t//p')"

# Automatic snapshots of the whole desktop from the menu command: two
# pictures in a run of 12 s, the choice offered, the second kept in slot 1.
# The notice, which may cover the tool bar, closes itself after five seconds.
sleep 5
tool_image() { drive tool-image 1191; }
check "the tool bar shows automatic snapshots off" "12" "$(tool_image)"
seen=
for _ in 1 2 3 4 5; do
  drive tool-click 1191 >/dev/null
  seen="$seen $(tool_image)"
done
check "the tool bar button steps the mode and shows it" " 13 14 15 12 13" "$seen"
drive stray-command 1191 >/dev/null
check "a control's notification steps nothing" "13" "$(tool_image)"
drive stray-command 1156 >/dev/null
sleep 2
check "nor launches" "1" "$(count_in "$emu" '^start')"
drive select-row 1001 0 >/dev/null
auto_id=$(drive menu-dump opened | grep -m1 '^ *Auto|' | cut -d'|' -f2)
drive command "$auto_id" >/dev/null
wait_for 30 count_is "$emu" '^start' 2
wait_for 40 count_is "$emu" '^end' 2
check "the choice is offered" "スナップショットの選択" "$(drive dialog 30)"
check "two automatic snapshots" "2" "$(ls "$x" | grep -ci '^AutoSnap000[01].png$')"
check "a desktop picture" "1024x768" "$(png_size "$x/AutoSnap0001.PNG")"
check "the preview shows the last picture" "1024 x 768" "$(drive get-text 1502)"
shot keyscap-choice
drive press 1 >/dev/null
check_soon "automatic snapshots removed" "0" sh -c "ls '$x' | grep -c AutoSnap"
check "the chosen picture kept" "1024x768" "$(png_size "$f/snap/game.PNG")"
check "found by the lookup" "slot 1	$f/snap/game.PNG" "$(qm_cli snapshot --db "$f/Quillmoor.db" "$game" | head -n 1 | cut -f1,2)"

drive close-main 20 >/dev/null

# quillmoor-cli launch types the same script into the stand-in, with no
# window of its own: the same keys in order, the title pasted, none lost.
"$top/tools/wine-run.sh" "$bin/quillmoor-cli.exe" launch --db "$(winpath "$f/Quillmoor.db")" "$game" \
  >"$work/cli-launch.txt" 2>&1 </dev/null
check "quillmoor-cli launch runs the emulator" "0" "$?"
last_run() { tr -d '\r' <"$emu" | awk '/^start/ {run = ""} {run = run $0 "\n"} END {printf "%s", run}'; }
check "quillmoor-cli launch types the keys in order" "$expected_keys" \
  "$(last_run | grep '^key ' | sed 's/ [0-9]*$//' | plain_keys)"
check "and pastes the title" "paste Keys Game" "$(last_run | grep -m1 '^paste')"
check "no key lost to another window" "" "$(grep -i warning "$work/cli-launch.txt")"

echo "keyscap: $failures failure(s)"
[ "$failures" -eq 0 ]
