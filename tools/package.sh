#!/usr/bin/env bash
# Builds the Debian packages from one Release build, and prints their paths:
# - dist/tidewake_VERSION_ARCH.deb, the game: the three programs installed into /usr/games,
#   their sounds, tunes (with the tunes' renderings) and courses into /usr/share/games/tidewake
#   (where the game looks from /usr/games), the manual pages, the desktop entry and icon, and
#   Depends worked out by dpkg-shlibdeps plus the font and soundfont the game opens at run time;
# - dist/tidewake-records_VERSION_ARCH.deb, the record table's server and clients: the program
#   in /usr/bin (it reads none of the game's media), its manual page, and its systemd unit in
#   /lib/systemd/system, not enabled, with the maintainer scripts that keep it so.
# Each with its copyright, changelog and md5sums.
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
    -DTIDEWAKE_SANITIZE=OFF -DTIDEWAKE_FUZZ=OFF -DTIDEWAKE_RECORDS=ON -DCMAKE_INSTALL_PREFIX=/usr \
    -DTIDEWAKE_INSTALL_BINDIR=games -DTIDEWAKE_INSTALL_DATADIR=share/games/tidewake \
    -DTIDEWAKE_INSTALL_RECORDS_BINDIR=bin >/dev/null
# Only what the packages hold; the other tools of the build are not shipped.
cmake --build "$build" -j"$jobs" --target tidewake tidewake-headless tidewake-stage \
    tidewake_media tidewake_tunes tidewake_icon tidewake_shipped_stages tidewake-records

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
arch=$(dpkg --print-architecture)
date=$(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")

# dpkg-shlibdeps wants each tree as debian/PACKAGE, with its DEBIAN folder, beside a
# debian/control naming the packages.
debian=$build/debian
rm -rf "$debian"
mkdir -p "$debian"
printf 'Source: tidewake\n\nPackage: tidewake\nArchitecture: any\n\n' >"$debian/control"
printf 'Package: tidewake-records\nArchitecture: any\n' >>"$debian/control"

# The game's install rules, which name no component (CMake's "Unspecified"), into the game's
# tree; the server's, its "records" component, into its own.
game=$debian/tidewake
records=$debian/tidewake-records
mkdir -p "$game/DEBIAN" "$records/DEBIAN"
DESTDIR="$root/$game" cmake --install "$build" --component Unspecified >/dev/null
DESTDIR="$root/$records" cmake --install "$build" --component records >/dev/null
# The renderings of our tunes, which spare the player's machine the live synthesiser.
[ "$(find "$game/usr/share/games/tidewake/tunes" -maxdepth 1 -name '*.flac' ! -name '.*' \
    2>/dev/null | wc -l)" -eq 3 ] ||
    { echo "the package would lack the rendered tunes (is FluidSynth installed?)" >&2; exit 1; }
# The unit where systemd reads a package's units.
mkdir -p "$records/lib/systemd/system"
mv "$records/usr/share/tidewake-records/tidewake-records.service" "$records/lib/systemd/system/"
rmdir "$records/usr/share/tidewake-records"
# Each tree holds what its package is for and nothing else: a file of the server's installed
# without its component would land in the game's package.
expect() {
    local tree=$1 want=$2 have
    have=$(cd "$tree" && find . -path ./DEBIAN -prune -o -type f -printf '%P\n' | sort)
    [ "$have" = "$want" ] && return 0
    echo "$tree holds other files than its package should:" >&2
    diff <(echo "$want") <(echo "$have") >&2
    exit 1
}
find "$game" -name 'tidewake-records*' | grep -q . &&
    { echo "the game's package would hold the record server" >&2; exit 1; }
expect "$records" "$(printf '%s\n' lib/systemd/system/tidewake-records.service \
    usr/bin/tidewake-records usr/share/man/man6/tidewake-records.6)"

# Makes dist/PACKAGE_VERSION_ARCH.deb from debian/PACKAGE: its programs (the files in PROGRAMS,
# a folder under the tree) stripped, manual pages compressed, copyright, changelog and any
# maintainer scripts from packaging/debian/ (PACKAGE.postinst and so on), Depends from
# dpkg-shlibdeps with EXTRA after it, and the control file CONTROL filled in.
package() {
    local name=$1 programs=$2 control=$3 copyright=$4 extra=$5
    local tree=$debian/$name deb=dist/${name}_${version}_${arch}.deb
    local program script depends size
    # Debug symbols and build notes stay out of the package, as Debian's own packages do it.
    for program in "$tree/$programs"/*; do
        strip --strip-unneeded --remove-section=.comment --remove-section=.note "$program"
    done
    gzip -9n "$tree"/usr/share/man/man6/*.6

    local doc=$tree/usr/share/doc/$name
    mkdir -p "$doc"
    cp "$copyright" "$doc/copyright"
    sed -e "s|@VERSION@|$version|" -e "s|@MAINTAINER@|$maintainer|" -e "s|@DATE@|$date|" \
        packaging/debian/changelog | gzip -9n >"$doc/changelog.gz"

    depends=$(cd "$build" && dpkg-shlibdeps -O "debian/$name/$programs"/* |
        sed -n 's/^shlibs:Depends=//p')
    [ -n "$depends" ] || { echo "dpkg-shlibdeps found no libraries for $name" >&2; exit 1; }

    find "$tree" -type d -exec chmod 0755 {} +
    find "$tree" -type f -exec chmod 0644 {} +
    chmod 0755 "$tree/$programs"/*
    for script in preinst postinst prerm postrm; do
        [ -f "packaging/debian/$name.$script" ] || continue
        install -m 0755 "packaging/debian/$name.$script" "$tree/DEBIAN/$script"
    done
    size=$(du -sk --exclude=DEBIAN "$tree" | cut -f1)
    sed -e "s|@VERSION@|$version|" -e "s|@ARCH@|$arch|" -e "s|@MAINTAINER@|$maintainer|" \
        -e "s|@SIZE@|$size|" -e "s|@DEPENDS@|$depends${extra:+, $extra}|" \
        "$control" >"$tree/DEBIAN/control"
    (cd "$tree" && find . -path ./DEBIAN -prune -o -type f -printf '%P\n' | sort |
        xargs md5sum) >"$tree/DEBIAN/md5sums"
    chmod 0644 "$tree/DEBIAN/control" "$tree/DEBIAN/md5sums"
    find "$tree" -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +

    mkdir -p dist
    rm -f "$deb"
    dpkg-deb --root-owner-group -Zxz --build "$tree" "$deb" >/dev/null
    echo "$deb"
}

mkdir -p "$game/usr/share/lintian/overrides"
cp packaging/debian/lintian-overrides "$game/usr/share/lintian/overrides/tidewake"
package tidewake usr/games packaging/debian/control packaging/debian/copyright \
    "$runtime_depends"
package tidewake-records usr/bin packaging/debian/tidewake-records.control \
    packaging/debian/tidewake-records.copyright ""
