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
