#!/usr/bin/env bash
# Builds the archive fuzz target with clang and runs it.
#
#   tools/fuzz/run.sh [SECONDS]    default 300
#
# The corpus lives outside the checkout (~/.cache/quillmoor2/fuzz-archive, or
# $QM_FUZZ_CORPUS): it starts from the test fixtures (tools/archive-fixtures.py),
# one copy per archive type, and is merged down to what adds coverage after
# each run, so it stays small. Crashes land in the corpus folder's crashes/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-300}
cache=${QM_CACHE:-$HOME/.cache/quillmoor2}
corpus=${QM_FUZZ_CORPUS:-$cache/fuzz-archive}
build=$root/build/fuzz

CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j2 >/dev/null

# Seeds: each small fixture, behind the byte that picks its type.
seed() {
  local fixtures=$build/fixtures type f
  python3 "$root/tools/archive-fixtures.py" "$fixtures" >/dev/null
  mkdir -p "$corpus/main"
  for f in "$fixtures"/*.zip "$fixtures"/*.7z "$fixtures"/*.rar "$fixtures"/*.lzh; do
    [ "$(stat -c %s "$f")" -le 65536 ] || continue
    case $f in *.zip) type='\x00' ;; *.7z) type='\x01' ;; *.rar) type='\x02' ;; *.lzh) type='\x03' ;; esac
    { printf "$type"; cat "$f"; } > "$corpus/main/seed-$(basename "$f")"
  done
}
[ -d "$corpus/main" ] || seed
mkdir -p "$corpus/new" "$corpus/crashes"

"$build/archive_fuzz" "$corpus/new" "$corpus/main" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -timeout=10 -artifact_prefix="$corpus/crashes/" -print_final_stats=1 2>&1 | tail -n 20
# Keep only what adds coverage.
mkdir -p "$corpus/merged"
"$build/archive_fuzz" -merge=1 "$corpus/merged" "$corpus/main" "$corpus/new" 2>&1 | tail -n 1
rm -rf "$corpus/main" "$corpus/new"
mv "$corpus/merged" "$corpus/main"
echo "corpus: $(ls "$corpus/main" | wc -l) files, $(du -sh "$corpus/main" | cut -f1); crashes: $(ls "$corpus/crashes" | wc -l)"
