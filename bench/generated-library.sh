# The generated library of the benchmarks, sourced once `top`, `out`, `items`
# and `cli` (a quillmoor-cli) are set: gives $library (an empty one for 0 items), made once and kept
# until the generator or the size changes; a failure ends the benchmark with 2.
library=$out/library/Quillmoor.db
stamp="$(md5sum <"$top/tools/gen-demo-library.py" | cut -c1-32) $items"
if [ ! -s "$library" ] || [ "$(cat "$out/library/stamp" 2>/dev/null)" != "$stamp" ]; then
  echo "generating a library of $items items ..."
  rm -rf "$out/library" && mkdir -p "$out/library"
  "$cli" create --db "$library" >/dev/null || exit 2
  if [ "$items" -gt 0 ]; then
    python3 "$top/tools/gen-demo-library.py" --count $items "$library" >/dev/null || exit 2
  fi
  echo "$stamp" >"$out/library/stamp"
fi
