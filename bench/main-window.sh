#!/usr/bin/env bash
# The main window's speed on a generated library of 100,000 items: the real
# Quillmoor2.exe under Wine on a virtual display, driven by qm-driver.exe.
#
#   first fill   database ready to the list's first paint (the program writes
#                it itself when QM_TIMINGS names a file)
#   re-sort      a header click sent to the list's header: the sort runs
#                before the send returns; the time includes the list's repaint
#   group click  LBN_SELCHANGE for one maker of the group pane, and for
#                "<全て>" (every item), timed the same way
#   memory       working set of the program at the end, and its peak
#
# Several sessions (QM_BENCH_RUNS, 3) in fresh program folders; the figures are
# the best, the median and the worst of every sample, judged on the median.
# Other programs share the machine: read the spread before the best.
# Needs the native and Windows builds (make bench-window builds them).
# bench_list_fill (make bench) times the same statements natively, for profiling.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=$top/build/bench-window
runs=${QM_BENCH_RUNS:-3}
items=100000
needs=(Quillmoor2.exe Quillmoor2_Lib.dll qm-driver.exe)
source "$top/bench/wine-bench.sh"
sample() { [[ $2 =~ ^[0-9.]+$ ]] && echo "$1 $2" >>"$samples"; }

session() {
  local folder=$out/session
  rm -rf "$folder" && mkdir -p "$folder"
  cp "$bin/Quillmoor2.exe" "$bin/Quillmoor2_Lib.dll" "$library" "$folder/"
  cp -r "$bin/resource" "$folder/"
  WINEPREFIX=$QM_WINEPREFIX wineserver -k 2>/dev/null
  # The program is given no standard handles and its id goes through a file:
  # it must not hold a pipe of ours open.
  QM_TIMINGS=$(winpath "$folder/timings.txt") "$top/tools/wine-run.sh" "$bin/qm-driver.exe" launch \
    "$(winpath "$folder")" >"$folder/pid" 2>/dev/null </dev/null
  local waited=0
  until grep -q ready_to_first_fill_ms "$folder/timings.txt" 2>/dev/null; do
    sleep 0.5
    waited=$((waited + 1))
    if [ $waited -gt 600 ]; then echo "session $1: no first fill within 300 s"; return 1; fi
  done
  local fill
  fill=$(tr -d '\r' <"$folder/timings.txt" | sed -n 's/^ready_to_first_fill_ms=//p')
  sample fill "$fill"
  [ "$(drive count-items)" = "$items" ] || echo "session $1: the list does not show $items items"
  local line="session $1: first fill $fill ms; re-sort"
  # Title twice (descending, ascending), maker, machine/genre, rating, title.
  for column in 0 0 1 2 3 0; do
    local ms
    ms=$(drive time-header $column)
    sample sort "$ms"
    line+=" $ms"
  done
  line+=" ms; group"
  for index in 1 2 3 0; do
    local ms
    ms=$(drive time-group $index)
    sample "$([ $index = 0 ] && echo group-all || echo group)" "$ms"
    line+=" $ms"
    local shown
    shown=$(drive count-items)
    if [ $index != 0 ] && ! [ "$shown" -gt 0 -a "$shown" -lt $items ] 2>/dev/null; then
      echo "session $1: group item $index shows $shown items, not one maker's"
    fi
  done
  local memory
  memory=$(drive memory)
  sample memory "$(echo "$memory" | sed -n 's/.*working_set_kb=\([0-9]*\) .*/\1/p' | awk '{printf "%.1f", $1 / 1024}')"
  sample peak "$(echo "$memory" | sed -n 's/.*peak_working_set_kb=\([0-9]*\).*/\1/p' | awk '{printf "%.1f", $1 / 1024}')"
  echo "$line ms; $memory"
  drive close-main 60 >/dev/null
  WINEPREFIX=$QM_WINEPREFIX wineserver -k 2>/dev/null
}

echo "main window, $items items, $runs sessions under Wine"
for run in $(seq "$runs"); do session "$run"; done

missed=0
report() {  # report KEY LABEL TARGET UNIT
  local values
  values=$(awk -v k="$1" '$1 == k {print $2}' "$samples" | sort -n)
  if [ -z "$values" ]; then
    printf '%-30s no figures  MISSED\n' "$2"
    missed=$((missed + 1))
    return
  fi
  local n best median worst verdict=ok
  n=$(echo "$values" | wc -l)
  best=$(echo "$values" | head -n1)
  worst=$(echo "$values" | tail -n1)
  median=$(echo "$values" | sed -n "$(((n + 1) / 2))p")
  if ! awk -v m="$median" -v t="$3" 'BEGIN { exit !(m < t) }'; then verdict=MISSED; missed=$((missed + 1)); fi
  printf '%-30s median %8s %s  best %8s  worst %8s  (%2d samples)  target < %s %s  %s\n' \
    "$2" "$median" "$4" "$best" "$worst" "$n" "$3" "$4" "$verdict"
}
echo
report fill "first fill" 1000 ms
report sort "re-sort (header click)" 300 ms
report group "group click, one maker" 300 ms
report group-all "group click, every item" 300 ms
report memory "working set at the end" 250 MB
report peak "peak working set" 250 MB
[ $missed -eq 0 ]
