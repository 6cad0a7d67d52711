# Set-up shared by the Wine benchmarks, sourced once `top`, `out`, `items`
# and `needs` (the Windows build's files the benchmark runs) are set and the
# display is up; a missing build ends the benchmark with 2. It gives the
# generated library in $library (made once, kept until the generator or the
# size changes), a Wine prefix of the benchmarks' own (ending its session
# never touches the test runs'), `drive` for qm-driver.exe, `winpath` and an
# emptied $samples, and `searches`: the search bar's searches the benchmarks time.
bin=${QM_BENCH_BIN:-$top/build/windows/bin}
cli=$top/build/native/bin/quillmoor-cli
for f in "${needs[@]/#/$bin/}" "$cli"; do
  [ -e "$f" ] || { echo "$(basename "$0"): $f is missing (make native windows)"; exit 2; }
done
export QM_WINEPREFIX=$top/build/wineprefix-bench
mkdir -p "$out"

source "$top/bench/generated-library.sh"

drive() { "$top/tools/wine-run.sh" "$bin/qm-driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
winpath() { echo "Z:${1//\//\\}"; }
samples=$out/samples
: >"$samples"

# Mode, label and text of each search; the texts are those of bench_search.
searches=(
  "2|title|騎士"
  "2|title, romaji|kis"
  "0|fuzzy|騎士"
  "0|fuzzy, two words|星の 騎士"
  "1|file path|0123"
  "3|maker|デモ"
  "4|genre|アクション"
  "5|version|1"
  "6|creator|山田"
  "7|memo|ボス"
  "8|sale year|1990"
  "9|SQL|SELECT * FROM list_view WHERE rating>=30 ORDER BY rating DESC"
)
