#!/usr/bin/env bash
# End-to-end checks of the snapshot pictures in Quillmoor2.exe under Wine:
# pictures made here with ImageMagick (PNG, JPEG, GIF, BMP) are found by the
# CRC, image-name and bracket rules and by the item's own path, shown in the
# information view and in the snapshot view, which follows the item list,
# switches slots and fit modes from its menu commands, takes the picture's
# actual size, and comes back where it was at the next start. Runs under a
# virtual display (make test-e2e starts it) and leaves screenshots in
# build/e2e/pictures-*.png.
source "$(dirname "$0")/common.sh"

ini_value() { tr -d '\r' <"$1" | grep -a "^$2=" | head -n 1; }
# Pixels of the screenshot FILE within a few steps of the colour.
pixels_of() {  # pixels_of FILE COLOUR
  /usr/bin/convert "$1" -fuzz 4% -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}
snap_window_width() {
  tr -d '\r' <"$f/Quillmoor2.ini" | awk -F= '/^\[/ { in_view = ($0 == "[SnapWindow]") } in_view && $1 == "Width" { print $2 }'
}
at_least() { [ "${2:-0}" -ge "$1" ] && echo "yes" || echo "no: $2"; }
at_most() { [ "${2:-0}" -le "$1" ] && echo "yes" || echo "no: $2"; }
view() { drive window SnapView "${1:-5}"; }
view_soon() {  # view_soon NAME EXPECTED: the snapshot view's size and title
  check_soon "$1" "$2" view 1
}

green='rgb(13,171,97)'
red='rgb(200,40,40)'
purple='rgb(120,30,160)'
blue='rgb(40,60,210)'
yellow='rgb(230,200,30)'

f=$(program_folder pictures resource)
mkdir -p "$f/snap" "$f/own"
/usr/bin/convert -size 160x120 "xc:$green" "$f/snap/1A2B3C4D.png"
/usr/bin/convert -size 200x150 "xc:$red" "$f/snap/charlie.JPG"
/usr/bin/convert -size 120x90 "xc:$blue" "$f/snap/delta.gif"
/usr/bin/convert -size 100x100 "xc:$yellow" "BMP3:$f/own/echo.bmp"
# A picture that must never be chosen: named as the CRC library's error value.
/usr/bin/convert -size 160x120 "xc:$purple" "$f/snap/00000000.png"

new_library "$f"
library_sql "$f" "INSERT OR REPLACE INTO machine_info_table(machine, snap_path) VALUES('PC-8801', 'snap');
  INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, crc32) VALUES
  ('Z:\\roms\\alpha.d88', 'alpha', '.d88', 'PC-8801', 'A alpha', '1A2B3C4D'),
  ('Z:\\roms\\bravo.d88', 'bravo', '.d88', 'PC-8801', 'B bravo', '00000000'),
  ('Z:\\roms\\charlie.d88', 'charlie', '.d88', 'PC-8801', 'C charlie', ''),
  ('Z:\\roms\\delta (J) [!].d88', 'delta (J) [!]', '.d88', 'PC-8801', 'D delta', ''),
  ('Z:\\roms\\echo.d88', 'echo', '.d88', 'PC-8801', 'E echo', '');
  INSERT INTO snap_path_table(pfile_sp, snap1) VALUES('Z:\\roms\\echo.d88', 'own\\echo.bmp');
  UPDATE main_table SET smart_title=title;"
# The CRC rule is off by default.
printf '[SnapShot]\r\nFindMode0=1\r\n' >"$f/Quillmoor2.ini"

launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
sleep 3
check "five items" "5" "$(drive count-items)"

# The information view: the first item's picture, found by its CRC.
drive select-row 1001 0 >/dev/null
shot pictures-info-crc
check "information view shows the CRC picture" "yes" \
  "$(at_least 5000 "$(pixels_of "$out/pictures-info-crc.png" "$green")")"
check "the error-value picture is not shown" "yes" \
  "$(at_most 100 "$(pixels_of "$out/pictures-info-crc.png" "$purple")")"
