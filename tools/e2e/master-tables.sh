#!/usr/bin/env bash
# End-to-end checks of the master table dialogs of Quillmoor2.exe under Wine:
# each dialog is opened through its menu command and driven by control
# identifier (app/masters/master_dialogs_win.h), and the database is read back
# with sqlite3. Runs under a virtual display (make test-e2e starts it) and
# leaves screenshots in build/e2e/master-*.png.
source "$(dirname "$0")/common.sh"

db() { library_sql "$f" "$@"; }
# Order numbers that are not 1, 2, 3, ... in name order (0 when all are).
misnumbered() {
  db "SELECT COUNT(*) FROM (SELECT $1_num AS n, ROW_NUMBER() OVER (ORDER BY $1) AS r FROM $1_info_table) WHERE n<>r;"
}
# Management dialog identifiers: tab 100, list 101, add 102, edit 103,
# delete 104, renumber 105, close 2. Property dialog: name 200, icon 201,
# search extensions 205, default media 206, own snapshot display 220,
# portrait rule 223, threshold 224, mode lists 225 and 226, OK 1, cancel 2.
f=$(program_folder masters)
mkdir -p "$f/icons"
/usr/bin/convert -size 32x32 xc:'#2a7fd4' -fill yellow -draw "circle 16,16 16,5" BMP3:"$f/icons/aaa.bmp"
launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"

# Adding «AAA» renumbers all 21 machines by name; «AAA» comes first.
drive command 1152 >/dev/null
check "machines: dialog" "機種管理" "$(drive dialog 10)"
drive press 102 >/dev/null
drive set-text 200 AAA >/dev/null
drive set-text 201 "$(winpath "$f/icons/aaa.bmp")" >/dev/null
drive set-text 205 ".AAA;.AAB" >/dev/null
shot master-machine-add
drive press 1 >/dev/null
check_soon "machines: AAA added first" "1|.AAA;.AAB" db "SELECT machine_num, search_ext FROM machine_info_table WHERE machine='AAA';"
check "machines: 21 in name order" "21 0" "$(db "SELECT COUNT(*) FROM machine_info_table;") $(misnumbered machine)"
screenshot "$out/master-machines.png"

# A second «AAA» is refused with the duplicate message; the dialog stays open.
drive press 102 >/dev/null
drive set-text 200 AAA >/dev/null
drive press 1 >/dev/null
check "machines: duplicate refused" "[] 指定された機種名は既に作成されています。" "$(drive answer-box ok 10 | head -n 1)"
check "machines: dialog still open" "AAA" "$(drive get-text 200)"
drive press 2 >/dev/null

# Renaming «AAA» to «AAB» with a new default media and snapshot display: its
# images follow the name (trigger) and, when agreed, the media; its emulator
# settings move along.
db "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES
    ('Z:\\roms\\a1.aaa','a1','.aaa','AAA','A1'), ('Z:\\roms\\a2.aaa','a2','.aaa','AAA','A2'),
    ('Z:\\roms\\a3.aaa','a3','.aaa','AAA','A3');"
mkdir -p "$f/emuconf/AAA" && echo "[x]" >"$f/emuconf/AAA.ini"
drive select-row 101 0 >/dev/null
drive press 103 >/dev/null
check "edit: loaded" "AAA" "$(drive get-text 200)"
drive set-text 200 AAB >/dev/null
drive select-combo 206 1 >/dev/null
drive click 220 >/dev/null
drive click 223 >/dev/null
drive set-text 224 120 >/dev/null
drive select-combo 225 3 >/dev/null
drive select-combo 226 1 >/dev/null
shot master-machine-edit
drive press 1 >/dev/null
check "edit: media question" "[] ライブラリ中の「AAB」のメディア情報も" "$(drive answer-box yes 10 | head -n 1)"
check_soon "edit: images follow" "AAB|3.5インチ フロッピー|3" \
  db "SELECT machine_name, media_name, COUNT(*) FROM main_table GROUP BY machine_name, media_name;"
check_soon "edit: renamed, numbered, saved" "AAB|1|3.5インチ フロッピー|F120153" \
  db "SELECT machine, machine_num, default_media, snap_dtm FROM machine_info_table WHERE machine LIKE 'AA%';"
check_soon "edit: emulator settings moved" "AAB AAB.ini" bash -c "cd '$f/emuconf' && echo *"
check "edit: still in name order" "0" "$(misnumbered machine)"

# Renumbering puts back order numbers changed behind the program's back.
db "UPDATE machine_info_table SET machine_num=0;"
drive press 105 >/dev/null
check_soon "renumber" "0" misnumbered machine

# Closing after a change fills the item list again.
drive press 2 >/dev/null
check_soon "item list refreshed" "3" drive count-items

# Genres: "指定なし" is refused; deleting asks and renumbers.
drive command 1154 >/dev/null
check "genres: dialog" "ジャンル管理" "$(drive dialog 10)"
drive press 102 >/dev/null
drive set-text 200 "指定なし" >/dev/null
shot master-genre-add
drive press 1 >/dev/null
check "genres: 指定なし refused" "[] そのジャンル名は使用できません。" "$(drive answer-box ok 10)"
drive press 2 >/dev/null
first=$(db "SELECT genre FROM genre_info_table ORDER BY genre LIMIT 1;")
drive select-row 101 0 >/dev/null
drive press 104 >/dev/null
check "genres: delete asks" "[削除確認] 「$first」を削除します。" "$(drive answer-box yes 10 | head -n 1)"
check_soon "genres: deleted" "14" db "SELECT COUNT(*) FROM genre_info_table;"
check_soon "genres: renumbered" "0" misnumbered genre
screenshot "$out/master-genres.png"
drive press 2 >/dev/null

check "closed" "closed" "$(drive close-main 20)"
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "master-tables: $failures check(s) failed"; exit 1; fi
echo "master-tables: every check passed (screenshots: build/e2e/master-*.png)"
