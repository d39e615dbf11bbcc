#!/usr/bin/env bash
# Builds the Debian package dist/tidewake_VERSION_ARCH.deb: a Release build of the three
# programs installed into /usr/games, their sounds, tunes (with the tunes' renderings) and
# courses into /usr/share/games/tidewake (where the game looks from /usr/games), the manual pages, the
# desktop entry and icon, the copyright and changelog, and Depends worked out by dpkg-shlibdeps
# from the programs themselves plus the font and soundfont the game opens at run time.
# usage: tools/package.sh            (TIDEWAKE_JOBS=N, TIDEWAKE_MAINTAINER="Name <address>")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh package
jobs=${TIDEWAKE_JOBS:-$(nproc)}
maintainer=${TIDEWAKE_MAINTAINER:-The Tide Wake developers <tidewake@example.org>}
# What the game needs at run time that is not a library: its Japanese texts ask fontconfig for
# a Japanese sans-serif face, and a tune without its rendering (one the player put in place of
# ours) is synthesised through the default General MIDI soundfont.
runtime_depends="fonts-ipafont-gothic, timgm6mb-soundfont"
# Files get the time of the last commit, so that the same tree makes the same package.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
umask 022

# Debian's hardening (stack protector, fortified libc calls, read-only relocations bound at
# start). The game's own flags for exact replays (-ffp-contract=off, no fast-math) still apply.
# Debug information is left out: the programs are stripped anyway, and it slows the build.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1" | sed 's/^-g //'; }
build='build-package'
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTIDEWAKE_TESTS=OFF -DTIDEWAKE_BENCH=OFF \
    -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
    -DTIDEWAKE_SANITIZE=OFF -DTIDEWAKE_FUZZ=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DTIDEWAKE_INSTALL_BINDIR=games -DTIDEWAKE_INSTALL_DATADIR=share/games/tidewake >/dev/null
# Only what the package holds; the other tools of the build are not shipped.
cmake --build "$build" -j"$jobs" --target tidewake tidewake-headless tidewake-stage \
    tidewake_media tidewake_tunes tidewake_icon tidewake_shipped_stages

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
arch=$(dpkg --print-architecture)
deb=dist/tidewake_${version}_${arch}.deb

# dpkg-shlibdeps wants the tree as debian/PACKAGE, with its DEBIAN folder, beside a
# debian/control naming the package.
debian=$build/debian
tree=$debian/tidewake
rm -rf "$debian"
mkdir -p "$tree/DEBIAN"
printf 'Source: tidewake\n\nPackage: tidewake\nArchitecture: any\n' >"$debian/control"
DESTDIR="$root/$tree" cmake --install "$build" >/dev/null
# The renderings of our tunes, which spare the player's machine the live synthesiser.
[ "$(find "$tree/usr/share/games/tidewake/tunes" -maxdepth 1 -name '*.flac' ! -name '.*' \
    2>/dev/null | wc -l)" -eq 3 ] ||
    { echo "the package would lack the rendered tunes (is FluidSynth installed?)" >&2; exit 1; }

# Debug symbols and build notes stay out of the package, as Debian's own packages do it.
for program in "$tree"/usr/games/*; do
    strip --strip-unneeded --remove-section=.comment --remove-section=.note "$program"
done
gzip -9n "$tree"/usr/share/man/man6/*.6

doc=$tree/usr/share/doc/tidewake
mkdir -p "$doc"
cp packaging/debian/copyright "$doc/copyright"
date=$(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")
sed -e "s|@VERSION@|$version|" -e "s|@MAINTAINER@|$maintainer|" -e "s|@DATE@|$date|" \
    packaging/debian/changelog | gzip -9n >"$doc/changelog.gz"
mkdir -p "$tree/usr/share/lintian/overrides"
cp packaging/debian/lintian-overrides "$tree/usr/share/lintian/overrides/tidewake"

depends=$(cd "$build" && dpkg-shlibdeps -O debian/tidewake/usr/games/* |
    sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "dpkg-shlibdeps found no libraries" >&2; exit 1; }

find "$tree" -type d -exec chmod 0755 {} +
find "$tree" -type f -exec chmod 0644 {} +
chmod 0755 "$tree"/usr/games/*
size=$(du -sk --exclude=DEBIAN "$tree" | cut -f1)
sed -e "s|@VERSION@|$version|" -e "s|@ARCH@|$arch|" -e "s|@MAINTAINER@|$maintainer|" \
    -e "s|@SIZE@|$size|" -e "s|@DEPENDS@|$depends, $runtime_depends|" \
    packaging/debian/control >"$tree/DEBIAN/control"
(cd "$tree" && find usr -type f -printf '%P\n' | sort | sed 's|^|usr/|' | xargs md5sum) \
    >"$tree/DEBIAN/md5sums"
chmod 0644 "$tree/DEBIAN/control" "$tree/DEBIAN/md5sums"
find "$tree" -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p dist
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$tree" "$deb" >/dev/null
echo "$deb"
