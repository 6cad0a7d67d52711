#!/usr/bin/env bash
# End-to-end checks of Quillmoor2.exe under Wine: start-up in an empty folder,
# the single-instance rule, a declined upgrade, the maximised start. Runs under
# a virtual display (make test-e2e starts it) and leaves a screenshot in
# build/e2e/main-window.png.
source "$(dirname "$0")/common.sh"

# First start in an empty folder.
f1=$(program_folder first resource default_icon)
launch "$(winpath "$f1")" >/dev/null
check "first start: window size" "850x580 maximized=0" "$(drive find-main 60)"
check "first start: database created" "yes" "$([ -s "$f1/Quillmoor.db" ] && echo yes)"
check "first start: TEMP and color_theme" "yes" "$([ -d "$f1/TEMP" ] && [ -d "$f1/color_theme" ] && echo yes)"
sleep 2
xwd -root -silent | /usr/bin/convert xwd:- "$out/main-window.png" 2>/dev/null

# Sorting by a column: the list is re-sorted and the ORDER BY kept at exit.
check "a new library lists no items" "0" "$(drive count-items)"
drive click-header 3 >/dev/null

# A second start ends at once with exit code 0; the first keeps running.
pid2=$(launch "$(winpath "$f1")")
check "second start ends with 0" "0" "$(drive wait-exit "$pid2" 30)"
check "first instance still open" "850x580 maximized=0" "$(drive find-main 5)"

# -multiboot runs beside it.
pid3=$(launch "$(winpath "$f1")" -multiboot)
sleep 5
check "-multiboot keeps running" "running" "$(drive wait-exit "$pid3" 1)"
drive close-main 20 >/dev/null
check "both closed" "closed" "$(drive close-main 20)"
check "settings written at exit" "Width=850" "$(grep -a -o 'Width=850' "$f1/Quillmoor2.ini")"
check "sort column kept at exit" "SortColumn=3" "$(grep -a -o 'SortColumn=[0-9]*' "$f1/Quillmoor2.ini")"

# The column header popup's reset: the title, ascending, again.
launch "$(winpath "$f1")" >/dev/null
drive find-main 60 painted >/dev/null
drive click-header 3 >/dev/null
drive click-header 3 >/dev/null
drive command 1178 >/dev/null
sleep 1
drive close-main 20 >/dev/null
check "sort reset by 1178" "SortColumn=0 SortOrder=0" \
  "$(grep -a -o 'Sort\(Column\|Order\)=[0-9]*' "$f1/Quillmoor2.ini" | tr '\n' ' ' | sed 's/ $//')"

# The build's bitmaps beside the program: every one a whole 24-bit BMP, and a
# default icon for every icon path a new library names.
bmp_faults() {
  python3 - "$@" <<'PY'
import struct, sys
for path in sys.argv[1:]:
    try:
        data = open(path, 'rb').read()
        magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data)
        _, width, height, _, bits = struct.unpack_from('<IiiHH', data, 14)
        row = (width * bits // 8 + 3) & ~3
        if magic != b'BM' or size != len(data) or bits != 24 or offset + row * abs(height) != len(data):
            print(path)
    except (OSError, struct.error):
        print(path)
PY
}
resources=()
for name in toolbar column rating adult AlterEgo maxdisk favorite snap_operation images wait_anime; do
  resources+=("$bin/resource/$name.bmp")
done
check "resource bitmaps are whole BMPs" "" "$(bmp_faults "${resources[@]}")"
icons=$(library_sql "$f1" "SELECT media_icon FROM media_info_table UNION SELECT genre_icon FROM genre_info_table
  UNION SELECT machine_icon FROM machine_info_table UNION SELECT adultex_icon FROM adultex_info_table;" |
  tr -d '\r' | awk -F'\\' '{print "'"$bin"'/default_icon/" $(NF-1) "/" $NF}')
