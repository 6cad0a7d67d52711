#!/usr/bin/env bash
# Packs the Windows program folder as a user unpacks it:
#
#   tools/make-dist.sh BIN_FOLDER OUT_FOLDER
#   tools/make-dist.sh --folder BIN_FOLDER PROGRAM_FOLDER
#
# writes OUT_FOLDER/Quillmoor2-<version>.zip (the version from the build's
# common/version.h) with one top folder Quillmoor2-<version>\ holding the
# program, its two libraries, the command-line tool, migemo.dll and its
# dictionary, resource\, default_icon\, the help file, the rename-data
# plug-ins (plugin\*.nya, when built), a Japanese read-me and the licence
# notices of the libraries linked in, taken from the installed Debian
# packages' copyright files. Nothing the program writes at run time (the
# library, its settings) goes in. With --folder the same files are laid into
# PROGRAM_FOLDER itself (made if missing; the program's files in it replaced,
# anything else left alone), unzipped: the demo folder is made this way.
set -euo pipefail

FOLDER_ONLY=
if [ "${1:-}" = "--folder" ]; then FOLDER_ONLY=1; shift; fi
BIN=${1:?bin folder}
OUT=${2:?output folder}
HERE=$(cd "$(dirname "$0")" && pwd)
VERSION_H=$BIN/../generated/common/version.h
VERSION=$(sed -n 's/^#define QM_VERSION_TEXT "\(.*\)"$/\1/p' "$VERSION_H")
[ -n "$VERSION" ] || { echo "make-dist: no version in $VERSION_H" >&2; exit 1; }
NAME=Quillmoor2-$VERSION

# Library name in the notices, and the Debian package whose copyright file
# covers what the Windows build linked (the same upstream sources).
LICENCES=(
  "SQLite:libsqlite3-0"
  "libarchive:libarchive13"
  "liblzma:liblzma5"
  "zlib:libz-mingw-w64"
  "PCRE2:libpcre2-8-0"
  "C-Migemo:libmigemo1"
  "SKK-dictionary:skkdic"
  "mingw-w64-runtime:mingw-w64-common"
)

fail() { echo "make-dist: $*" >&2; exit 1; }

if [ -n "$FOLDER_ONLY" ]; then
  dir=$OUT
else
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"' EXIT
  dir=$stage/$NAME
fi
mkdir -p "$dir/licenses"

for f in Quillmoor2.exe Quillmoor2_Lib.dll Quillmoor2_GetCRC.dll quillmoor-cli.exe migemo.dll Quillmoor2.chm; do
  [ -f "$BIN/$f" ] || fail "missing $BIN/$f"
  cp "$BIN/$f" "$dir/"
done
for d in resource default_icon dict; do
  [ -d "$BIN/$d" ] || fail "missing $BIN/$d"
  cp -r "$BIN/$d" "$dir/"
done
mkdir -p "$dir/plugin"
find "$BIN/plugin" -maxdepth 1 -name '*.nya' -exec cp {} "$dir/plugin/" \; 2>/dev/null || true

for entry in "${LICENCES[@]}"; do
  lib=${entry%%:*} pkg=${entry#*:}
  src=/usr/share/doc/$pkg/copyright
  [ -f "$src" ] || fail "no $src (install $pkg)"
  { echo "$lib: the notice of Debian's package $pkg $(dpkg-query -W -f='${Version}' "$pkg" 2>/dev/null)"
    echo; cat "$src"; } | sed 's/$/\r/' >"$dir/licenses/$lib.txt"
done

# The read-me in the code page of a Japanese Windows, with CRLF line ends.
sed "s/@VERSION@/$VERSION/" "$HERE/dist/readme.txt" | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$dir/readme.txt"
[ -z "$FOLDER_ONLY" ] || exit 0

mkdir -p "$OUT"
zip_path=$(cd "$OUT" && pwd)/$NAME.zip
rm -f "$zip_path"
(cd "$stage" && zip -qrX "$zip_path" "$NAME")
echo "$zip_path"
