#!/usr/bin/env bash
# What an install and the Debian package hold: the program, the man page (which
# renders without warnings), the desktop entry (valid), the README; the package
# depends on the libraries the program links, and holds no tests.
set -u
APP=$1
BUILD=$(cd "$(dirname "$APP")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; [ -f "$tmp/log" ] && tail -c 3000 "$tmp/log"; exit 1; }

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || fail "no project version in $BUILD/CMakeCache.txt"

# ---- cmake --install into a prefix of our own ----
prefix=$tmp/prefix
cmake --install "$BUILD" --prefix "$prefix" >"$tmp/log" 2>&1 || fail "cmake --install failed"
[ -x "$prefix/bin/tocsim" ] || fail "bin/tocsim not installed"
cmp -s "$APP" "$prefix/bin/tocsim" || fail "bin/tocsim is not the program that was built"
man_page=$prefix/share/man/man1/tocsim.1
desktop=$prefix/share/applications/tocsim.desktop
[ -f "$man_page" ] || fail "man page not installed"
[ -f "$desktop" ] || fail "desktop entry not installed"
[ -f "$prefix/share/doc/tocsim/README.md" ] || fail "README not installed"
extra=$(cd "$prefix" && find . -type f | grep -v -e '^./bin/tocsim$' -e '^./share/man/man1/tocsim.1$' \
  -e '^./share/applications/tocsim.desktop$' -e '^./share/doc/tocsim/')
[ -z "$extra" ] || fail "installed beyond the program and its documents: $extra"

# The man page renders without a warning, has its sections and names this version.
MANWIDTH=80 man -l --warnings "$man_page" >"$tmp/man.txt" 2>"$tmp/log" || fail "man -l failed"
[ -s "$tmp/log" ] && fail "man -l warned"
groff -man -ww -z "$man_page" 2>"$tmp/log" || fail "groff failed"
[ -s "$tmp/log" ] && fail "groff warned"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS ENCODING FILES "EXIT STATUS" EXAMPLES; do
  grep -q "^$section\$" "$tmp/man.txt" || fail "man page has no section $section"
done
for option in --help --version --lang --encoding --no-window --csv --solver; do
  grep -q -- "^ *$option" "$tmp/man.txt" || fail "man page does not describe $option"
done
head -n 1 "$man_page" | grep -qF "\"tocsim $VERSION\"" || fail "man page is not of version $VERSION"

# The desktop entry is valid and starts the program in a terminal.
desktop-file-validate "$desktop" >"$tmp/log" 2>&1 || fail "desktop entry is not valid"
grep -qx 'Exec=tocsim' "$desktop" || fail "desktop entry does not run tocsim"
grep -qx 'Terminal=true' "$desktop" || fail "desktop entry does not ask for a terminal"

# ---- cpack -G DEB into a directory of our own ----
cpack -G DEB -B "$tmp/pkg" --config "$BUILD/CPackConfig.cmake" >"$tmp/log" 2>&1 || fail "cpack failed"
deb=$tmp/pkg/tocsim_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") (found: $(ls "$tmp/pkg"))"

dpkg-deb -c "$deb" | awk '{print $NF}' >"$tmp/contents" || fail "dpkg-deb -c failed"
for path in ./usr/bin/tocsim ./usr/share/man/man1/tocsim.1 ./usr/share/doc/tocsim/README.md \
            ./usr/share/applications/tocsim.desktop; do
  grep -qx -- "$path" "$tmp/contents" || fail "package lacks $path"
done
grep -qi -e test -e bench "$tmp/contents" && fail "package holds tests or benchmarks"

dpkg-deb -I "$deb" >"$tmp/info" || fail "dpkg-deb -I failed"
grep -qx ' Package: tocsim' "$tmp/info" || fail "package name"
grep -qx " Version: $VERSION" "$tmp/info" || fail "package version"
grep -qx ' Section: science' "$tmp/info" || fail "package section"
grep -q '^ Maintainer: .*<.*@.*>' "$tmp/info" || fail "package maintainer"
grep -q '^ Description: .' "$tmp/info" || fail "package description"
depends=$(sed -n 's/^ Depends: //p' "$tmp/info")
echo "$depends" | grep -qE '(^|, )(libglut3\.12|freeglut3)( |,|$)' || fail "Depends lacks GLUT: $depends"
echo "$depends" | grep -qE '(^|, )libc6( |,|$)' || fail "Depends lacks libc6: $depends"
echo "$depends" | grep -qE '(^|, )libstdc\+\+6( |,|$)' || fail "Depends lacks libstdc++6: $depends"
echo PASS
