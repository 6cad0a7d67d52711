#!/usr/bin/env bash
# Makes a demo program folder from the Windows build, as `make run` starts it:
#
#   tools/make-demo.sh FOLDER
#
# FOLDER gets everything a user's program folder holds (tools/make-dist.sh
# lays it out), and, the first time, a library of a few hundred made-up
# titles. The items of one machine are small text files in FOLDER/roms with a
# picture each in FOLDER/snap, and that machine's emulator is the text editor
# every Windows has, so Enter on one of them opens it in Notepad. A library
# already there is kept, and so are the settings.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$top/build/windows/bin
demo=${1:?demo folder}
machine=FM77シリーズ
setting=メモ帳

mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
"$top/tools/make-dist.sh" --folder "$bin" "$demo"
cd "$demo"

# A library made before the demo had its text images names no file here:
# it is kept aside under another name and a new one is made.
if [ -f Quillmoor.db ] && [ ! -d roms ]; then
  mv Quillmoor.db "Quillmoor.db.$(date +%Y%m%d%H%M%S)"
fi
if [ ! -f Quillmoor.db ]; then
  # The database made by the Windows build itself.
  "$top/tools/wine-run.sh" "$bin/quillmoor-cli.exe" create --db Quillmoor.db.new >/dev/null
  python3 "$top/tools/gen-demo-library.py" Quillmoor.db.new --count 300 --root 'Z:\work\demo\roms' \
    --texts roms --snaps snap --text-machine "$machine" >/dev/null
  mv Quillmoor.db.new Quillmoor.db
fi

# The machine's default setting starts Notepad with the item's image.
ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }
if [ ! -f "emuconf/$machine.ini" ]; then
  mkdir -p "emuconf/$machine"
  ini "[Emulator]" 'Exec=C:\Windows\notepad.exe' 'Option="$image1"' >"emuconf/$machine/$setting.ini.new"
  mv "emuconf/$machine/$setting.ini.new" "emuconf/$machine/$setting.ini"
  ini "[DefaultEmulator]" "INIFile=$setting.ini" "KEYFile=$setting.txt" >"emuconf/$machine.ini.new"
  mv "emuconf/$machine.ini.new" "emuconf/$machine.ini"
fi
echo "make-demo: $demo ($(ls roms | wc -l) text images of $machine open in Notepad)"
