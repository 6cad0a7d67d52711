#!/usr/bin/env bash
# End-to-end checks of the main menu of Quillmoor2.exe under Wine: the menu
# bar read back from the running program against the menu table, the states
# of the "編集" items for the selected row, and the small commands that change
# the library (favourites, boot reset, emulator choice), the backup, the
# version box, the general settings and the tool bar lock. Runs under a
# virtual display (make test-e2e starts it) and leaves screenshots in
# build/e2e/menus-*.png.
source "$(dirname "$0")/common.sh"

db() { library_sql "$f" "$@"; }
rows() { db "$1" | paste -sd' '; }
# The menu tree without states, each label cut at its tab: the shortcut part
# is rewritten from the key settings.
tree() { drive menu-dump | sed -e 's/\\t[^|]*|/|/' -e 's/|[^|]*$//'; }
# The state of one item: "LABEL|ID|STATE" as the menu shows it on opening.
state_of() { drive menu-dump opened | grep -m1 "|$1|" | sed 's/^ *//'; }

f=$(program_folder menus)
new_library "$f"
db "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, smart_title, boot_count, last_boot,
    play_time) VALUES
    ('Z:\\roms\\a.nes','a','.nes','ファミコン','A','A',4,'2024-07-05 09:03:07','01:00:00'),
    ('Z:\\roms\\b.nes','b','.nes','ファミコン','B','B',2,'2024-07-06 10:00:00','00:30:00'),
    ('Z:\\roms\\c.nes','c','.nes','ファミコン','C','C',9,'2024-07-07 11:00:00','02:00:00');
    INSERT INTO favorite_table VALUES ('Z:\\roms\\a.nes','15');
    INSERT INTO use_emuset_table VALUES ('Z:\\roms\\a.nes','Mesen');"
# Wine keeps menus inside the program: it writes its menu tree here when asked.
export QM_MENU_DUMP=$(winpath "$work/menu-dump.txt")
printf '[FavoriteMenuName]\r\n3=RPG名作\r\n' | iconv -f UTF-8 -t CP932 >"$f/Quillmoor2.ini"
launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
check_soon "three items listed" "3" drive count-items

expected_tree=$(cat <<'TREE'
ファイル|-
  インポート|-
    CSV(カンマ区切り)|1118
    XML|1119
  エクスポート|-
    CSV(カンマ区切り)|1120
    XML|1121
  バックアップ|-
    データベースファイルをバックアップ|1122
  終了|1123
編集|-
  レコード編集|1124
  -
  一括変更|-
    タイトル|1125
    メーカー|1126
    開発元|1127
    ジャンル|1128
    国名|1129
    R指定 設定/解除 (Adult)|1130
    拡張R指定|1131
    バージョン/コメント|1132
    発売年月日|1133
    クリエイター|1134
  お気に入りに登録・解除|-
    0|1135
    1|1136
    2|1137
    3: RPG名作|1138
    4|1139
    5|1140
    6|1141
    7|1142
    8|1143
    9|1144
  -
  複数イメージを解除|1145
  個別エミュレータ設定を解除|1146
  -
  イメージファイルのバックアップ|1147
  イメージファイルのフォルダを開く|1148
  分身の作成|1149
  -
  ライブラリ|-
    ライブラリから削除|1150
    起動情報リセット|1151
管理|-
  機種|1152
  メディア|1153
  ジャンル|1154
  拡張R指定|1155
エミュレータ|-
  デフォルトエミュで起動|1156
  エミュレータで起動|-
    エミュレータの設定がありません|0
  -
  エミュレータ設定|1157
  自動スナップショットの切替|1191
データベース|-
  イメージファイルの追加|1158
  -
  ライブラリのCRCを再計算|1159
  リネームデータを拝借してライブラリ更新|1160
  -
  ライブラリの整理|-
    不在イメージをライブラリから削除|1161
    「読み仮名」超適当生成|1162
    スマートタイトルの再構築|1163
    カラム値の置換|1164
    フォルダの同期|1193
  -
  プロパティ|1165
  DATファイルで照合…|1192
オプション|-
  全体設定|1166
  -
  ショートカットキーの設定|1167
  ジョイスティックの設定|1168
  -
  Web検索の設定|1169
  -
  ツールバー固定|1170
ヘルプ|-
  ヘルプ|1171
  バージョン|1172
TREE
)
# The favourite names are written into the labels when a menu opens.
drive menu-dump opened >/dev/null
check "menu bar: order, labels and identifiers" "$expected_tree" "$(tree)"
drive menu-dump opened >"$out/menus-dump.txt"

# Nothing selected: the item commands are greyed, the favourites are not.
drive select-row 1001 none >/dev/null
check "no selection: boot reset greyed" "起動情報リセット|1151|grayed" "$(state_of 1151)"
check "no selection: favourite 3 usable" "3: RPG名作|1138|enabled" "$(state_of 1138)"
check "no selection: folder greyed" "イメージファイルのフォルダを開く|1148|grayed" "$(state_of 1148)"

