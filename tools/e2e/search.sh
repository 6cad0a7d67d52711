#!/usr/bin/env bash
# End-to-end checks of the search bar of Quillmoor2.exe under Wine: text typed
# as real key input searches the library, the list, the status bar and the
# history follow; a search that finds nothing and a blank one leave a
# sensible list; an SQL search; Tab and Ctrl+Tab reach the bar. Runs under a
# virtual display (make test-e2e starts it) and leaves screenshots in
# build/e2e/search-*.png.
source "$(dirname "$0")/common.sh"

ini_value() { tr -d '\r' <"$1" | iconv -f CP932 -t UTF-8 | grep -a "^$2=" | head -n 1; }
type_text() {  # letters, digits and spaces as real key input, then Enter
  local keys=() c
  for ((i = 0; i < ${#1}; i++)); do
    c=${1:i:1}
    [ "$c" = " " ] && c=space
    keys+=("$c")
  done
  drive keys "${keys[@]}" enter >/dev/null
}
clear_text() { drive clear-search >/dev/null; }

f=$work/search
mkdir -p "$f"
cp "$bin/Quillmoor2.exe" "$bin/Quillmoor2_Lib.dll" "$f/"
cp -r "$bin/resource" "$bin/dict" "$bin/migemo.dll" "$f/"
saved_queries "$f"
"$top/build/native/bin/quillmoor-cli" create --db "$f/Quillmoor.db" >/dev/null
sqlite3 "$f/Quillmoor.db" "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, rating, ply) VALUES
  ('Z:\\roms\\a.d88','a','.d88','PC-8801','Dragon Quest','Enix',50,0),
  ('Z:\\roms\\b.d88','b','.d88','PC-8801','Dragon Slayer','Falcom',30,0),
  ('Z:\\roms\\c.d88','c','.d88','PC-8801','Xanadu','Falcom',40,0),
  ('Z:\\roms\\d.d88','d','.d88','PC-8801','ドラゴン伝説','Demo',10,0),
  ('Z:\\roms\\e.d88','e','.d88','PC-8801','Ys','Falcom',20,0);
  UPDATE main_table SET smart_title=upper(title), kana=upper(title);"

launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
sleep 3
check "the whole library" "5" "$(drive count-items)"

# Tab in the item list moves to the search bar (a default shortcut key).
check "focus starts in the item list" "SysListView32 1001" "$(drive focus)"
drive keys tab >/dev/null
check_soon "Tab reaches the search bar" "Edit 1001" drive focus
type_text "dragon"
# Migemo reads "dragon" as romaji too: the katakana title is found as well.
check_soon "typed search: three titles" "3" drive count-items
check "hit count in the status bar" " 検索件数: 3 件" "$(drive status 1)"
check "search time in the status bar" "1" "$(drive status 3 | grep -c '^検索時間:[0-9]*\.[0-9][0-9]秒$')"
# The history entry follows a moment after the list.
check_soon "history holds the text" "dragon|dragon" drive search-text
screenshot "$out/search-bar.png"

# Suggestions: half a second after typing, the titles whose reading fits.
clear_text
drive keys x a >/dev/null
sleep 1.5
check "suggestions under the bar" "xa|xa|Xanadu" "$(drive search-text)"
screenshot "$out/search-suggestions.png"
drive keys escape >/dev/null

clear_text
type_text "zzz"
check_soon "nothing found: an empty list" "0" drive count-items
check "hit count zero" " 検索件数: 0 件" "$(drive status 1)"
clear_text
type_text " "
sleep 1
check "a blank search changes nothing" "0" "$(drive count-items)"
clear_text
type_text "falcom"
check_soon "maker found through the fuzzy fields" "3" drive count-items
check_soon "newest history first; blank and empty texts kept out" "falcom|falcom|dragon" drive search-text

# Title mode sorts by title; SQL mode takes its own order.
drive search-mode 2 >/dev/null
clear_text
type_text "a"
check_soon "title mode" "3" drive count-items
clear_text
type_text "doragon"
check_soon "romaji through migemo.dll: the katakana title" "1" drive count-items
drive search-mode 9 >/dev/null
check "SQL history is its own" "doragon" "$(drive search-text)"
clear_text
drive keys s e l e c t space 8 space f r o m space l i s t >/dev/null
clear_text
screenshot "$out/search-sql.png"

# Ctrl+Tab from the search bar goes to the group pane.
drive keys ctrl+tab >/dev/null
check_soon "Ctrl+Tab: search bar to group pane" "ListBox 1003" drive focus

# A saved query clicked in the tree fills the list in its own order.
drive mouse-click 1000 30 8 >/dev/null
check_soon "saved query from the tree" "2" drive count-items
screenshot "$out/search-tree.png"
# The context menu's new query: the dialog writes the file and the tree shows it.
drive command 1174 >/dev/null
check "query dialog" "クエリ作成" "$(drive dialog 10)"
drive set-text 100 "CON" >/dev/null
drive press 1 >/dev/null
check "a device name is refused" "[] クエリ名に使用できない文字が含まれているか、使用できない文字列です。" "$(drive answer-box ok 10 | tail -n 1)"
drive set-text 100 "ys" >/dev/null
drive press 108 >/dev/null
screenshot "$out/search-query-dialog.png"
drive press 1 >/dev/null
sleep 1
check "query file written" "sql=SELECT * FROM list_view WHERE machine_name = '' ORDER BY title;" \
  "$(tr -d '\r' <"$f/query/ys.txt" | grep '^sql=')"


check "closed" "closed" "$(drive close-main 30)"
check "history written" "0=doragon 1=a" "$(ini_value "$f/Quillmoor2.ini" 0) $(ini_value "$f/Quillmoor2.ini" 1)"
check "the saved query kept as the SQL search" "SQL3=SELECT * FROM list_view WHERE rating>=40 ORDER BY rating DESC" \
  "$(ini_value "$f/Quillmoor2.ini" SQL3)"
check "its view is the whole library" "1" "$(tr -d '\r' <"$f/Quillmoor2.ini" | grep -a -c '^SQL1=CREATE VIEW list_view AS SELECT .*WHERE ply<2 ;$')"

# A view statement edited into the settings file is not run: the whole library shows.
sed -i -e 's/^SQL1=.*/SQL1=CREATE VIEW list_view AS SELECT * FROM main_table WHERE ply<2; DROP TABLE main_table;\r/' \
  -e 's/^SQL3=.*/SQL3=\r/' "$f/Quillmoor2.ini"
launch "$(winpath "$f")" >/dev/null
check "restarted" "850x580 maximized=0" "$(drive find-main 60 painted)"
sleep 3
check "an untrusted SQL1 shows the whole library" "5" "$(drive count-items)"
check "main_table kept" "5" "$(sqlite3 "$f/Quillmoor.db" 'SELECT COUNT(*) FROM main_table;')"

# The in-list search (F over the item list) moves the cursor as the text grows.
check "focus in the item list" "SysListView32 1001" "$(drive focus)"
drive keys f >/dev/null
check_soon "F opens the in-list search" "Edit 1" drive focus
drive keys x a >/dev/null
check_soon "typed 'xa': the cursor on Xanadu" "2" drive focused-row
drive keys back back d r >/dev/null
check_soon "typed 'dr': the first Dragon" "0" drive focused-row
drive keys down >/dev/null
check_soon "Down: the next Dragon" "1" drive focused-row
screenshot "$out/search-in-list.png"
drive keys down >/dev/null
check_soon "Down: the katakana title through Migemo" "4" drive focused-row
drive keys down >/dev/null
check "Down at the last match keeps the cursor" "4" "$(drive focused-row)"
drive keys escape >/dev/null
check_soon "Escape closes it" "SysListView32 1001" drive focus
drive close-main 30 >/dev/null

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "search: all checks passed"
