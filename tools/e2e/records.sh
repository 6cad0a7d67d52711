#!/usr/bin/env bash
# End-to-end checks of record editing under Wine: a record changed through
# the record editor (a refused date first), a bulk maker change over three
# selected items, the adult toggle, and ratings clicked on the stars of the
# item list. Each change is read back from the library and from the list.
# Runs under a virtual display (make test-e2e starts it) and leaves
# screenshots in build/e2e/records-*.png.
source "$(dirname "$0")/common.sh"

db() { library_sql "$f" "$@"; }
rows() { db "$1" | paste -sd'|'; }
# The item list's row of an image, by its title's place in the list.
row_of() {  # row_of TITLE
  local row
  for row in 0 1 2; do
    [ "$(drive row-text "$row" 0)" = "$1" ] && echo "$row" && return
  done
  echo none
}
select_rows() {  # select_rows ROW...
  drive select-row 1001 none >/dev/null
  local row
  for row in "$@"; do drive select-row 1001 "$row" >/dev/null; done
}

f=$(program_folder records resource default_icon)
new_library "$f"
db "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, smart_title, maker, sale_year, rating)
    VALUES
    ('Z:\\roms\\a.nes','a','.nes','ファミコン','アルファ','アルファ','旧社','1986-07-00',0),
    ('Z:\\roms\\b.nes','b','.nes','ファミコン','ベータ','ベータ','旧社','0',10),
    ('Z:\\roms\\c.nes','c','.nes','ファミコン','ガンマ','ガンマ','別社','0',20);"
launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
check_soon "three items listed" "3" drive count-items

# The record editor on one item: first a date the rule refuses, then a good one.
select_rows "$(row_of アルファ)"
drive command 1124 >/dev/null
check "editor: caption" "レコード編集" "$(dialog_soon レコード編集)"
check "editor: title" "アルファ" "$(drive get-text 1305)"
check "editor: date shown short" "1986-07" "$(drive get-text 1315)"
check "editor: maker" "旧社" "$(drive get-text 1309)"
drive set-text 1305 "アルファ改" >/dev/null
drive set-text 1307 "あるふぁかい" >/dev/null
drive set-text 1308 "Ver.2" >/dev/null
drive set-text 1315 "1986-13" >/dev/null
drive set-text 1322 "作者A" >/dev/null
shot records-editor
drive press 1 >/dev/null
check "editor: date refused" "[] 発売日の指定に不備があります。" "$(answer ok)"
check "editor: still open" "レコード編集" "$(dialog_soon レコード編集)"
check "editor: nothing saved" "アルファ" "$(rows "SELECT title FROM main_table WHERE file_title='a';")"
drive set-text 1315 "1987-5" >/dev/null
# The memo on the second tab and a detail on the fourth.
drive set-text 1330 "メモです" >/dev/null
drive set-text 1360 "HVC-XX" >/dev/null
# The tabs as a click chooses them: the snapshot page, then the details.
drive click-at 1300 250 10 >/dev/null
shot records-editor-snapshots
drive click-at 1300 300 10 >/dev/null
check "editor: detail kept" "HVC-XX" "$(drive get-text 1360)"
shot records-editor-details
drive press 1 >/dev/null
check "editor: closed" "none" "$(dialog_soon none)"
check_soon "editor: main row" "アルファ改|あるふぁかい|Ver.2|1987-05-00" \
  rows "SELECT title||'|'||kana||'|'||version||'|'||sale_year FROM main_table WHERE file_title='a';"
check "editor: side rows" "作者A|メモです|HVC-XX" \
  "$(rows "SELECT (SELECT creator FROM creator_table)||'|'||(SELECT memo FROM memo_table)||'|'||(SELECT breed FROM spec_table);")"
check "editor: list shows the new title" "アルファ改" "$(drive row-text "$(drive focused-row)" 0)"

# A bulk maker change over the three items.
select_rows 0 1 2
check "bulk: three selected" "3" "$(drive selected-count)"
drive command 1126 >/dev/null
check "bulk: caption" "メーカー名の一括変更" "$(dialog_soon メーカー名の一括変更)"
drive set-text 1501 "新社" >/dev/null
shot records-bulk-maker
drive press 1 >/dev/null
check "bulk: closed" "none" "$(dialog_soon none)"
check_soon "bulk: makers" "新社|新社|新社" rows "SELECT maker FROM main_table ORDER BY file_name;"
check "bulk: list shows the maker" "新社|新社|新社" \
  "$(for row in 0 1 2; do drive row-text "$row" 1; done | paste -sd'|')"

# The adult toggle: the first selected is unmarked, so all become marked.
db "UPDATE main_table SET adult=1 WHERE file_title='c';"
select_rows "$(row_of ベータ)" "$(row_of ガンマ)"
drive command 1130 >/dev/null
check_soon "adult: all marked" "0|1|1" rows "SELECT adult FROM main_table ORDER BY file_name;"

# Ratings clicked on the stars: 70 pixels into the column gives five stars,
# its left edge none.
beta=$(row_of ベータ)
select_rows "$beta"
drive click-cell "$beta" 3 70 >/dev/null
check_soon "rating: five stars" "50" db "SELECT rating FROM main_table WHERE file_title='b';"
shot records-rating
drive click-cell "$beta" 3 0 >/dev/null
check_soon "rating: cleared" "0" db "SELECT rating FROM main_table WHERE file_title='b';"
drive click-cell "$beta" 3 30 >/dev/null
check_soon "rating: two stars" "20" db "SELECT rating FROM main_table WHERE file_title='b';"
shot records-rating-two

drive close-main 30 >/dev/null
echo "records: $failures failure(s)"
[ "$failures" -eq 0 ]