check "default icons: one per seed row" "55" "$(ls $icons 2>/dev/null | wc -l)"
check "default icons are whole BMPs" "" "$(bmp_faults $icons)"
check "wait_anime: 420 x 80 frames" "420 0" \
  "$(python3 -c "import struct,sys; w,h=struct.unpack_from('<ii',open(sys.argv[1],'rb').read(),18); print(w, h % 80)" "$bin/resource/wait_anime.bmp")"
check "pop-up help in Shift-JIS" "yes" "$(iconv -f CP932 -t UTF-8 "$bin/resource/pophelp.txt" 2>/dev/null | grep -q '一覧' && echo yes)"

# An old database answered with Cancel: database and settings untouched.
f2=$(program_folder declined resource default_icon)
new_library "$f2"
library_sql "$f2" "DROP TRIGGER delete_subtable_main; DROP TABLE use_emuset_table;
  ALTER TABLE alter_ego_table DROP COLUMN ply_pfile_ae; ALTER TABLE alter_ego_table DROP COLUMN ren_file_name;
  UPDATE qlm_table SET ver=7;"
printf '[Window]\r\nWidth=900\r\n' > "$f2/Quillmoor2.ini"
before=$(cat "$f2/Quillmoor.db" "$f2/Quillmoor2.ini" | md5sum)
pid=$(launch "$(winpath "$f2")")
check "upgrade question" "[DB構造のアップデート] データベース構造のアップデートを行います。" \
  "$(drive answer-box cancel 60 | head -n 1)"
check "declined start ends" "0" "$(drive wait-exit "$pid" 30)"
check "declined: files byte-identical" "$before" "$(cat "$f2/Quillmoor.db" "$f2/Quillmoor2.ini" | md5sum)"
check "declined: no backup" "0" "$(ls "$f2" | grep -c BUP)"

# Maximize=1 opens maximised. Without a window manager on the virtual display,
# Wine takes the next configure event of a window it leaves to a manager for
# a restore and undoes the maximise, sooner or later: for this start, Wine
# places the window itself, as a desktop's manager would keep it.
x11_managed() {
  if [ "$1" = no ]; then
    "$top/tools/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  else
    "$top/tools/wine-run.sh" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
  fi
}
f3=$(program_folder maximised resource default_icon)
printf '[Window]\r\nMaximize=1\r\n' > "$f3/Quillmoor2.ini"
x11_managed no
launch "$(winpath "$f3")" >/dev/null
# The window is shown maximised at its first paint, a moment after it appears:
# its state is read once start-up is done.
check "Maximize=1" "maximized=1" "$(drive find-main 120 painted | cut -d' ' -f2)"
drive close-main 20 >/dev/null
x11_managed yes

# A group pane item chosen after a sort lists that group's items: the pane's
# values must outlive the title count every list refresh runs.
f4=$(program_folder groups resource default_icon)
new_library "$f4"
python3 "$top/tools/gen-demo-library.py" "$f4/Quillmoor.db" >/dev/null
library_sql "$f4" "INSERT OR REPLACE INTO favorite_table SELECT file_name, '0379' FROM main_table
  WHERE ply<2 ORDER BY title LIMIT 3;"
launch "$(winpath "$f4")" >/dev/null
drive find-main 60 painted >/dev/null
for _ in $(seq 60); do [ "$(drive count-items)" -gt 0 ] 2>/dev/null && break; sleep 0.5; done
# The owner-drawn rows (two-line machine/genre cells, stars, favourite marks)
# are looked at in the screenshot, once the busy window has gone from the
# display too.
shot item-list
drive click-header 1 >/dev/null
drive time-group 1 >/dev/null
check "group item after a sort" \
  "$(library_sql "$f4" "SELECT COUNT(*) FROM main_table WHERE ply<2 AND maker=(SELECT MIN(maker) FROM main_table WHERE ply<2);")" \
  "$(drive count-items)"
drive close-main 20 >/dev/null

WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "main-window: $failures check(s) failed"; exit 1; fi
echo "main-window: every check passed (screenshots: build/e2e/main-window.png, build/e2e/item-list.png)"
