#!/usr/bin/env bash
# Prints the path of a Wine prefix that wineboot made and nothing ever ran in,
# build/wineprefix-pristine, making it first when missing (most of a minute).
# Runs work in copies of it, which are the same as new prefixes.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
pristine=$top/build/wineprefix-pristine
if [ ! -f "$pristine/system.reg" ]; then
  rm -rf "$pristine"
  WINEPREFIX=$pristine LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all \
    WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} wineboot -i >/dev/null 2>&1
  WINEPREFIX=$pristine wineserver -w
fi
echo "$pristine"
