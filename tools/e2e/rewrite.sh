#!/usr/bin/env bash
# End-to-end checks of the settings rewriting in Quillmoor2.exe under Wine:
# a launch through the stand-in emulator rewrites a real INI file (through an
# include) and HKCU values of every kind while it runs, and afterwards the
# file is byte for byte what it was and the backups are gone; the settings
# dialog's test reports each line; quillmoor-cli.exe rewrite-test lists what
# would change. Leaves screenshots in build/e2e/rewrite-*.png.
source "$(dirname "$0")/common.sh"

wine_run() { "$top/tools/wine-run.sh" "$@" 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }
key='HKCU\Software\QuillmoorRewriteCheck'
# One value of the check key: "TYPE DATA", or nothing when it is absent.
reg_value() { wine_run reg query "$key" /v "$1" | awk -v n="$1" '$1 == n {print $2, $3}'; }
# Wine's "reg query" shows no QWORD data: the exported form ("hex(b):01,00,...").
reg_exported() {
  wine_run reg export "$key" "$(winpath "$work/key.reg")" /y >/dev/null
  iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r' | awk -F= -v n="\"$1\"" '$1 == n {print $2}'
}
reg_names() { wine_run reg query "$key" | awk '/REG_/ {print $1}' | sort | tr '\n' ' '; }

f=$(program_folder rewrite)
mkdir -p "$f/emu" "$f/roms" "$f/emuconf/MSX"
cp "$bin/qm-stand-in-emu.exe" "$f/emu/"
log=$f/emu/qm-stand-in-emu.exe.log
echo solo >"$f/roms/solo.rom"
new_library "$f"
solo=$(winpath "$f/roms/solo.rom")
library_sql "$f" "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, smart_title, ply)
  VALUES ('$solo', 'solo', 'rom', 'MSX', 'Solo Run', 'Solo Run', 0);
  INSERT INTO machine_info_table(machine) VALUES ('MSX');"
ini "[DefaultEmulator]" "INIFile=Rew.ini" >"$f/emuconf/MSX.ini"
ini "[Emulator]" 'Exec=emu\qm-stand-in-emu.exe' 'Option=-seconds 120 $image' "[ConfigRewrite]" "BackupAndRestore=1" \
  >"$f/emuconf/MSX/Rew.ini"
ini 'INC:screen' 'REG-OPENKEY=HKEY_CURRENT_USER\Software\QuillmoorRewriteCheck' \
  'REG-SETVALUENAME=Speed' 'REG-REWRITE=9' 'reg-setvaluename=Big' 'reg-rewrite=9007199254740993' \
  'REG-SETVALUENAME=Name' 'REG-REWRITE=$title' 'REG-SETVALUENAME=Blob' 'REG-REWRITE=01 ff 7A' \
  'REG-SETVALUENAME=List' 'REG-REWRITE=|a|b' 'REG-SETVALUENAME=Missing' 'REG-REWRITE=1' >"$f/emuconf/MSX/Rew.rew"
ini 'INI-OPENFILE=$emu_pathemu.ini' 'INI-SETSECTION=Video' 'INI-SETKEY=mode' 'INI-REWRITE=$title' \
  'INI-SETKEY=absent' 'INI-REWRITE=1' >"$f/emuconf/MSX/screen.inc"
# Blank lines and blanks around "=": a profile write would drop them, so only
# the backup gives these bytes back.
printf '; stand-in\r\n[Video]\r\nmode = 1\r\n\r\nsize=2\r\n[Other]\r\nx=3\r\n' >"$f/emu/emu.ini"
cp "$f/emu/emu.ini" "$work/emu.ini.orig"
backup=$f/emu/emu.ini.quillmoor_bak

wine_run reg delete "$key" /f >/dev/null
wine_run reg add "$key" /v Speed /t REG_DWORD /d 4 /f >/dev/null
wine_run reg add "$key" /v Big /t REG_QWORD /d 1 /f >/dev/null
wine_run reg add "$key" /v Name /t REG_SZ /d old /f >/dev/null
wine_run reg add "$key" /v Blob /t REG_BINARY /d 00 /f >/dev/null
wine_run reg add "$key" /v List /t REG_MULTI_SZ /d x /f >/dev/null
names_before=$(reg_names)
check "check key made" "Big Blob List Name Speed " "$names_before"

