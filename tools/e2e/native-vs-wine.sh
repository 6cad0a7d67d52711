#!/usr/bin/env bash
# A database created natively and one created by the Windows build under Wine
# hold the same schema and rows; only the icon paths differ (their folder).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/native" "$work/wine"

"$top/build/native/bin/quillmoor-cli" create --db "$work/native/Quillmoor.db" >/dev/null
(cd "$work/wine" && "$top/tools/wine-run.sh" "$top/build/windows/bin/quillmoor-cli.exe" create --db Quillmoor.db >/dev/null)

dump() {
  sqlite3 "$1" "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name;"
  for t in $(sqlite3 "$1" "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name;"); do
    echo "== $t"
    # Icon paths start with the program folder; keep only the part after it.
    sqlite3 "$1" "SELECT * FROM $t ORDER BY 1;" | sed -E 's#[^|]*[\\/]default_icon[\\/]([a-z]+)[\\/]#ICON/\1/#'
  done
}
if diff <(dump "$work/native/Quillmoor.db") <(dump "$work/wine/Quillmoor.db") >"$work/diff"; then
  echo "native-vs-wine: same schema and rows ($(sqlite3 "$work/wine/Quillmoor.db" 'SELECT count(*) FROM machine_info_table;') machines)"
else
  echo "native-vs-wine: the databases differ:"; head -40 "$work/diff"; exit 1
fi
