#!/usr/bin/env bash
# End-to-end checks of the shortcut keys and the web search sites of
# Quillmoor2.exe under Wine: labels written from Quillmoor2_Key.ini into the
# menu bar, keys typed as real input and posted to the focused control, the
# assignment dialog, the information view's site menu, the URL handed to the
# shell (Wine's browser launcher runs a script that records it) and the site
# settings dialog. Runs under a virtual display (make test-e2e starts it) and
# leaves screenshots in build/e2e/keys-*.png and web-*.png.
source "$(dirname "$0")/common.sh"

opened() { cat "$work/opened.txt" 2>/dev/null; }
sjis_file() { iconv -f UTF-8 -t CP932 >"$1"; }
ini_value() { tr -d '\r' <"$1" | iconv -f CP932 -t UTF-8 | grep -a "^$2=" | head -n 1; }
# The label of command ID in the menu bar, as the program writes its menu tree.
menu_label() { drive menu-dump | grep -a "|$1|" | sed 's/^ *//; s/|.*//'; }

f=$(program_folder keys)
export QM_MENU_DUMP
QM_MENU_DUMP=$(winpath "$work/menu.txt")
new_library "$f"
library_sql "$f" "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker) VALUES
  ('Z:\\roms\\a.d88','a','.d88','PC-8801','ドラゴン 1','Maker'), ('Z:\\roms\\b.d88','b','.d88','PC-8801','ドラゴン 2','M'),
  ('Z:\\roms\\c.d88','c','.d88','PC-8801','ドラゴン 3','M');
  UPDATE main_table SET smart_title=title;"
# EditRecord Shift+Ctrl+E, the emulator choice Shift+X, no key for the title, D for the developer; S selects all.
printf '[KeyConfig]\r\nEditRecord=1114181\r\nSelecEmu=1048664\r\nBulkChange_Title=0\r\nBulkChange_Publisher=68\r\nSelectAll=83\r\n' \
  >"$f/Quillmoor2_Key.ini"
printf '[SiteName]\r\n1=Google\r\n2=FTP\r\n[SiteURL]\r\n1=https://www.google.com/search?q=%%title&m=$maker\r\n2=ftp://x/%%title\r\n' \
  | sjis_file "$f/Quillmoor2_Web.ini"

# Wine's browser launcher tries the programs of this value in turn.
browser=$work/browser.sh
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened.txt" >"$browser"
chmod +x "$browser"
wine_reg() { WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} LANG=ja_JP.UTF-8 WINEDEBUG=-all wine reg "$@" >/dev/null 2>&1; }
wine_reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$browser" /f
# The prefix outlives the run: the value goes with the scratch folder.
trap 'wine_reg delete "HKCU\\Software\\Wine\\WineBrowser" /v Browsers /f; rm -rf "$work"' EXIT

launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60)"
sleep 3

# Labels follow the file; the rest keep the defaults.
check "label: Shift+Ctrl+E" 'レコード編集\tSHIFT+CTRL+E' "$(menu_label 1124)"
check "label: no key leaves a bare tab" 'タイトル\t' "$(menu_label 1125)"
check "label: D for the developer" '開発元\tD' "$(menu_label 1127)"
check "label: default M" 'メーカー\tM' "$(menu_label 1126)"
check "label: the emulator choice submenu" 'エミュレータで起動\tSHIFT+X' \
  "$(drive menu-dump | grep -a -o 'エミュレータで起動[^|]*')"

# Keys over the item list: S (posted, as the hook sees posted messages too)
# selects all and again clears; Ctrl+Tab walks list -> query view -> group
# pane -> list as real input.
check "focus starts in the item list" "SysListView32 1001" "$(drive focus)"
check "one item selected" "1" "$(drive selected-count)"
drive post-key s >/dev/null
check_soon "S selects all" "3" drive selected-count
drive keys s >/dev/null
check_soon "S again clears" "0" drive selected-count
drive keys ctrl+tab >/dev/null
check "Ctrl+Tab: query view" "SysTreeView32 1000" "$(drive focus)"
drive keys ctrl+tab >/dev/null
check "Ctrl+Tab: group pane" "ListBox 1003" "$(drive focus)"
drive keys ctrl+tab >/dev/null
check "Ctrl+Tab: item list" "SysListView32 1001" "$(drive focus)"
drive keys s >/dev/null
check_soon "S in the item list again" "3" drive selected-count
# The wheel focuses the pane it turns over.
drive wheel 1003 >/dev/null
check "wheel over the group pane focuses it" "ListBox 1003" "$(drive focus)"
drive wheel 1001 >/dev/null
check "wheel over the item list focuses it" "SysListView32 1001" "$(drive focus)"

