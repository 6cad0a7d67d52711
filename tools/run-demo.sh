#!/usr/bin/env bash
# Starts the Windows build under Wine in a demo program folder (build/demo,
# made by tools/make-demo.sh), as a user would start it from its own folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
demo=$top/build/demo
"$top/tools/make-demo.sh" "$demo"
cd "$demo"
echo "run: starting Quillmoor2.exe in $demo"
if [ -n "${DISPLAY:-}" ]; then
  "$top/tools/wine-run.sh" Quillmoor2.exe
else
  # No display: run on a virtual one and keep a screenshot of what it shows.
  # A Wine session left from before would keep its old display: end it first.
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    WINEPREFIX='${QM_WINEPREFIX:-$top/build/wineprefix}' wineserver -k 2>/dev/null
    '$top/tools/wine-run.sh' Quillmoor2.exe & pid=\$!
    '$top/tools/wine-run.sh' '$top/build/windows/bin/qm-driver.exe' find-main 90 >/dev/null 2>&1
    sleep 3; xwd -root -silent | /usr/bin/convert xwd:- '$demo/screenshot.png'
    '$top/tools/wine-run.sh' '$top/build/windows/bin/qm-driver.exe' close-main 30 >/dev/null 2>&1
    wait \$pid || true; WINEPREFIX='${QM_WINEPREFIX:-$top/build/wineprefix}' wineserver -k 2>/dev/null"
  echo "run: no display; screenshot saved to $demo/screenshot.png"
fi
"$top/tools/wine-run.sh" "$top/build/windows/bin/quillmoor-cli.exe" info --db Quillmoor.db
