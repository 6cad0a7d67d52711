#!/usr/bin/env bash
# The library's bulk operations at 100,000 and at 1,000,000 generated items,
# natively, each beside the sqlite3 shell doing the same work on the same file:
#
#   CSV export   quillmoor-cli export-csv against `sqlite3 -csv` running the
#                export's statement with its 24 columns (target: at most 3x)
#   vacuum       quillmoor-cli vacuum (the properties dialog's own function)
#                against `sqlite3 DB 'VACUUM;'`
#   start-up     quillmoor-cli create on the ready library: the checks and the
#                clean-up of empty and orphaned side rows that every start of
#                the program runs (the same Quillmoor2_Lib code), against the
#                shell running the clean-up's statements alone; once more with
#                a tenth of the images gone from under their side rows
#
# The million's figures should be about ten times the hundred thousand's: a
# step that grows faster is named. Each is the best of QM_BENCH_RUNS (3) runs,
# wall-clock seconds with the processor time beside them. Work is done on
# copies in $TMPDIR; the generated libraries are kept under build/ (the
# million takes a few minutes to make the first time).
# Needs the release build (make bench-million-native builds it).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${QM_BENCH_RUNS:-3}
cli=${QM_BENCH_CLI:-$top/build/native-release/bin/quillmoor-cli}
work=${TMPDIR:-/tmp}/qm-bench/million-native
[ -x "$cli" ] || { echo "$(basename "$0"): $cli is missing (make bench-million-native)"; exit 2; }
command -v sqlite3 >/dev/null || { echo "$(basename "$0"): sqlite3 is missing"; exit 2; }

columns="file_name, machine_name, media_name, title, kana, maker, developer, country, version, adult, sale_year,
 genre_name, rom_num, creator, tag, crc32, crc, breed, price, media_detail, players, adultex_name, savedat_detail,
 sound_detail"
export_sql="SELECT $columns FROM main_table LEFT JOIN spec_table ON file_name = pfile_sc
 LEFT JOIN creator_table ON file_name = pfile_cr WHERE (ply='' OR ply='0' OR ply='1')
 ORDER BY machine_name, title, maker ;"
# The start-up clean-up's statements as dblib/start_maintenance.cpp runs them.
cleanup_sql=$(sed -n '/kCleanups\[\] = {/,/^};/p' "$top/dblib/start_maintenance.cpp" | grep -o '"[^"]*"' |
  tr -d '"' | tr -d '\n')

# "wall cpu" of one run, output dropped.
timed() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}
# The fastest of $runs runs of a step; `prepare` (a function name or :) runs
# untimed before each.
best() {
  local prepare=$1
  shift
  for ((i = 0; i < runs; i++)); do
    $prepare
    timed "$@"
  done | sort -n | head -n1
}

declare -A figure
copy_library() { cp "$library" "$db"; }
# A tenth of the images removed past the trigger that takes their side rows along.
with_orphans() {
  copy_library
  sqlite3 "$db" "DROP TRIGGER delete_subtable_main; DELETE FROM main_table WHERE rowid % 10 = 0;"
}
export_ours() { "$cli" export-csv --db "$db" "$work/ours.csv"; }
export_shell() { sqlite3 -csv -header "$db" "$export_sql" >"$work/shell.csv"; }

measure() {
  local items=$1
  out=$top/build/bench-million/$items
  mkdir -p "$out" "$work"
  source "$top/bench/generated-library.sh"
  db=$work/Quillmoor.db
  copy_library
  cat "$db" >/dev/null
  figure[$items,export]=$(best : export_ours)
  figure[$items,export-sqlite3]=$(best : export_shell)
  figure[$items,csv-bytes]="$(stat -c %s "$work/ours.csv") $(stat -c %s "$work/shell.csv")"
  figure[$items,vacuum]=$(best : "$cli" vacuum --db "$db")
  figure[$items,vacuum-sqlite3]=$(best : sqlite3 "$db" "VACUUM;")
  figure[$items,start-up]=$(best : "$cli" create --db "$db")
  figure[$items,clean-up-sqlite3]=$(best : sqlite3 "$db" "$cleanup_sql")
  figure[$items,start-up-orphans]=$(best with_orphans "$cli" create --db "$db")
  figure[$items,clean-up-orphans-sqlite3]=$(best with_orphans sqlite3 "$db" "$cleanup_sql")
  figure[$items,images]=$(sqlite3 "$library" "SELECT count(*) FROM main_table;")
  rm -f "$work"/*.csv "$db"
}

measure 100000 || exit 2
measure 1000000 || exit 2
rmdir "$work" 2>/dev/null

wall() { echo "${figure[$1]}" | cut -d' ' -f1; }
cpu() { echo "${figure[$1]}" | cut -d' ' -f2; }
printf '%-34s %20s %20s %7s\n' "wall s (cpu s)" "100,000 items" "1,000,000 items" "growth"
printf '%-34s %20s %20s\n' "images in main_table" "${figure[100000,images]}" "${figure[1000000,images]}"
status=0
for step in export export-sqlite3 vacuum vacuum-sqlite3 start-up clean-up-sqlite3 start-up-orphans \
  clean-up-orphans-sqlite3; do
  growth=$(awk -v a="$(wall 100000,$step)" -v b="$(wall 1000000,$step)" 'BEGIN { printf "%.1fx", b / a }')
  printf '%-34s %9s (%7s) %9s (%7s) %7s\n' "$step" "$(wall 100000,$step)" "$(cpu 100000,$step)" \
    "$(wall 1000000,$step)" "$(cpu 1000000,$step)" "$growth"
done
for items in 100000 1000000; do
  awk -v ours="$(wall $items,export)" -v shell="$(wall $items,export-sqlite3)" -v n=$items \
    -v bytes="${figure[$items,csv-bytes]}" 'BEGIN {
      split(bytes, b, " ")
      ratio = ours / shell
      printf "CSV export of %d items: %.2f x sqlite3 -csv (target at most 3x) %s; files %.0f MB (Shift-JIS) and %.0f MB (UTF-8)\n",
        n, ratio, ratio <= 3 ? "ok" : "MISSED", b[1] / 1e6, b[2] / 1e6
      exit ratio <= 3 ? 0 : 1
    }' || status=1
done
exit $status