# Row 0 is «A» (title order): favourites 1 and 5, its own emulator.
drive select-row 1001 0 >/dev/null
check "A: favourite 1 checked" "1|1136|enabled,checked" "$(state_of 1136)"
check "A: favourite 3 unchecked" "3: RPG名作|1138|enabled" "$(state_of 1138)"
check "A: emulator choice can go" "個別エミュレータ設定を解除|1146|enabled" "$(state_of 1146)"
check "A: boot reset usable" "起動情報リセット|1151|enabled" "$(state_of 1151)"
check "A: not a set's parent" "複数イメージを解除|1145|grayed" "$(state_of 1145)"
drive select-row 1001 none >/dev/null
drive select-row 1001 1 >/dev/null
check "B: no emulator choice" "個別エミュレータ設定を解除|1146|grayed" "$(state_of 1146)"

# Favourite 3 on «A» (15) and «B» (none): the first lacks it, both gain it.
drive select-row 1001 0 >/dev/null
drive command 1138 >/dev/null
check_soon "favourite 3 added to both" "Z:\\roms\\a.nes|153 Z:\\roms\\b.nes|3" \
  rows "SELECT pfile_fv, fave FROM favorite_table ORDER BY pfile_fv;"
# The list is filled again with the cursor on «A» alone; «A» now holds 3, so
# the same command removes it, and the row of «A» keeps 15.
check_soon "A: favourite 3 checked" "3: RPG名作|1138|enabled,checked" state_of 1138
drive command 1138 >/dev/null
check_soon "favourite 3 removed from A" "Z:\\roms\\a.nes|15 Z:\\roms\\b.nes|3" \
  rows "SELECT pfile_fv, fave FROM favorite_table ORDER BY pfile_fv;"
drive select-row 1001 none >/dev/null
drive select-row 1001 1 >/dev/null
drive command 1138 >/dev/null
check_soon "the last digit goes with its row" "Z:\\roms\\a.nes|15" db "SELECT pfile_fv || '|' || fave FROM favorite_table;"

# Boot reset of «B» and «C»; «A» keeps its figures.
drive select-row 1001 none >/dev/null
drive select-row 1001 1 >/dev/null
drive select-row 1001 2 >/dev/null
drive command 1151 >/dev/null
check_soon "boot reset of B and C" "A|4|2024-07-05 09:03:07|01:00:00 B|0|| C|0||" \
  rows "SELECT title, boot_count, last_boot, play_time FROM main_table ORDER BY title;"

# The emulator choice of «A» goes.
drive select-row 1001 none >/dev/null
drive select-row 1001 0 >/dev/null
drive command 1146 >/dev/null
check_soon "emulator choice removed" "0" db "SELECT COUNT(*) FROM use_emuset_table;"

# The folder of an image whose file is not there.
drive command 1148 >/dev/null
check "missing image file" "[] ファイルは見つかりませんでした。" "$(answer ok)"

# The database backup asks, copies and names the copy.
drive command 1122 >/dev/null
check "backup question" "[データベースのバックアップ] データベースファイル Quillmoor.db を、" \
  "$(answer ok)"
check "backup done" "[データベースのバックアップ] バックアップしました。" "$(answer ok)"
check "backup copy" "1" "$(ls "$f" | grep -c '^Quillmoor_[0-9-]*_[0-9-]*BUP_DBver8\.db$')"

# Help without its file says so.
drive command 1171 >/dev/null
check "help file missing" "[ヘルプ] ヘルプファイルが見つかりません。" "$(answer ok)"

# The version box.
drive command 1172 >/dev/null
shot menus-version
version=$(drive answer-box ok 10)
# The same text as the native build's, libraries of the same versions.
check "version box" "[バージョン] $(qm_cli version)" "$version"

# General settings: clearing the safe loading asks first; No keeps it, Yes clears it.
drive command 1166 >/dev/null
check "general settings dialog" "全体設定" "$(drive dialog 10)"
shot menus-general-settings
drive click 100 >/dev/null
check "safe loading warning" "[警告] DLLロード先はパスの通った全ディレクトリが対象になります。" \
  "$(answer no)"
drive click 100 >/dev/null
check "asked again" "[警告] DLLロード先はパスの通った全ディレクトリが対象になります。" \
  "$(answer yes)"
drive press 1 >/dev/null
check_soon "safe loading off in the file" "DLLSafeLoad=0" grep -a -o 'DLLSafeLoad=[0-9]*' "$f/Quillmoor2.ini"

# The tool bar lock is kept in the file and shown checked.
drive command 1170 >/dev/null
check_soon "tool bar locked" "ツールバー固定|1170|enabled,checked" state_of 1170
check "tool bar lock in the file" "Fix=1" "$(grep -a -o 'Fix=[0-9]*' "$f/Quillmoor2.ini")"

# The item list's context menu is the "編集" menu, with the states of the
# selected row; Escape closes it.
drive select-row 1001 none >/dev/null
drive select-row 1001 0 >/dev/null
drive context-menu 1001 >/dev/null
shot menus-item-list-popup
drive keys escape >/dev/null
sleep 0.5
check "program answers after the popup" "enabled" "$(state_of 1151 | cut -d'|' -f3)"
# The column header and the query view have popups of their own, greyed
# until the item list's sort reset and the saved queries are built.
drive context-menu 1001 5 >/dev/null
shot menus-header-popup
drive keys escape >/dev/null
drive context-menu 1000 >/dev/null
shot menus-query-popup
drive keys escape >/dev/null
sleep 0.5

drive close-main 20 >/dev/null
[ "$failures" -eq 0 ] && echo "menus: all passed" || echo "menus: $failures failed"
exit $((failures > 0))