# The information view's menu lists the sites as 1500 + n.
check "site menu shows" "shown" "$(drive popup 1002)"
shot web-menu
drive keys s >/dev/null
check "S is the open menu's, not a shortcut" "3" "$(drive selected-count)"
drive keys escape >/dev/null
drive select-row 1001 none >/dev/null
drive select-row 1001 0 >/dev/null
drive command 1501 >/dev/null
check_soon "site 1 opened through the shell" \
  "https://www.google.com/search?q=%E3%83%89%E3%83%A9%E3%82%B4%E3%83%B3%201&m=Maker" \
  opened
drive command 1502 >/dev/null
check "ftp refused" "[エラー] http(s):以外は未対応です。" "$(drive answer-box ok 10 | head -n 1)"
check "nothing more opened" "1" "$(opened | wc -l)"

# The site dialog: add, delete (renumbered), and keys typed into its name
# field stay text while it is open.
drive command 1169 >/dev/null
check "web dialog" "Web検索の設定" "$(drive dialog 10)"
drive set-text 301 "Bing" >/dev/null
drive set-text 302 'https://www.bing.com/search?q=%title' >/dev/null
drive press 303 >/dev/null
check_soon "added as site 3" "3=Bing" ini_value "$f/Quillmoor2_Web.ini" 3
check "name field cleared" "" "$(drive get-text 301)"
drive keys s >/dev/null
check "S typed into the name field" "s" "$(drive get-text 301)"
check "the item list kept its selection" "1" "$(drive selected-count)"
drive set-text 301 "" >/dev/null
drive click-at 300 20 24 >/dev/null
check "selected site 2 in the fields" "FTP" "$(drive get-text 301)"
shot web-dialog
drive press 305 >/dev/null
check "delete question" "[] 選択した登録を削除しますか？" "$(drive answer-box yes 10 | head -n 1)"
check_soon "site 3 renumbered as 2" "2=Bing" ini_value "$f/Quillmoor2_Web.ini" 2
check "no site 3 left" "" "$(ini_value "$f/Quillmoor2_Web.ini" 3)"
drive set-text 301 "Bad" >/dev/null
drive set-text 302 "www.example.com" >/dev/null
drive press 303 >/dev/null
check "non-web URL refused" "[] http: または https: で始まるURLを指定して下さい" "$(drive answer-box ok 10 | head -n 1)"
drive close-dialog 10 >/dev/null
check "site menu shows again" "shown" "$(drive popup 1002)"
shot web-menu-after
drive keys escape >/dev/null

# The assignment dialog: developer set to Shift+P, written and relabelled.
drive command 1167 >/dev/null
check "keys dialog" "ショートカットキーの割り当て" "$(drive dialog 10)"
drive select-row 100 4 >/dev/null
drive select-combo 101 16 >/dev/null
drive click 102 >/dev/null
shot keys-dialog
drive press 1 >/dev/null
check_soon "written to the file" "BulkChange_Publisher=1048656" ini_value "$f/Quillmoor2_Key.ini" BulkChange_Publisher
check "relabelled" '開発元\tSHIFT+P' "$(menu_label 1127)"
check "all 21 keys written" "21" "$(grep -c '=' "$f/Quillmoor2_Key.ini")"

check "closed" "closed" "$(drive close-main 20)"
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "keys-web: $failures check(s) failed"; exit 1; fi
echo "keys-web: every check passed (screenshots: build/e2e/keys-*.png, web-*.png)"