# The command-line test lists the changes and the lines it skips.
listing=$(cd "$f" && wine_run "$bin/quillmoor-cli.exe" rewrite-test --db "$(winpath "$f/Quillmoor.db")" --setting Rew "$solo")
check "cli: INI change" "ini	$(winpath "$f/emu")\\emu.ini	[Video]mode	1	Solo Run" "$(sed -n 1p <<<"$listing")"
check "cli: missing INI key skipped" "skip	ini-ReWrite	ERROR: \"[Video]:absent\"" "$(sed -n 2p <<<"$listing" | cut -d' ' -f1-2)"
check "cli: DWORD" "reg	HKEY_CURRENT_USER\\Software\\QuillmoorRewriteCheck	Speed	REG_DWORD	4	9" "$(sed -n 3p <<<"$listing")"
check "cli: QWORD keeps 64 bits" "Big	REG_QWORD	1	9007199254740993" "$(sed -n 4p <<<"$listing" | cut -f3-)"
check "cli: string list" "List	REG_MULTI_SZ	|x	|a|b" "$(sed -n 7p <<<"$listing" | cut -f3-)"
check "cli: missing value skipped" "skip	reg-ReWrite	ERROR ValueName: Missing" "$(sed -n 8p <<<"$listing" | cut -d' ' -f1-3)"
check "cli changed nothing" "0" "$(cmp -s "$f/emu/emu.ini" "$work/emu.ini.orig"; echo $?)"
check "cli left no values" "$names_before" "$(reg_names)"

cd "$work"
launch "$(winpath "$f")" >/dev/null
drive find-main 60 painted >/dev/null
check_soon "one item listed" "1" drive count-items
drive select-row 1001 0 >/dev/null
drive keys return >/dev/null
wait_for 30 grep -qs "^start" "$log"
check "INI rewritten while it runs" "mode=Solo Run" "$(grep '^mode' "$f/emu/emu.ini" | tr -d '\r')"
check "INI backup while it runs" "0" "$(cmp -s "$backup" "$work/emu.ini.orig"; echo $?)"
check "DWORD while it runs" "REG_DWORD 0x9" "$(reg_value Speed)"
check "QWORD while it runs" "hex(b):01,00,00,00,00,00,20,00" "$(reg_exported Big)"
check "string while it runs" "REG_SZ Solo" "$(reg_value Name)"
check "binary while it runs" "REG_BINARY 01FF7A" "$(reg_value Blob)"
check "backup values while it runs" "REG_DWORD 0x4" "$(reg_value Speed_quillmoor_bup_40643814bup)"
check "missing value not created" "" "$(reg_value Missing)"
# The emulator runs until told to stop, so a slow machine still sees it running.
touch "$f/emu/qm-stand-in-emu.exe.stop"
wait_for 30 grep -qs "^end" "$log"
check_soon "INI byte-identical afterwards" "0" sh -c "cmp -s '$f/emu/emu.ini' '$work/emu.ini.orig'; echo \$?"
check_soon "INI backup removed" "0" sh -c "ls '$f/emu' | grep -c quillmoor_bak"
check_soon "backup values removed" "$names_before" reg_names
check "DWORD back" "REG_DWORD 0x4" "$(reg_value Speed)"
check "QWORD back" "hex(b):01,00,00,00,00,00,00,00" "$(reg_exported Big)"
check "string back" "REG_SZ old" "$(reg_value Name)"
check "binary back" "REG_BINARY 00" "$(reg_value Blob)"
sleep 2

# The settings dialog's test: a message for each line, No stops.
drive select-row 1001 0 >/dev/null
drive command 1157 >/dev/null
check "settings dialog" "エミュレータ設定" "$(drive dialog 20)"
drive click-at 1308 110 12 >/dev/null
sleep 0.5
screenshot "$out/rewrite-settings.png"
drive press 1364 >/dev/null
sleep 1
screenshot "$out/rewrite-test.png"
check "test: INI line" "[ini-ReWrite] SUCCESS: \"[Video]:mode\" = \$title" "$(answer ok)"
check "test: missing key" "[ini-ReWrite] ERROR: \"[Video]:absent\"" "$(answer yes)"
check "test: DWORD line" "[reg-ReWrite] SUCCESS: Speed = 9" "$(answer ok)"
check "test: QWORD line" "[reg-ReWrite] SUCCESS: Big = 9007199254740993" "$(answer ok)"
answer ok >/dev/null
answer ok >/dev/null
answer ok >/dev/null
check "test: missing value, No stops" "[reg-ReWrite] ERROR ValueName: Missing" "$(answer no)"
check "test: no further box" "none" "$(drive answer-box ok 2 | head -n 1)"
check "test left the values alone" "$names_before" "$(reg_names)"
check "test left the INI alone" "0" "$(cmp -s "$f/emu/emu.ini" "$work/emu.ini.orig"; echo $?)"
drive close-dialog 10 >/dev/null

drive close-main 20 >/dev/null
wine_run reg delete "$key" /f >/dev/null
echo "rewrite: $failures failure(s)"
[ "$failures" -eq 0 ]
