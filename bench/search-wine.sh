#!/usr/bin/env bash
# Searches in the real Quillmoor2.exe under Wine on a generated library of
# 100,000 items: for every mode of the search bar, from Enter in its text box
# to the repainted item list (target: under 150 ms), driven by qm-driver.exe
# (time-search) on a virtual display. The program folder has migemo.dll and
# its dictionary, as a user's has, so romaji texts search through Migemo.
#
# Several sessions (QM_BENCH_RUNS, 3) in fresh program folders, each search
# twice (the first after another mode's); the figures are the best, the
# median and the worst of every sample of a mode, judged on the median.
# Other programs share the machine: read the spread before the best. The
# program's own figures of each search (list filled, group pane, repaint; the
# status bar shows the search itself) are kept in build/bench-search-wine/
# timings-N.txt, in the order of the searches.
# Needs the native and Windows builds (make bench-search-wine builds them).
# bench_search (make bench) times the same searches natively, for profiling.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=$top/build/bench-search-wine
runs=${QM_BENCH_RUNS:-3}
items=100000
target=150
needs=(Quillmoor2.exe Quillmoor2_Lib.dll qm-driver.exe migemo.dll)
source "$top/bench/wine-bench.sh"

session() {
  local folder=$out/session
  rm -rf "$folder" && mkdir -p "$folder"
  cp "$bin/Quillmoor2.exe" "$bin/Quillmoor2_Lib.dll" "$library" "$folder/"
  cp -r "$bin/resource" "$bin/dict" "$bin/migemo.dll" "$folder/"
  WINEPREFIX=$QM_WINEPREFIX wineserver -k 2>/dev/null
  QM_TIMINGS=$(winpath "$folder/timings.txt") "$top/tools/wine-run.sh" "$bin/qm-driver.exe" launch \
    "$(winpath "$folder")" >"$folder/pid" 2>/dev/null </dev/null
  if [ "$(drive find-main 300 painted | cut -c1-4)" = "none" ]; then
    echo "session $1: no main window"
    return 1
  fi
  local waited=0
  until [ "$(drive count-items)" = "$items" ]; do
    sleep 0.5
    waited=$((waited + 1))
    if [ $waited -gt 600 ]; then echo "session $1: the list never showed $items items"; return 1; fi
  done
  local entry mode label text ms line
  for entry in "${searches[@]}"; do
    IFS='|' read -r mode label text <<<"$entry"
    line="session $1: $label:"
    for _ in 1 2; do
      ms=$(drive time-search "$mode" "$text")
      [[ $ms =~ ^[0-9.]+$ ]] && echo "$label|$ms" >>"$samples"
      line+=" $ms"
    done
    echo "$line ms ($(drive count-items) items)"
  done
  tr -d '\r' <"$folder/timings.txt" >"$out/timings-$1.txt" 2>/dev/null
  drive close-main 60 >/dev/null
  WINEPREFIX=$QM_WINEPREFIX wineserver -k 2>/dev/null
}

echo "searches under Wine, $items items, $runs sessions"
for run in $(seq "$runs"); do session "$run"; done

missed=0
echo
for entry in "${searches[@]}"; do
  IFS='|' read -r mode label text <<<"$entry"
  values=$(awk -F'|' -v k="$label" '$1 == k {print $2}' "$samples" | sort -n)
  if [ -z "$values" ]; then
    printf 'mode %s %-18s no figures  MISSED\n' "$mode" "$label"
    missed=$((missed + 1))
    continue
  fi
  n=$(echo "$values" | wc -l)
  median=$(echo "$values" | sed -n "$(((n + 1) / 2))p")
  verdict=ok
  if ! awk -v m="$median" -v t="$target" 'BEGIN { exit !(m < t) }'; then verdict=MISSED; missed=$((missed + 1)); fi
  printf 'mode %s %-18s median %7s ms  best %7s  worst %7s  (%2d samples)  target < %s ms %s\n' "$mode" "$label" \
    "$median" "$(echo "$values" | head -n1)" "$(echo "$values" | tail -n1)" "$n" "$target" "$verdict"
done
[ $missed -eq 0 ]
