#!/usr/bin/env bash
# A one-shot `quillmoor-cli search --mode 2 騎士` on a generated library of
# 100,000 items against the sqlite3 shell running the bare statement of the
# same search on the same file: the WHERE the title search makes, sorted by
# title (target: the command line takes at most 3 times the shell's time).
# Both list the same titles; the benchmark checks that first.
#
# Each is run QM_BENCH_RUNS times (9), alternating, output thrown away; the
# figures are wall-clock seconds, best and median, judged on the medians.
# Other programs share the machine: read the spread before the best.
# Needs the release build (make bench-cli-search builds it); QM_BENCH_CLI
# names another quillmoor-cli to time, an earlier build say.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$top/build/bench-cli-search
runs=${QM_BENCH_RUNS:-9}
items=100000
target=3
text=騎士
cli=${QM_BENCH_CLI:-$top/build/native-release/bin/quillmoor-cli}
[ -x "$cli" ] || { echo "$(basename "$0"): $cli is missing (make bench-cli-search)"; exit 2; }
command -v sqlite3 >/dev/null || { echo "$(basename "$0"): sqlite3 is missing"; exit 2; }
mkdir -p "$out"
source "$top/bench/generated-library.sh"

statement="SELECT title FROM main_table WHERE (ply<2) AND (title LIKE '%$text%') ORDER BY title;"
run_cli() { "$cli" search --db "$library" --mode 2 "$text"; }
run_shell() { sqlite3 "$library" "$statement"; }

# One after the other: the command line changes list_view while it runs.
run_cli >"$out/cli.txt" && run_shell >"$out/shell.txt"
if ! cmp -s "$out/cli.txt" "$out/shell.txt"; then
  echo "quillmoor-cli and sqlite3 list different titles for \"$text\""
  exit 1
fi
echo "$(wc -l <"$out/shell.txt") titles for \"$text\" in $items items"

seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f\n", b - a }'
}
: >"$out/cli" && : >"$out/shell"
for ((i = 0; i < runs; i++)); do
  seconds run_shell >>"$out/shell"
  seconds run_cli >>"$out/cli"
done

best() { sort -n "$1" | head -n1; }
median() { sort -n "$1" | sed -n "$(((runs + 1) / 2))p"; }
printf '%-22s best %6s s  median %6s s\n' "sqlite3 shell" "$(best "$out/shell")" "$(median "$out/shell")"
printf '%-22s best %6s s  median %6s s\n' "quillmoor-cli search" "$(best "$out/cli")" "$(median "$out/cli")"
awk -v cb="$(best "$out/cli")" -v cm="$(median "$out/cli")" -v sb="$(best "$out/shell")" \
  -v sm="$(median "$out/shell")" -v t="$target" 'BEGIN {
    ratio = cm / sm
    printf "ratio (medians) %.2f, best to best %.2f: target at most %dx %s\n", ratio, cb / sb, t, ratio <= t ? "ok" : "MISSED"
    exit ratio <= t ? 0 : 1
  }'
