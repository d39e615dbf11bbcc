#!/usr/bin/env bash
# Installs the Debian packages Tide Wake needs that are not there yet.
# usage: tools/setup.sh play|test|package|web-build|web-test
set -euo pipefail

# FluidSynth renders the tunes once at build time, so the game need not synthesise them live;
# the record server (tidewake-records) is built with the rest and needs its libraries.
play_packages=(
    g++ make cmake pkg-config
    libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev zlib1g-dev
    fonts-ipafont-gothic timgm6mb-soundfont fluidsynth
    libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpq-dev libssl-dev
)
# The Debian package: the game's own build, dpkg's tools and the package checker.
package_packages=("${play_packages[@]}" dpkg-dev lintian)
# The tests build and check the package too, and run the record server on PostgreSQL as well.
test_packages=(
    "${package_packages[@]}"
    libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick xfonts-base sox
    clang libclang-rt-14-dev clang-format shellcheck eslint
    postgresql-15 sqlite3
)
# The browser build, and chromium for its test.
web_build_packages=(
    g++ make cmake emscripten fluidsynth vorbis-tools timgm6mb-soundfont
    python3-fonttools python3-brotli fonts-ipafont-gothic
)
web_test_packages=("${web_build_packages[@]}" chromium)

case "${1:-}" in
    play) wanted=("${play_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    package) wanted=("${package_packages[@]}") ;;
    web-build) wanted=("${web_build_packages[@]}") ;;
    web-test)
        wanted=("${web_test_packages[@]}")
        # npm drives chromium in the test; a node from elsewhere brings its own npm.
        command -v npm >/dev/null || wanted+=(npm)
        ;;
    *) echo "usage: $0 play|test|package|web-build|web-test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
