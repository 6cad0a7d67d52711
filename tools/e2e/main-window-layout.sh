#!/usr/bin/env bash
# End-to-end checks of the main window's places and layout under Wine: the
# item restored at start in view, the group pane's selection kept across a
# command and across tab switches by keyboard, the splitters dragged and the
# lower row closed with their keys written as they change, columns shown,
# hidden and dragged from the header, the key-ups sent at exit, and a settings
# file that cannot be written reported at exit. Screenshots in build/e2e.
source "$(dirname "$0")/common.sh"

f=$(program_folder layout resource default_icon)
new_library "$f"
python3 "$top/tools/gen-demo-library.py" "$f/Quillmoor.db" >/dev/null
ini=$f/Quillmoor2.ini
q() { library_sql "$f" "$1" | tr -d '\r'; }

# An item deep in the list, with a title of its own: its place in the title
# order is the count of titles before it.
key=$(q "SELECT MIN(file_name) FROM main_table WHERE ply<2 GROUP BY title HAVING COUNT(*)=1 ORDER BY title LIMIT 1 OFFSET 200;")
expected=$(q "SELECT COUNT(*) FROM main_table WHERE ply<2 AND title<(SELECT title FROM main_table WHERE file_name='$key');")
printf '[ItemListColor]\r\nDispEmuSetName=0\r\n[LastQuery]\r\nPrimaryKey=%s\r\n' "$key" | iconv -f UTF-8 -t CP932 >"$ini"

launch "$(winpath "$f")" >/dev/null
drive find-main 60 painted >/dev/null
for _ in $(seq 60); do [ "$(drive count-items)" -gt 0 ] 2>/dev/null && break; sleep 0.5; done
place=$(drive list-place)
echo "start: $place (expected focused=$expected)"
top_row=$(sed 's/.*top=\([0-9-]*\).*/\1/' <<<"$place")
focused=$(sed 's/.*focused=\([0-9-]*\).*/\1/' <<<"$place")
per_page=$(sed 's/.*perpage=\([0-9-]*\).*/\1/' <<<"$place")
check "restored item focused" "$expected" "$focused"
check "restored item in view" "yes" "$([ "$top_row" -le "$focused" ] && [ "$focused" -lt $((top_row + per_page)) ] && echo yes)"
shot layout-start

# The group pane keeps its selection through a command that refreshes the list.
drive time-group 3 >/dev/null
maker3=$(q "SELECT COUNT(*) FROM main_table WHERE ply<2 AND maker=(SELECT DISTINCT maker FROM main_table WHERE ply<2 ORDER BY maker LIMIT 1 OFFSET 2);")
check "group item 3 lists its maker" "$maker3" "$(drive count-items)"
drive command 1135 >/dev/null
sleep 2
check "group selection kept after a command" "kind=0 selected=3" "$(drive group-place | cut -d' ' -f1-2)"
check "list still of that maker" "$maker3" "$(drive count-items)"

# Tabs by keyboard: Ctrl+Tab twice reaches the group pane from the list.
drive keys ctrl+tab ctrl+tab >/dev/null
drive keys ctrl+pagedown >/dev/null
check "Ctrl+PageDown shows the genres" "kind=1 selected=-1" "$(drive group-place | cut -d' ' -f1-2)"
drive keys ctrl+pageup >/dev/null
check "Ctrl+PageUp back to the makers, selection kept" "kind=0 selected=3" "$(drive group-place | cut -d' ' -f1-2)"
drive keys tab >/dev/null
check "Tab reaches the tabs" "SysTabControl32 1005" "$(drive focus)"
drive keys right >/dev/null
check "an arrow on the tabs switches the kind" "kind=1" "$(drive group-place | cut -d' ' -f1)"
drive keys tab >/dev/null
check "Tab back to the pane's list" "ListBox 1003" "$(drive focus)"

