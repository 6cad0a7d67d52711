#!/usr/bin/env bash
# The program's scale under Wine: the real Quillmoor2.exe on generated
# libraries of 0, 100,000 and 1,000,000 items (QM_BENCH_SIZES), on a virtual
# display, driven by qm-driver.exe.
#
#   start       from CreateProcess until the list holds every item (filled)
#               and until start-up's busy mode has ended (ready); judged on
#               ready against twice the empty library's
#   memory      working set after start-up, and after the searches and sorts
#   search      Enter in the search bar to the repainted list, every mode
#   sort        a header click to the repainted list
#   group       a maker of the group pane, and "<全て>", to the repainted list
#
# Targets at 1,000,000 items: ready within 2x the empty library's; the title
# search within 500 ms, every other mode within 1 s; a group click within
# 500 ms; the working set after start-up within 1 GB. Several sessions
# (QM_BENCH_RUNS, 2) per size in fresh program folders; medians are judged.
# Libraries are generated once under build/bench-million/SIZE and kept.
# Needs the native and Windows builds (make bench-million builds them).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

runs=${QM_BENCH_RUNS:-2}
sizes=(${QM_BENCH_SIZES:-0 100000 1000000})
needs=(Quillmoor2.exe Quillmoor2_Lib.dll qm-driver.exe migemo.dll)
all=$top/build/bench-million
mkdir -p "$all"
: >"$all/samples"

sample() { [[ $3 =~ ^[0-9.]+$ ]] && echo "$1|$2|$3" >>"$all/samples"; }
megabytes() { echo "$1" | sed -n "s/.*$2=\([0-9]*\).*/\1/p" | awk '{printf "%.0f", $1 / 1024}'; }

session() {  # session SIZE RUN
  local size=$1 folder=$out/session
  rm -rf "$folder" && mkdir -p "$folder"
  cp "$bin/Quillmoor2.exe" "$bin/Quillmoor2_Lib.dll" "$library" "$folder/"
  cp -r "$bin/resource" "$bin/dict" "$bin/migemo.dll" "$folder/"
  WINEPREFIX=$QM_WINEPREFIX wineserver -k 2>/dev/null
  local times
  times=$(QM_TIMINGS=$(winpath "$folder/timings.txt") drive time-start "$(winpath "$folder")" "$size" 600)
  local filled ready
  filled=$(echo "$times" | sed -n 's/.*filled_ms=\([0-9]*\).*/\1/p')
  ready=$(echo "$times" | sed -n 's/.*ready_ms=\([0-9]*\).*/\1/p')
  if [ -z "$ready" ]; then
    echo "$size items, session $2: the list never held $size items ($times)"
    return 1
  fi
  sample "$size" filled "$filled"
  sample "$size" ready "$ready"
  local memory
  memory=$(drive memory)
  sample "$size" memory "$(megabytes "$memory" working_set_kb)"
  local line="$size items, session $2: filled $filled ms, ready $ready ms, $(megabytes "$memory" working_set_kb) MB"
  if [ "$size" -gt 0 ]; then
    local mode label text ms entry
    for column in 0 1 3; do
      ms=$(drive time-header $column)
      sample "$size" sort "$ms"
      line+="; sort $ms"
    done
    for index in 1 2 0; do
      ms=$(drive time-group $index)
      sample "$size" "$([ $index = 0 ] && echo 'group, every item' || echo 'group, one maker')" "$ms"
      line+="; group $ms"
    done
    for entry in "${searches[@]}"; do
      IFS='|' read -r mode label text <<<"$entry"
      for _ in 1 2; do
        ms=$(drive time-search "$mode" "$text")
        sample "$size" "search $label" "$ms"
        line+="; $label $ms"
      done
    done
    memory=$(drive memory)
    sample "$size" "memory at the end" "$(megabytes "$memory" working_set_kb)"
    sample "$size" "peak memory" "$(megabytes "$memory" peak_working_set_kb)"
  fi
  echo "$line ms"
  tr -d '\r' <"$folder/timings.txt" >"$out/timings-$2.txt" 2>/dev/null
  drive close-main 120 >/dev/null
  WINEPREFIX=$QM_WINEPREFIX wineserver -k 2>/dev/null
  rm -rf "$folder"
}

for items in "${sizes[@]}"; do
  out=$all/$items
  source "$top/bench/wine-bench.sh"
  for run in $(seq "$runs"); do session "$items" "$run"; done
done

median() {  # median SIZE KEY
  awk -F'|' -v s="$1" -v k="$2" '$1 == s && $2 == k {print $3}' "$all/samples" | sort -n |
    awk '{v[NR] = $1} END {if (NR) print v[int((NR + 1) / 2)]}'
}
keys=(ready filled memory "search title" "search title, romaji" "search fuzzy" "search fuzzy, two words"
  "search file path" "search maker" "search genre" "search version" "search creator" "search memo"
  "search sale year" "search SQL" sort "group, one maker" "group, every item" "memory at the end" "peak memory")
echo
printf '%-28s' "median (ms, memory MB)"
for items in "${sizes[@]}"; do printf '%12s' "$items"; done
printf '   target at %s\n' "${sizes[-1]}"
missed=0
empty_ready=$(median 0 ready)
for key in "${keys[@]}"; do
  printf '%-28s' "$key"
  for items in "${sizes[@]}"; do printf '%12s' "$(median "$items" "$key")"; done
  last=$(median "${sizes[-1]}" "$key")
  target=
  case $key in
    ready) [ -n "$empty_ready" ] && target=$(awk -v e="$empty_ready" 'BEGIN { printf "%.0f", 2 * e }') ;;
    "search title") target=500 ;;
    "search "*) target=1000 ;;
    group*) target=500 ;;
    memory) target=1024 ;;
  esac
  if [ -n "$target" ] && [ "${sizes[-1]}" -gt 0 ]; then
    verdict=ok
    if [ -z "$last" ] || ! awk -v m="$last" -v t="$target" 'BEGIN { exit !(m <= t) }'; then verdict=MISSED; missed=$((missed + 1)); fi
    printf '   <= %s %s' "$target" "$verdict"
  fi
  printf '\n'
done
if [ -n "$empty_ready" ] && [ -n "$(median "${sizes[-1]}" ready)" ]; then
  awk -v e="$empty_ready" -v m="$(median "${sizes[-1]}" ready)" -v n="${sizes[-1]}" \
    'BEGIN { printf "start-up at %s items: %.2fx the empty library'"'"'s\n", n, m / e }'
fi
[ $missed -eq 0 ]
