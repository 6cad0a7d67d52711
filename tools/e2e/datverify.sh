#!/usr/bin/env bash
# End-to-end checks of DAT files under Wine: dialog 1192 verifying a machine's
# images against a zipped DAT (counts and lines), then dialog 1160 filling the
# records from the same DAT through datfile.nya. Leaves screenshots in
# build/e2e/datverify-*.png.
source "$(dirname "$0")/common.sh"

query() { library_sql "$folder" "$1"; }
# A control's text once it is not empty (a run ends on the worker).
text_soon() {  # text_soon ID
  local seen=
  for _ in $(seq 1 100); do
    seen=$(drive get-text "$1")
    [ -n "$seen" ] && break
    sleep 0.2
  done
  echo "$seen"
}

folder=$(program_folder program)
roms=$folder/roms
mkdir -p "$roms" "$folder/plugin"
new_library "$folder"
query "INSERT OR IGNORE INTO machine_info_table(machine) VALUES('MSX');"
# The lists name the machines by name; the verification's starts with every machine.
msx=$(query "SELECT COUNT(*) FROM machine_info_table WHERE machine < 'MSX';")
# "123456789" has the CRC-32 CBF43926.
printf 123456789 >"$roms/a.rom"
printf 'hack' >"$roms/b.rom"
for name in a b; do
  crc=$([ $name = a ] && echo CBF43926 || echo 0000000B)
  query "INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,smart_title,crc32)
         VALUES('$(winpath "$roms/$name.rom")','$name','rom','MSX','old $name','OLD$name','$crc');"
done
cat >"$work/No-Intro.dat" <<'DAT'
<?xml version="1.0" encoding="UTF-8"?>
<datafile>
	<header><name>Test - MSX</name></header>
	<game name="Alpha (Japan) (Rev 1)">
		<description>アルファ</description>
		<year>1985</year>
		<rom name="Alpha (Japan) (Rev 1).rom" size="9" crc="cbf43926"/>
	</game>
	<game name="Beta (Japan)"><rom name="Beta (Japan).rom" size="1" crc="00000001"/></game>
</datafile>
DAT
(cd "$work" && zip -q "$work/dat.zip" No-Intro.dat)
cp "$bin/plugin/datfile.nya" "$folder/plugin/"

launch "$(winpath "$folder")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
drive command 1192 >/dev/null
check "caption" "DATファイルで照合" "$(dialog_soon DATファイルで照合)"
check "every machine first" "全ての機種" "$(drive get-text 1001)"
check "save greyed" "disabled" "$(drive wait-enabled 1009 1)"
drive select-combo 1001 $((msx + 1)) >/dev/null
check "machine" "MSX" "$(drive get-text 1001)"
drive set-text 1002 "$(winpath "$work/dat.zip")" >/dev/null
drive press 1004 >/dev/null
check "counts" "verified 0, renamed 1, unknown 1, nocrc 0, missing 1" "$(text_soon 1007)"
check "notice" "DAT「Test - MSX」：2 ゲーム、2 ROM" "$(drive get-text 1006)"
check "lines" "renamed	$(winpath "$roms/a.rom")	Alpha (Japan) (Rev 1)|unknown	$(winpath "$roms/b.rom")	|missing	Beta (Japan)|verified 0, renamed 1, unknown 1, nocrc 0, missing 1" \
  "$(drive list-lines 1008 | paste -sd '|')"
check "save offered" "enabled" "$(drive wait-enabled 1009 1)"
check "nothing written" "old a,old b" "$(query "SELECT title FROM main_table ORDER BY file_title;" | paste -sd ',')"
shot datverify-report
drive press 1010 >/dev/null
dialog_soon none >/dev/null

# The same DAT as rename data through datfile.nya.
drive command 1160 >/dev/null
dialog_soon リネームデータを拝借してライブラリ更新 >/dev/null
check "plug-in listed" "datfile.nya" "$(drive get-text 1004)"
drive select-combo 1001 "$msx" >/dev/null
drive set-text 1002 "$(winpath "$work/dat.zip")" >/dev/null
drive press 1011 >/dev/null
for _ in $(seq 1 100); do
  case $(drive get-text 1008) in 処理を終了しました*) break ;; esac
  sleep 0.2
done
check "run: ends" "処理を終了しました ( 2 件中 1 件のキーが該当し更新されました )" "$(drive get-text 1008)"
check "run: rows" "アルファ|Japan|Rev 1|1985-00-00,old b|||0" \
  "$(query "SELECT title, country, version, sale_year FROM main_table ORDER BY file_title;" | paste -sd ',')"
shot datverify-renamedata
drive press 1013 >/dev/null
dialog_soon none >/dev/null

drive close-main 20 >/dev/null
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null
if [ $failures -gt 0 ]; then echo "datverify: $failures check(s) failed"; exit 1; fi
echo "datverify: every check passed (screenshots: build/e2e/datverify-*.png)"
