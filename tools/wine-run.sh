#!/usr/bin/env bash
# Runs a Windows program under Wine as a Japanese user would: ANSI code page 932.
# One Wine prefix per build folder (QM_WINEPREFIX overrides), created on first use.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${QM_WINEPREFIX:-$here/build/wineprefix}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -d "$WINEPREFIX" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Wine prints console text in the program's code page; the terminal wants UTF-8.
wine "$@" 2> >(grep -v -e 'syswow64\\rundll32' >&2)