# The vertical splitter dragged 80 pixels right: its key is written at once.
# The panes start below the rebar; every rectangle is judged from its bottom.
band=$(drive pane-rect 1001 | cut -d' ' -f2)
check "panes below the rebar" "yes" "$([ "${band:-0}" -gt 0 ] 2>/dev/null && [ "$band" -lt 80 ] && echo yes)"
check "panes at the defaults" "174 $band 842 250|174 254 842 514" "$(drive pane-rect 1001)|$(drive pane-rect 1002)"
drive drag-main 172 150 252 150 >/dev/null
check_soon "SeparateX written as it changes" "SeparateX=250" grep -a -o 'SeparateX=[0-9]*' "$ini"
check "the list beside the wider column" "254 $band 842 250" "$(drive pane-rect 1001)"
check "the group pane as wide" "250" "$(drive pane-rect 1003 | cut -d' ' -f3)"
# A double click on the horizontal splitter closes the lower row, another opens it.
drive double-click-main 500 252 >/dev/null
check "lower row closed" "254 $band 842 510|hidden" "$(drive pane-rect 1001)|$(drive pane-rect 1002 | grep -o hidden)"
check_soon "closed row in the keys" "SeparateY=0 SeparateClose=1 SeparateYtmp=260" \
  sh -c "grep -a -o 'Separate\(Y\|Close\|Ytmp\)=[0-9]*' '$ini' | tr '\n' ' ' | sed 's/ \$//'"
shot layout-closed
drive double-click-main 500 511 >/dev/null
check "lower row open again" "254 $band 842 250" "$(drive pane-rect 1001)"
drive drag-main 500 252 500 192 >/dev/null
check_soon "SeparateY written as it changes" "SeparateY=320" grep -a -o 'SeparateY=[0-9]*' "$ini"
check "the information view taller" "254 194 842 514" "$(drive pane-rect 1002)"

# Columns: the title dragged after the third header, the developer shown from
# the header's popup, the reading sort switched on there.
check "seven columns shown" "7" "$(drive header-count)"
drive drag-main 329 $((band + 8)) 690 $((band + 8)) >/dev/null
drive command 1407 >/dev/null
check_soon "the developer column shown" "8" drive header-count
drive command 1420 >/dev/null
shot layout-columns

# At exit: the modifier keys let go, 200 ms apart.
keys_up=$(drive close-main-keys 20)
check "key-ups at exit" "RMENU SHIFT LCONTROL" "${keys_up% span=*}"
span=${keys_up##*span=}
check "200 ms apart" "yes" "$([ "${span:-0}" -ge 380 ] 2>/dev/null && [ "$span" -lt 2000 ] && echo yes)"
check "column order kept" "clm_sort01=2 clm_sort02=0 clm_sort03=1" \
  "$(grep -a -o 'clm_sort0[123]=[0-9]*' "$ini" | tr '\n' ' ' | sed 's/ $//')"
check "developer shown, last" "clm_disp08=1 clm_sort08=7" \
  "$(grep -a -o 'clm_\(disp\|sort\)08=[0-9]*' "$ini" | tr '\n' ' ' | sed 's/ $//')"
check "reading sort kept" "yomiSort=1" "$(grep -a -o 'yomiSort=[0-9]*' "$ini")"

# The next start lays the panes and columns out as they were left.
pid=$(launch "$(winpath "$f")")
drive find-main 60 painted >/dev/null
check "splitters restored" "254 $band 842 190|254 194 842 514" "$(drive pane-rect 1001)|$(drive pane-rect 1002)"
check "columns restored" "8" "$(drive header-count)"
shot layout-restart

# A settings file that cannot be written (a folder has taken its name while
# the program ran): said once at exit.
mv "$ini" "$ini.kept"
mkdir "$ini"
drive close-main 1 >/dev/null
check "unwritable settings reported" "[設定の保存] 設定ファイルに書き込めませんでした。" "$(drive answer-box ok 30 | head -n 1)"
check "the program ends" "0" "$(drive wait-exit "$pid" 30)"
check "no second box" "none" "$(drive answer-box ok 2 | head -n 1)"
rmdir "$ini"
mv "$ini.kept" "$ini"

WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "main-window-layout: $failures check(s) failed"; exit 1; fi
echo "main-window-layout: every check passed"