check "no snapshot view yet" "none" "$(view 0)"

# The snapshot view, opened from the tool bar's command, follows the list.
drive command 1430 >/dev/null
view_soon "snapshot view: CRC picture" "$(printf '%s' "572x433 スナップショット1 - 1A2B3C4D.png  match>CRC32と同名の画像")"
shot pictures-view-crc
check "the view's picture is larger than the pane's" "yes" \
  "$(at_least 150000 "$(pixels_of "$out/pictures-view-crc.png" "$green")")"
check "the list keeps the keyboard" "SysListView32 1001" "$(drive focus)"

drive select-row 1001 1 >/dev/null
view_soon "CRC 00000000 finds nothing" "572x433 スナップショット1 - File Not Found."
drive select-row 1001 2 >/dev/null
view_soon "image name, JPEG" "572x433 スナップショット1 - charlie.JPG  match>イメージ名と同名の画像"
shot pictures-view-jpeg
check "JPEG decoded" "yes" "$(at_least 150000 "$(pixels_of "$out/pictures-view-jpeg.png" "$red")")"
drive select-row 1001 3 >/dev/null
view_soon "cut before the bracket, GIF" \
  "572x433 スナップショット1 - delta.gif  match>イメージ名の ( [ 前で始まる名前の画像"
drive select-row 1001 4 >/dev/null
view_soon "the item's own BMP" "572x433 スナップショット1 - echo.bmp"
shot pictures-view-bmp
check "BMP decoded" "yes" "$(at_least 100000 "$(pixels_of "$out/pictures-view-bmp.png" "$yellow")")"

# Slot 2 has no folder and no path of its own.
drive command 1180 >/dev/null
view_soon "slot 2: nowhere to look" "572x433 スナップショット2 - NO SNAP"
drive command 1179 >/dev/null
drive select-row 1001 0 >/dev/null
view_soon "back to the first item" "572x433 スナップショット1 - 1A2B3C4D.png  match>CRC32と同名の画像"
# Fit modes: 4:3 over the whole width; actual size, kept at the bottom right.
drive command 1183 >/dev/null
drive command 1190 >/dev/null
drive command 1186 >/dev/null
view_soon "actual size" "160x120 スナップショット1 - 1A2B3C4D.png  match>CRC32と同名の画像"
drive select-row 1001 2 >/dev/null
view_soon "actual size follows the picture" "200x150 スナップショット1 - charlie.JPG  match>イメージ名と同名の画像"
shot pictures-view-actual
drive select-row 1001 0 >/dev/null
view_soon "and back" "160x120 スナップショット1 - 1A2B3C4D.png  match>CRC32と同名の画像"

drive close-main 20 >/dev/null
check "open at the close" "Active=1" "$(ini_value "$f/Quillmoor2.ini" Active)"
check "actual size kept" "TransMode=4" "$(ini_value "$f/Quillmoor2.ini" TransMode)"
check "bottom-right corner kept" "SnapPoint=3" "$(ini_value "$f/Quillmoor2.ini" SnapPoint)"
check "slot kept" "LoadNum=1" "$(ini_value "$f/Quillmoor2.ini" LoadNum)"
check "the window's own width kept" "yes" "$(at_most 300 "$(snap_window_width)")"

# The next start opens it again, on the item the list comes back to.
launch "$(winpath "$f")" >/dev/null
check "main window again" "850x580 maximized=0" "$(drive find-main 60 painted)"
view_soon "reopened at the next start" "160x120 スナップショット1 - 1A2B3C4D.png  match>CRC32と同名の画像"
shot pictures-reopened
drive command 1430 >/dev/null
sleep 1
check "closed from the tool bar's command" "none" "$(view 0)"
drive close-main 20 >/dev/null
check "closed at the close" "Active=0" "$(ini_value "$f/Quillmoor2.ini" Active)"

[ "$failures" -eq 0 ] && echo "pictures: all passed" || echo "pictures: $failures failed"
exit $((failures > 0))
