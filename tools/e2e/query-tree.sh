#!/usr/bin/env bash
# End-to-end checks of the saved-query tree of Quillmoor2.exe under Wine: a
# query deleted through the context menu's command leaves the disk and the
# tree, a new folder appears in both, and large icons are kept in the
# settings file for the next start. Runs under a virtual display (make
# test-e2e starts it) and leaves screenshots in build/e2e/query-tree-*.png.
source "$(dirname "$0")/common.sh"

ini_value() { tr -d '\r' <"$1" | grep -a "^$2=" | head -n 1; }

f=$(program_folder query-tree resource)
saved_queries "$f"
new_library "$f"
library_sql "$f" "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, rating, ply) VALUES
  ('Z:\\roms\\b.d88','b','.d88','PC-8801','Dragon Slayer','Falcom',30,0),
  ('Z:\\roms\\c.d88','c','.d88','PC-8801','Xanadu','Falcom',40,0);
  UPDATE main_table SET smart_title=upper(title), kana=upper(title);"

launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
sleep 3
# The root's two entries, the folder's query under it.
check "the tree holds the saved queries" "3" "$(drive tree-count)"
screenshot "$out/query-tree-start.png"

# The first row is the query "best": a right click makes it current, the
# context menu's delete asks first.
drive mouse-click 1000 30 8 right >/dev/null
sleep 0.5
drive keys escape >/dev/null
drive command 1177 >/dev/null
check "delete asks" "[] クエリを削除します。よろしいですか？" "$(drive answer-box no 10 | head -n 1)"
sleep 1
check "no keeps the query" "yes" "$([ -f "$f/query/best.txt" ] && echo yes || echo no)"
drive command 1177 >/dev/null
check "asked again" "[] クエリを削除します。よろしいですか？" "$(drive answer-box yes 10 | head -n 1)"
check_soon "yes deletes its file" "gone" bash -c "[ -e '$f/query/best.txt' ] && echo there || echo gone"
check_soon "and its row" "2" drive tree-count

# A new folder under the root (nothing current after the delete).
drive command 1173 >/dev/null
check "new folder dialog" "フォルダ作成" "$(drive dialog 10)"
drive set-text 100 "Enix" >/dev/null
screenshot "$out/query-tree-new-folder.png"
drive press 1 >/dev/null
check_soon "the folder is made" "yes" bash -c "[ -d '$f/query/Enix' ] && echo yes || echo no"
check_soon "and shown" "3" drive tree-count

# Large icons: the setting is written at once and the tree is built again.
drive command 1176 >/dev/null
check_soon "large icons written" "IconSize=32" ini_value "$f/Quillmoor2.ini" IconSize
check "the tree keeps its rows" "3" "$(drive tree-count)"
shot query-tree-large-icons
check "closed" "closed" "$(drive close-main 30)"

launch "$(winpath "$f")" >/dev/null
check "restarted" "850x580 maximized=0" "$(drive find-main 60 painted)"
sleep 2
check "large icons kept after a restart" "IconSize=32" "$(ini_value "$f/Quillmoor2.ini" IconSize)"
drive command 1176 >/dev/null
check_soon "and turned off again" "IconSize=16" ini_value "$f/Quillmoor2.ini" IconSize
check "closed again" "closed" "$(drive close-main 30)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "query-tree: all checks passed"
