#!/usr/bin/env bash
# Installs what the build needs on a Debian machine and cross-builds the Windows
# libraries (SQLite, liblzma, libarchive, PCRE2) from Debian's own source packages
# into a cache outside the checkout. A second run with the cache in place only
# checks and returns.
#
#   tools/deps.sh            install packages, build the Windows cache if missing
#   tools/deps.sh --prefix   print the cache prefix the Windows build uses
set -euo pipefail

CACHE_ROOT=${QM_CACHE:-$HOME/.cache/quillmoor2}
LINK=$CACHE_ROOT/windeps
HOST=x86_64-w64-mingw32

if [ "${1:-}" = "--prefix" ]; then echo "$LINK"; exit 0; fi

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

PACKAGES=(
  g++ make cmake pkg-config dpkg-dev autoconf automake libtool
  sqlite3 libsqlite3-dev libarchive-dev libpcre2-dev liblzma-dev zlib1g-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 xvfb x11-apps imagemagick fonts-ipafont-gothic locales
  zip p7zip-full python3
  libmigemo-dev skkdic perl
  fp-utils
)

log() { echo "deps: $*" >&2; }

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

enable_japanese_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  log "generating the ja_JP.UTF-8 locale"
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
}

# A deb-src twin of the machine's own Debian entries, so apt-get source
# fetches from the same mirror the binaries came from.
ensure_deb_src() {
  local src=/etc/apt/sources.list.d/quillmoor2-src.sources
  [ -f "$src" ] && return 0
  local from
  from=$(grep -l -s '^Types: *deb$' /etc/apt/sources.list.d/*.sources | head -n1 || true)
  if [ -n "$from" ]; then
    sed 's/^Types: *deb$/Types: deb-src/' "$from" | $SUDO tee "$src" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee "${src%.sources}.list" >/dev/null
  fi
  $SUDO apt-get update -qq
}

# The version apt would fetch: the candidate of the binary package, less any binNMU suffix.
srcver() { apt-cache policy "$1" | awk '/Candidate:/ {print $2}' | sed 's/+b[0-9]*$//'; }

# Win32 overlapped reads cost a server round trip each under Wine: a cold
# count over the library took 400 ms with them and 70 ms without.
SQLITE_FLAGS="-DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DEFAULT_FOREIGN_KEYS=0 -DSQLITE_WIN32_NO_OVERLAPPED"

cache_key() {
  echo "sqlite3_$(srcver libsqlite3-dev)_$(echo "$SQLITE_FLAGS" | md5sum | cut -c1-8)-xz_$(srcver liblzma-dev)-libarchive_$(srcver libarchive-dev)-pcre2_$(srcver libpcre2-dev)_jit-gcc_$($HOST-gcc-posix -dumpversion)" | tr ':+~' '___'
}

# Fetches and unpacks one source package: the version of the installed binaries'
# candidate first, then any other version the mirror lists (a mirror may list a
# security update whose files it does not carry).
fetch_source() {
  local src=$1 bin=$2 work=$3 target=$4 v
  for v in $(srcver "$bin") $(apt-cache showsrc "$src" | awk '/^Version:/ {print $2}' | sort -rV); do
    if (cd "$work" && apt-get source -qq --download-only "$src=$v" >/dev/null 2>&1); then
      (cd "$work" && dpkg-source -x --no-check "${src}_${v#*:}.dsc" >/dev/null 2>&1) || return 1
      echo "$src $v" >> "$target/versions.txt"
      return 0
    fi
  done
  log "no source package of $src could be fetched"
  return 1
}

build_sqlite() {
  local dir=$1 prefix=$2
  (cd "$dir" && mkdir -p bld && cd bld && ../configure >/dev/null && make -s sqlite3.c >/dev/null)
  # shellcheck disable=SC2086
  $HOST-gcc-posix -O2 -c "$dir/bld/sqlite3.c" -o "$dir/bld/sqlite3.o" $SQLITE_FLAGS
  $HOST-ar rcs "$prefix/lib/libsqlite3.a" "$dir/bld/sqlite3.o"
  cp "$dir/bld/sqlite3.h" "$dir/bld/sqlite3ext.h" "$prefix/include/"
}

build_xz() {
  local dir=$1 prefix=$2
  (cd "$dir" && ./configure -q --host=$HOST --prefix="$prefix" --disable-shared --enable-static \
     --disable-xz --disable-xzdec --disable-lzmadec --disable-lzmainfo --disable-scripts --disable-doc \
     --disable-nls >/dev/null && make -s -j"$(nproc)" >/dev/null && make -s install >/dev/null)
}

build_libarchive() {
  local dir=$1 prefix=$2
  # Debian's patches touch configure.ac and Makefile.am: regenerate before configuring.
  (cd "$dir" && autoreconf -fi >/dev/null 2>&1)
  (cd "$dir" && CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" ./configure -q --host=$HOST \
     --prefix="$prefix" --disable-shared --enable-static --disable-bsdtar --disable-bsdcpio \
     --disable-bsdcat --without-openssl --without-xml2 --without-expat --without-iconv --without-lz4 \
     --without-zstd --without-bz2lib --without-cng --without-nettle --without-libb2 >/dev/null \
   && make -s -j"$(nproc)" >/dev/null && make -s install >/dev/null)
}

build_pcre2() {
  local dir=$1 prefix=$2
  # The full make fails linking pcre2posix_test under mingw; the library alone is all we need.
  # The JIT turns each search's per-row match into machine code: several times faster.
  (cd "$dir" && ./configure -q --host=$HOST --prefix="$prefix" --disable-shared --enable-static \
     --enable-pcre2-8 --disable-pcre2-16 --disable-pcre2-32 --enable-jit >/dev/null \
   && make -s -j"$(nproc)" libpcre2-8.la >/dev/null)
  cp "$dir/.libs/libpcre2-8.a" "$prefix/lib/"
  cp "$dir/src/pcre2.h" "$prefix/include/"
}

# Third-party builds are noisy; their output is kept in a log shown on failure.
quietly() {
  local logfile=$CACHE_ROOT/build.log
  if ! "$@" >"$logfile" 2>&1; then
    tail -n 40 "$logfile" >&2
    log "failed: $*"
    return 1
  fi
}

build_windows_cache() {
  local key target work
  key=$(cache_key)
  target=$CACHE_ROOT/windeps-$key
  if [ -f "$target/.complete" ]; then
    ln -sfn "$target" "$LINK"
    return 0
  fi
  ensure_deb_src
  log "cross-building the Windows libraries into $target (a few minutes, once)"
  rm -rf "$target"
  mkdir -p "$target/lib" "$target/include"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  fetch_source sqlite3 libsqlite3-dev "$work" "$target"
  fetch_source xz-utils liblzma-dev "$work" "$target"
  fetch_source libarchive libarchive-dev "$work" "$target"
  fetch_source pcre2 libpcre2-dev "$work" "$target"
  local sq xz la pc
  sq=$(find "$work" -maxdepth 1 -type d -name 'sqlite3-*' | head -n1)
  xz=$(find "$work" -maxdepth 1 -type d -name 'xz-utils-*' | head -n1)
  la=$(find "$work" -maxdepth 1 -type d -name 'libarchive-*' | head -n1)
  pc=$(find "$work" -maxdepth 1 -type d -name 'pcre2-*' | head -n1)
  log "sqlite"; quietly build_sqlite "$sq" "$target"
  log "liblzma"; quietly build_xz "$xz" "$target"
  log "libarchive"; quietly build_libarchive "$la" "$target"
  log "pcre2"; quietly build_pcre2 "$pc" "$target"
  touch "$target/.complete"
  ln -sfn "$target" "$LINK"
  log "done"
}

# libarchive's sample archives (zip, lzh and rar files made by other programs,
# as .uu text) for the archive tests, kept per version; the tests find them
# through the link. A subshell, so that its clean-up trap stays its own.
keep_libarchive_samples() (
  local key target work
  key=$(srcver libarchive-dev | tr ':+~' '___')
  target=$CACHE_ROOT/libarchive-test-$key
  if [ ! -f "$target/.complete" ]; then
    ensure_deb_src
    log "keeping libarchive's sample archives in $target"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    rm -rf "$target"
    mkdir -p "$target"
    fetch_source libarchive libarchive-dev "$work" "$target"
    cp "$work"/libarchive-*/libarchive/test/*.uu "$target/"
    touch "$target/.complete"
  fi
  ln -sfn "$target" "$CACHE_ROOT/libarchive-test"
)

# Romaji search: Migemo from Debian's cmigemo source package, cross-built into
# migemo.dll, and one dictionary set in code page 932 made from Debian's SKK
# dictionary with the source package's own tools, for both builds (natively
# the library is Debian's libmigemo). A cache entry of its own, so the other
# Windows libraries are not built again when it changes.
keep_migemo() (
  local key target work src
  key=$(echo "cmigemo_$(srcver libmigemo-dev)-skkdic_$(srcver skkdic)-gcc_$($HOST-gcc-posix -dumpversion)" | tr ':+~' '___')
  target=$CACHE_ROOT/migemo-$key
  if [ ! -f "$target/.complete" ]; then
    ensure_deb_src
    log "building Migemo and its dictionary into $target"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    rm -rf "$target"
    mkdir -p "$target/dict"
    fetch_source cmigemo libmigemo-dev "$work" "$target"
    src=$(find "$work" -maxdepth 1 -type d -name 'cmigemo-*' | head -n1)
    (cd "$src" && $HOST-gcc-posix -O2 -shared -static-libgcc -o "$target/migemo.dll" src/migemo.c src/mnode.c \
       src/romaji.c src/rxgen.c src/wordbuf.c src/wordlist.c src/charset.c src/filename.c src/migemo.def) \
      >"$CACHE_ROOT/build.log" 2>&1 || { tail -n 20 "$CACHE_ROOT/build.log" >&2; log "migemo.dll failed"; return 1; }
    perl "$src/tools/skk2migemo.pl" </usr/share/skk/SKK-JISYO.L >"$work/dict.tmp"
    perl "$src/tools/optimize-dict.pl" <"$work/dict.tmp" >"$work/base-dict"
    python3 "$(dirname "$0")/migemo-cp932.py" <"$work/base-dict" >"$target/dict/migemo-dict" 2>/dev/null
    # The conversion tables of the source package are code page 932 already.
    cp "$src"/dict/*.dat "$target/dict/"
    touch "$target/.complete"
  fi
  ln -sfn "$target" "$CACHE_ROOT/migemo"
)

install_packages
enable_japanese_locale
mkdir -p "$CACHE_ROOT"
keep_libarchive_samples
keep_migemo
build_windows_cache
