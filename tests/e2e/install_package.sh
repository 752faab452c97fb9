#!/usr/bin/env bash
# What an install and the Debian package hold: the program, the man page
# (gzip-compressed, renders without warnings), the desktop entry (valid without
# hints, with its icons in every size and an English action), the README, the
# changelog and the copyright file; the package depends on the libraries the
# program links, holds no tests, and lintian finds no error and no warning.
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
man_page=$prefix/share/man/man1/tocsim.1.gz
doc=$prefix/share/doc/tocsim
ICON_SIZES="16 32 48 64 128 256"
desktop=$prefix/share/applications/tocsim.desktop
[ -f "$man_page" ] || fail "man page not installed"
[ -f "$desktop" ] || fail "desktop entry not installed"
[ -f "$doc/README.md" ] || fail "README not installed"
extra=$(cd "$prefix" && find . -type f | grep -v -e '^./bin/tocsim$' -e '^./share/man/man1/tocsim.1.gz$' \
  -e '^./share/applications/tocsim.desktop$' -e '^./share/doc/tocsim/' \
  -e '^./share/icons/hicolor/[0-9]*x[0-9]*/apps/tocsim.png$')
[ -z "$extra" ] || fail "installed beyond the program and its documents: $extra"

# The man page is compressed as Debian wants it (gzip -9n: no name, no time
# stamp), renders without a warning, has its sections and names this version.
gzip -t "$man_page" 2>/dev/null || fail "man page is not gzip-compressed"
# gzip header: byte 3 holds the flags (8: a file name follows), bytes 4-7 the time.
[ "$(od -An -tu1 -j3 -N5 "$man_page" | tr -s ' ')" = " 0 0 0 0 0" ] ||
  fail "man page was compressed with a name or a time stamp"
zcat "$man_page" >"$tmp/tocsim.1"
MANWIDTH=80 man -l --warnings "$man_page" >"$tmp/man.txt" 2>"$tmp/log" || fail "man -l failed"
[ -s "$tmp/log" ] && fail "man -l warned"
groff -man -ww -z "$tmp/tocsim.1" 2>"$tmp/log" || fail "groff failed"
[ -s "$tmp/log" ] && fail "groff warned"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS ENCODING FILES "EXIT STATUS" EXAMPLES; do
  grep -q "^$section\$" "$tmp/man.txt" || fail "man page has no section $section"
done
for option in --help --version --lang --encoding --no-window --csv --solver --view; do
  grep -q -- "^ *$option" "$tmp/man.txt" || fail "man page does not describe $option"
done
head -n 1 "$tmp/tocsim.1" | grep -qF "\"tocsim $VERSION\"" || fail "man page is not of version $VERSION"

# The man page's FILES section names what the package installs beside the program.
for f in changelog.gz copyright tocsim.png; do
  grep -qF "$f" "$tmp/man.txt" || fail "man page FILES does not name $f"
done

# The changelog (a native package's: changelog.gz) is in Debian's format, gzip
# -9n, and its latest entry is this version; the copyright file is
# machine-readable and gives the licence in full.
[ -f "$doc/changelog.gz" ] || fail "changelog.gz not installed"
[ "$(od -An -tu1 -j3 -N5 "$doc/changelog.gz" | tr -s ' ')" = " 0 0 0 0 0" ] ||
  fail "changelog was compressed with a name or a time stamp"
zcat "$doc/changelog.gz" >"$tmp/changelog" || fail "changelog.gz is not gzip"
[ "$(dpkg-parsechangelog -l "$tmp/changelog" -S Version 2>"$tmp/log")" = "$VERSION" ] ||
  fail "changelog's latest version is not $VERSION"
[ -f "$doc/copyright" ] || fail "copyright not installed"
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright file is not machine-readable"
grep -qx 'License: MIT' "$doc/copyright" || fail "copyright file names no licence"
grep -q '^ Permission is hereby granted' "$doc/copyright" || fail "copyright file lacks the licence text"

