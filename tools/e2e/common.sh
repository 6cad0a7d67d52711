# Shared by the end-to-end scripts (sourced): folders, the driver, checks and
# screenshots. Each script starts a fresh Wine session in a scratch folder.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bin=$top/build/windows/bin
out=$top/build/e2e
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
failures=0
# A Wine session left from before would keep its old display: end it first.
WINEPREFIX=${QM_WINEPREFIX:-$top/build/wineprefix} wineserver -k 2>/dev/null

drive() { "$top/tools/wine-run.sh" "$bin/qm-driver.exe" "$@" 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8; }
# Started programs may inherit our output: take the process id through a file,
# never a pipe that they would keep open.
launch() {
  "$top/tools/wine-run.sh" "$bin/qm-driver.exe" launch "$@" >"$work/pid" 2>/dev/null </dev/null
  tr -d '\r' <"$work/pid"
}
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
# The program works on its own time: a saved dialog or an answered question
# shows in the database a moment later.
check_soon() {  # check_soon NAME EXPECTED COMMAND...
  local name=$1 expected=$2 actual
  shift 2
  for _ in $(seq 1 50); do
    actual=$("$@")
    [ "$actual" = "$expected" ] && break
    sleep 0.2
  done
  check "$name" "$expected" "$actual"
}
winpath() { echo "Z:${1//\//\\}"; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
# The titles of the X windows on the display, one per line.
window_titles() { xwininfo -root -tree | sed -n 's/^ *0x[0-9a-f]* "\(.*\)": .*/\1/p'; }
# Pixels of the screenshot FILE within a few steps of the colour.
pixels_of() {  # pixels_of FILE COLOUR
  /usr/bin/convert "$1" -fuzz 4% -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}
# The screen as a person sees it: the program's windows that the display
# leaves black in a root capture are pasted over it, bottom one first.
screenshot() {
  xwd -root -silent | /usr/bin/convert xwd:- "$1" 2>/dev/null
  local id info x y
  for id in $(xwininfo -root -children | grep '"quillmoor2.exe"' | awk '{print $1}' | tac); do
    info=$(xwininfo -id "$id")
    grep -q IsViewable <<<"$info" || continue
    x=$(awk -F: '/Absolute upper-left X/ {print $2 + 0}' <<<"$info")
    y=$(awk -F: '/Absolute upper-left Y/ {print $2 + 0}' <<<"$info")
    xwd -id "$id" -silent | /usr/bin/convert xwd:- "$work/window.png" 2>/dev/null
    /usr/bin/convert "$1" "$work/window.png" -geometry "+$x+$y" -composite "$1" 2>/dev/null
  done
}
shot() {  # shot NAME: build/e2e/NAME.png, once the last change has been drawn
  sleep 1
  screenshot "$out/$1.png"
}
# The active dialog's caption once it is EXPECTED ("none": no dialog), or the
# last one seen: a press is posted, so its window comes a moment later.
dialog_soon() {  # dialog_soon EXPECTED
  local seen=
  for _ in $(seq 1 20); do
    seen=$(drive dialog 0.5)
    [ "$seen" = "$1" ] && break
    sleep 0.3
  done
  echo "$seen"
}
# The message box's "[caption] text" (its first line) after pressing BUTTON;
# the press is posted, so this waits for the box to go before the next step.
answer() {  # answer BUTTON
  drive answer-box "$1" 10 | head -n 1
  sleep 1
}

# A program folder in the scratch folder with the program and its database
# library, and the other files of the build that are named; echoes its path.
program_folder() {  # program_folder NAME [FILE...]
  local folder=$work/$1 file
  shift
  mkdir -p "$folder"
  cp "$bin/Quillmoor2.exe" "$bin/Quillmoor2_Lib.dll" "$folder/"
  for file in "$@"; do cp -r "$bin/$file" "$folder/"; done
  echo "$folder"
}
qm_cli() { "$top/build/native/bin/quillmoor-cli" "$@"; }
# Two saved queries in FOLDER's query tree: "best" at the root (rating 40 and
# up, best first) and "falcom" in the folder "Falcom".
saved_queries() {  # saved_queries FOLDER
  mkdir -p "$1/query/Falcom"
  printf '[query]\r\nsql=SELECT * FROM list_view WHERE rating>=40 ORDER BY rating DESC\r\n' >"$1/query/best.txt"
  printf '[query]\r\nsql=SELECT * FROM list_view WHERE maker='"'"'Falcom'"'"'\r\n' >"$1/query/Falcom/falcom.txt"
}
# A new library in FOLDER, as quillmoor-cli makes it.
new_library() { qm_cli create --db "$1/Quillmoor.db" >/dev/null; }
# sqlite3 on FOLDER's library; it waits while the program holds a lock.
library_sql() {  # library_sql FOLDER SQL...
  local folder=$1
  shift
  sqlite3 -cmd ".timeout 5000" "$folder/Quillmoor.db" "$@"
}
