#!/usr/bin/env bash
# End-to-end check of the joystick control in Quillmoor2.exe under Wine and
# Xvfb, with a recorded controller played back (QM_JOY_REPLAY, slowed to one
# reading a second and a half): the focus input moves the focus from the item
# list to the tree, the group pane and back, each pane taking the flash colour
# while it flashes and its own colour afterwards; the stick's down moves the
# list to the second row and the Enter button launches that item. Leaves
# screenshots in build/e2e/joystick-*.png.
source "$(dirname "$0")/common.sh"

ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
# The share in hundredths of a pane's pixels in FILE that have the flash
# colour, from the pane's screen rectangle "left top right bottom".
flash_share() {  # flash_share FILE RECT
  local left top right bottom
  read -r left top right bottom <<<"$2"
  /usr/bin/convert "$1" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    -fill black +opaque "$flash" -fill white -opaque "$flash" -format '%[fx:int(mean*100)]' info: 2>/dev/null
}
mostly() { [ -n "$1" ] && [ "$1" -ge 50 ] && echo yes || echo "no ($1%)"; }

f=$(program_folder joystick)
mkdir -p "$f/emu" "$f/roms"
cp "$bin/qm-stand-in-emu.exe" "$f/emu/"
emu=$f/emu/qm-stand-in-emu.exe.log
echo a >"$f/roms/first.rom"
echo b >"$f/roms/second.rom"
new_library "$f"
first=$(winpath "$f/roms/first.rom")
second=$(winpath "$f/roms/second.rom")
library_sql "$f" "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, smart_title, ply,
    ply_file_name) VALUES ('$first','first','rom','MSX','A Joy','A Joy',0,''),
    ('$second','second','rom','MSX','B Joy','B Joy',0,'');"
mkdir -p "$f/emuconf/MSX"
ini "[DefaultEmulator]" "INIFile=Joy.ini" >"$f/emuconf/MSX.ini"
ini "[Emulator]" 'Exec=emu\qm-stand-in-emu.exe' 'Option=-seconds 2 $image' >"$f/emuconf/MSX/Joy.ini"
flash='#FF00FF'
# Magenta flashes (red in the low byte); button 1 moves the focus, button 2
# is Enter, the stick's down is the down arrow.
ini "[JoyStick]" "enable=1" "id=0" "repeat=25" "flash=1" "fcolor=$((0xFF00FF))" \
    "focus_type=128" "focus_val=1" "enter_type=128" "enter_val=2" "down_type=2" "down_val=65535" \
    >"$f/Quillmoor2_Joy.ini"

rest='32767 32767 32767 32767 0 0 65535 0'
rests() { for _ in $(seq 1 "$1"); do echo "$rest"; done; }
{
  echo "every 1500"
  rests 8
  for _ in tree groups items; do
    echo '32767 32767 32767 32767 0 0 65535 1'
    rests 5
  done
  echo '32767 65535 32767 32767 0 0 65535 0'
  rests 2
  echo '32767 32767 32767 32767 0 0 65535 2'
  rests 4
} >"$work/replay.txt"
export QM_JOY_REPLAY=$(winpath "$work/replay.txt")

cd "$work"
launch "$(winpath "$f")" >/dev/null
check "main window" "1" "$(drive find-main 60 painted >/dev/null && echo 1)"
check_soon "two items listed" "2" drive count-items
drive select-row 1001 0 >/dev/null

# Each press of the focus button: the pane that gets the focus is magenta at
# once and back to its own colour when the flash is over.
for pane in "1000 tree" "1003 groups" "1001 items"; do
  read -r id name <<<"$pane"
  rect=$(drive wait-focus "$id" 40)
  screenshot "$out/joystick-flash-$name.png"
  check "the focus on the $name" "1" "$([ "$rect" != none ] && echo 1)"
  check "the $name flash" "yes" "$(mostly "$(flash_share "$out/joystick-flash-$name.png" "$rect")")"
  sleep 4
  screenshot "$work/after.png"
  check "the $name back to its own colour" "0" "$(flash_share "$work/after.png" "$rect")"
done

# The stick's down and the Enter button reach the list: the second item starts.
on_second_row() { [ "$(drive focused-row)" = 1 ]; }
check "the down arrow moves to the second row" "1" "$(wait_for 20 on_second_row && echo 1)"
wait_for 30 grep -qs "^end" "$emu"
check "Enter launches the second item" "1" "$(grep -c '^sees .*second.rom' "$emu" | tr -d '\r')"
check "and only it" "1" "$(grep -c '^start' "$emu")"

drive close-main 20 >/dev/null
echo "joystick: $failures failure(s)"
[ "$failures" -eq 0 ]