# The desktop entry is valid without even a hint, starts the program in a
# terminal, has a Japanese name, an icon and an action that starts in English.
desktop-file-validate "$desktop" >"$tmp/log" 2>&1 || fail "desktop entry is not valid"
[ -s "$tmp/log" ] && fail "desktop-file-validate: $(cat "$tmp/log")"
grep -qx 'Exec=tocsim' "$desktop" || fail "desktop entry does not run tocsim"
grep -qx 'Terminal=true' "$desktop" || fail "desktop entry does not ask for a terminal"
grep -qx 'Icon=tocsim' "$desktop" || fail "desktop entry has no icon"
grep -q '^Name\[ja\]=.' "$desktop" || fail "desktop entry has no Japanese name"
grep -qx 'Actions=english;' "$desktop" || fail "desktop entry has no English action"
action=$(sed -n '/^\[Desktop Action english\]$/,/^\[/p' "$desktop")
echo "$action" | grep -qx 'Exec=tocsim --lang en' || fail "the English action does not run tocsim --lang en"
echo "$action" | grep -q '^Name=.' || fail "the English action has no name"
echo "$action" | grep -q '^Name\[ja\]=.' || fail "the English action has no Japanese name"

# An icon in each size: a PNG of that many pixels square.
for n in $ICON_SIZES; do
  icon=$prefix/share/icons/hicolor/${n}x${n}/apps/tocsim.png
  [ -f "$icon" ] || fail "no ${n}x${n} icon"
  [ "$(od -An -tx1 -N8 "$icon" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "${n}x${n} icon is not a PNG"
  size=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$size" = "${n}x${n}" ] || fail "${n}x${n} icon is $size"
done

# ---- cpack -G DEB into a directory of our own ----
cpack -G DEB -B "$tmp/pkg" --config "$BUILD/CPackConfig.cmake" >"$tmp/log" 2>&1 || fail "cpack failed"
deb=$tmp/pkg/tocsim_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") (found: $(ls "$tmp/pkg"))"

dpkg-deb -c "$deb" | awk '{print $NF}' >"$tmp/contents" || fail "dpkg-deb -c failed"
for path in ./usr/bin/tocsim ./usr/share/man/man1/tocsim.1.gz ./usr/share/doc/tocsim/README.md \
            ./usr/share/doc/tocsim/changelog.gz ./usr/share/doc/tocsim/copyright \
            ./usr/share/applications/tocsim.desktop; do
  grep -qx -- "$path" "$tmp/contents" || fail "package lacks $path"
done
for n in $ICON_SIZES; do
  grep -qx -- "./usr/share/icons/hicolor/${n}x${n}/apps/tocsim.png" "$tmp/contents" ||
    fail "package lacks the ${n}x${n} icon"
done
# Owned by root, directories and the program 0755, every other file 0644.
dpkg-deb -c "$deb" | awk '$2 != "root/root" ||
  ($1 ~ /^d/ && $1 != "drwxr-xr-x") ||
  ($1 ~ /^-/ && $NF == "./usr/bin/tocsim" && $1 != "-rwxr-xr-x") ||
  ($1 ~ /^-/ && $NF != "./usr/bin/tocsim" && $1 != "-rw-r--r--")' >"$tmp/modes"
[ -s "$tmp/modes" ] && fail "wrong owner or mode: $(head -n 3 "$tmp/modes")"
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
# lintian: no error, no warning (information and pedantic notes may stay).
command -v lintian >/dev/null || fail "lintian is not installed (make deps installs it)"
lintian --fail-on error,warning "$deb" >"$tmp/lintian" 2>&1
status=$?
grep -E '^[EW]: ' "$tmp/lintian" >"$tmp/log" && fail "lintian: $(cat "$tmp/log")"
[ "$status" = 0 ] || fail "lintian failed ($status): $(head -c 2000 "$tmp/lintian")"
echo PASS
