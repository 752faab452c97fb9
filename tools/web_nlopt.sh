#!/usr/bin/env bash
# NLopt for the web page: the release the desktop links (Debian's libnlopt-dev),
# built with emscripten from Debian's source package as a static C library and
# installed in OUT_DIR/install; `make web` configures the page with
# NLopt_DIR=OUT_DIR/install/lib/cmake/nlopt.
#   tools/web_nlopt.sh OUT_DIR
# The source comes through `apt-get source` with a sources list, package lists
# and cache of its own (OUT_DIR/apt): the machine's apt configuration and lists
# are left as they are. Nothing is done when OUT_DIR/install already holds the
# library built with the options below; once the source is downloaded
# (OUT_DIR/src), building it again needs no network.
# JOBS: parallel compile jobs (default: the number of processors).
set -euo pipefail
[ $# = 1 ] || { echo "usage: $0 OUT_DIR" >&2; exit 2; }
mkdir -p "$1"
OUT=$(cd "$1" && pwd)
SRC=$OUT/src
BUILD=$OUT/build
INSTALL=$OUT/install
LOGS=$OUT/log
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# Debian's own C-only build of the library (libnlopt0 is that one), static, in
# release mode optimised for size (the page is a download; the same numbers);
# no contraction of a*b+c into fused multiply-adds, as in everything of ours.
CONFIGURE=(
  -DCMAKE_BUILD_TYPE=Release
  "-DCMAKE_C_FLAGS=-ffp-contract=off"
  "-DCMAKE_C_FLAGS_RELEASE=-Oz -DNDEBUG"
  -DBUILD_SHARED_LIBS=OFF
  -DNLOPT_CXX=OFF -DNLOPT_FORTRAN=OFF -DNLOPT_PYTHON=OFF -DNLOPT_OCTAVE=OFF
  -DNLOPT_MATLAB=OFF -DNLOPT_GUILE=OFF -DNLOPT_SWIG=OFF -DNLOPT_TESTS=OFF
  -DCMAKE_INSTALL_LIBDIR=lib
)
# What the installed library was built from and with; a different one (another
# source version, other options) is built again.
STAMP=$INSTALL/tocsim-build.txt

# One run at a time per folder.
exec 9>"$OUT/.lock"
flock 9

installed() {
  [ -f "$INSTALL/lib/libnlopt.a" ] && [ -f "$INSTALL/lib/cmake/nlopt/NLoptConfig.cmake" ] &&
    [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$1" ]
}

# run LOG COMMAND...: the command's output goes to LOG, shown in part on failure.
run() {
  local log=$LOGS/$1
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "web_nlopt.sh: failed: $* (the whole output: $log)" >&2
    exit 1
  fi
}

dsc() { ls "$SRC"/nlopt_*.dsc 2>/dev/null | sort -V | tail -n 1 || true; }

# The stamp names the source package version, known once it is downloaded.
if [ -n "$(dsc)" ] && installed "$(basename "$(dsc)") ${CONFIGURE[*]}"; then
  exit 0
fi
mkdir -p "$SRC" "$LOGS"
start=$SECONDS

# The source package, from the archive the machine installs from (the first
# URI of its own release in the system's sources) with the system's keyring.
fetch() {
  local codename uri="" keyring="" apt=$OUT/apt
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  codename=${codename:-bookworm}
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    read -r uri keyring < <(awk -v want="$codename" '
      function flush() { if (!done && uri != "" && suites ~ ("(^| )" want "( |$)")) { print uri, key; done = 1 }
                         uri = ""; suites = ""; key = "" }
      /^[ \t]*$/ { flush(); next }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { $1 = ""; suites = $0 " " }
      /^Signed-By:/ { key = $2 }
      END { flush() }' /etc/apt/sources.list.d/debian.sources) || true
  fi
  uri=${uri:-http://deb.debian.org/debian}
  if [ ! -f "$keyring" ]; then
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  fi

  rm -rf "$apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
  echo "deb-src [signed-by=$keyring] $uri $codename main" >"$apt/sources.list"
  # Read after the system's configuration: only the sources, lists and cache
  # are ours, and the system's hooks after an update (they refresh caches of
  # the machine's own lists) do not run. Downloads go to folders of ours that
  # apt's unprivileged user cannot write, so apt is told to stay root rather
  # than warn that it does.
  {
    echo '#clear APT::Update::Pre-Invoke;'
    echo '#clear APT::Update::Post-Invoke;'
    echo '#clear APT::Update::Post-Invoke-Success;'
    echo "Dir::Etc::sourcelist \"$apt/sources.list\";"
    echo "Dir::Etc::sourceparts \"$apt/sources.list.d\";"
    echo "Dir::State::Lists \"$apt/lists\";"
    echo "Dir::Cache \"$apt/cache\";"
    if [ "$(id -u)" = 0 ]; then echo 'APT::Sandbox::User "root";'; fi
  } >"$apt/apt.conf"

  echo "web_nlopt.sh: downloading Debian's nlopt source ($uri $codename)"
  run apt-update.log apt-get -q -c "$apt/apt.conf" --error-on=any update
  (cd "$SRC" && run apt-source.log apt-get -q -c "$apt/apt.conf" source --download-only nlopt) || exit 1
  rm -rf "$apt"  # the source index (tens of MB) is of no use once the source is here
}
if [ -z "$(dsc)" ]; then
  fetch
fi
DSC=$(dsc)
[ -n "$DSC" ] || { echo "web_nlopt.sh: apt-get source downloaded no nlopt_*.dsc" >&2; exit 1; }
VERSION=$(basename "$DSC" .dsc)
VERSION=${VERSION#nlopt_}
if installed "$(basename "$DSC") ${CONFIGURE[*]}"; then
  exit 0
fi
desktop=$(dpkg-query -W -f='${source:Version}' libnlopt-dev 2>/dev/null || true)
if [ -n "$desktop" ] && [ "$desktop" != "$VERSION" ]; then
  echo "web_nlopt.sh: warning: the page gets nlopt $VERSION, the desktop's libnlopt-dev is $desktop" >&2
fi

# Unpacked (with Debian's patches) from the downloaded files alone.
if [ ! -f "$SRC/nlopt/CMakeLists.txt" ] || [ "$(cat "$SRC/nlopt/.tocsim-version" 2>/dev/null)" != "$VERSION" ]; then
  command -v dpkg-source >/dev/null ||
    { echo "web_nlopt.sh: dpkg-source not found (apt-get install dpkg-dev)" >&2; exit 1; }
  rm -rf "$SRC/nlopt" "$SRC/nlopt.tmp"
  run unpack.log dpkg-source -x "$DSC" "$SRC/nlopt.tmp"
  echo "$VERSION" >"$SRC/nlopt.tmp/.tocsim-version"
  mv "$SRC/nlopt.tmp" "$SRC/nlopt"
fi

command -v emcmake >/dev/null ||
  { echo "web_nlopt.sh: emcmake not found (apt-get install emscripten)" >&2; exit 1; }
echo "web_nlopt.sh: building NLopt $VERSION with emscripten"
rm -rf "$BUILD" "$INSTALL"
run configure.log emcmake cmake -S "$SRC/nlopt" -B "$BUILD" "-DCMAKE_INSTALL_PREFIX=$INSTALL" "${CONFIGURE[@]}"
run build.log cmake --build "$BUILD" -j"$JOBS"
run install.log cmake --install "$BUILD"
[ -f "$INSTALL/lib/libnlopt.a" ] ||
  { echo "web_nlopt.sh: the install holds no lib/libnlopt.a" >&2; exit 1; }
echo "$(basename "$DSC") ${CONFIGURE[*]}" >"$STAMP"
rm -rf "$BUILD"
echo "web_nlopt.sh: NLopt $VERSION installed in $INSTALL ($((SECONDS - start)) s)"
