#!/usr/bin/env bash
# End-to-end check of the release archive (make dist) as a user meets it:
# unpacked into an empty folder and run in a Wine prefix that no other run has
# touched, the program creates its empty library, registers a folder through
# the image-add dialog, launches a stand-in emulator set up beside it, opens
# its help file in the HTML Help viewer and closes. Screenshots go to
# build/e2e/dist-*.png.
#
# A new Wine prefix takes most of a minute to make: every run works in a
# copy of the one that was never used, which is the same as a new one.
top=$(cd "$(dirname "$0")/../.." && pwd)
pristine=$("$(dirname "$0")/pristine-prefix.sh")
prefix=$top/build/wineprefix-dist
WINEPREFIX=$prefix wineserver -k 2>/dev/null
rm -rf "$prefix"
cp -a "$pristine" "$prefix"
export QM_WINEPREFIX=$prefix
source "$(dirname "$0")/common.sh"

wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }
db() { sqlite3 -cmd ".timeout 5000" "$f/Quillmoor.db" "$@"; }
# The titles of the X windows on the display, one per line.
window_titles() { xwininfo -root -tree | sed -n 's/^ *0x[0-9a-f]* "\(.*\)": .*/\1/p'; }

version=$(sed -n 's/^#define QM_VERSION_TEXT "\(.*\)"$/\1/p' "$top/build/windows/generated/common/version.h")
archive=$top/build/dist/Quillmoor2-$version.zip
[ -f "$archive" ] || { echo "FAIL no $archive (make dist)"; exit 1; }
user=$work/user
mkdir -p "$user"
python3 -m zipfile -e "$archive" "$user"
f=$user/Quillmoor2-$version

# What the archive holds: the program folder and nothing of a run or a test.
expected="Quillmoor2.chm Quillmoor2.exe Quillmoor2_GetCRC.dll Quillmoor2_Lib.dll default_icon dict licenses
migemo.dll plugin quillmoor-cli.exe readme.txt resource"
check "archive: one top folder" "Quillmoor2-$version" "$(ls "$user")"
check "archive: program folder" "$(echo $expected)" "$(cd "$f" && echo $(ls | LC_ALL=C sort))"
check "archive: licences" "C-Migemo.txt PCRE2.txt SKK-dictionary.txt SQLite.txt libarchive.txt liblzma.txt mingw-w64-runtime.txt zlib.txt" \
  "$(cd "$f/licenses" && echo $(ls | LC_ALL=C sort))"
check "archive: no library, settings or test programs" "" \
  "$(cd "$f" && find . -iname '*.db' -o -iname '*.ini' -o -iname 'qm-*' -o -iname 'test_*')"
check "read-me names the version" "1" "$(iconv -f CP932 -t UTF-8 "$f/readme.txt" | grep -c "^Quillmoor2 バージョン $version")"

# One version: the archive's name, each file's version resource, the version box.
file_version() { strings -el "$1" | grep -A1 -x FileVersion | tail -n 1; }
for file in Quillmoor2.exe Quillmoor2_Lib.dll Quillmoor2_GetCRC.dll quillmoor-cli.exe; do
  check "version resource: $file" "$version" "$(file_version "$f/$file")"
done
check "manifest asks for common controls 6" "1" \
  "$(strings "$f/Quillmoor2.exe" | grep -c 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"')"
check "version box" "$(printf 'Quillmoor2\t\tversion %s' "$version")" \
  "$("$top/tools/wine-run.sh" "$f/quillmoor-cli.exe" version 2>/dev/null | head -n 1 | tr -d '\r')"

# Images to register and a stand-in emulator where a user keeps them, outside
# the program folder; its settings as the emulator dialog writes them.
roms=$work/roms
emu=$work/emu
mkdir -p "$roms" "$emu" "$f/emuconf/FM77シリーズ"
printf 'first' >"$roms/alpha.d77"
printf 'second' >"$roms/beta.d77"
cp "$bin/qm-stand-in-emu.exe" "$emu/"
log=$emu/qm-stand-in-emu.exe.log
ini "[DefaultEmulator]" "INIFile=Stand.ini" >"$f/emuconf/FM77シリーズ.ini"
ini "[Emulator]" "Exec=$(winpath "$emu/qm-stand-in-emu.exe")" 'Option=-seconds 3 "$image"' >"$f/emuconf/FM77シリーズ/Stand.ini"

cd "$work"
launch "$(winpath "$f")" >/dev/null
check "main window" "850x580 maximized=0" "$(drive find-main 60 painted)"
check "empty library created" "0" "$(db "SELECT count(*) FROM main_table;")"
check "machines seeded" "20" "$(db "SELECT count(*) FROM machine_info_table;")"
shot dist-empty

# A folder registered through the add dialog.
drive command 1158 >/dev/null
check "add dialog" "イメージファイルの追加" "$(dialog_soon イメージファイルの追加)"
drive set-text 1201 "$(winpath "$roms")" >/dev/null
drive press 1232 >/dev/null
answer yes >/dev/null
dialog_soon イメージの検索と追加 >/dev/null
for _ in $(seq 1 100); do
  [ "$(drive get-text 1304)" = "終了" ] && break
  sleep 0.2
done
check "registration done" "2 件の格納・更新が完了しました。( 2 ファイル中 )" "$(drive get-text 1301)"
drive press 1304 >/dev/null
dialog_soon イメージファイルの追加 >/dev/null
drive close-dialog 10 >/dev/null
check_soon "two items listed" "2" drive count-items
crc=$(printf first | python3 -c 'import sys, zlib; print("%08X" % zlib.crc32(sys.stdin.buffer.read()))')
check "registered with the machine and CRC" "alpha|FM77シリーズ|$crc" \
  "$(db "SELECT file_title, machine_name, crc32 FROM main_table ORDER BY file_name LIMIT 1;")"

# Enter on the first item starts the stand-in with its image.
drive select-row 1001 0 >/dev/null
drive command 1156 >/dev/null
wait_for 30 test -f "$log" || echo "     no launch; the program says: $(drive answer-box ok 2)"
wait_for 30 grep -q "^start" "$log"
check "emulator got the image" "\"$(winpath "$emu/qm-stand-in-emu.exe")\" -seconds 3 \"$(winpath "$roms/alpha.d77")\"" \
  "$(grep -m1 '^cmd ' "$log" | cut -c5- | tr -d '\r')"
wait_for 30 grep -q "^end" "$log"
check_soon "launch counted" "1" db "SELECT boot_count FROM main_table WHERE file_title='alpha';"

# Help opens the help file in the viewer, its title from the file.
drive command 1171 >/dev/null
wait_for 60 sh -c "xwininfo -root -tree | grep -q 'Quillmoor2 ヘルプ'"
check "help viewer open" "1" "$(window_titles | grep -c '^Quillmoor2 ヘルプ$')"
shot dist-help

check "closed" "closed" "$(drive close-main 30)"
echo "dist: archive $(basename "$archive"), $(stat -c %s "$archive") bytes"
[ "$failures" -eq 0 ] || { echo "dist: $failures failed"; exit 1; }
echo "dist: all checks passed"
