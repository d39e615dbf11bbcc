#!/usr/bin/env bash
# Installs the Debian packages Tide Wake needs that are not there yet.
# usage: tools/setup.sh play|test
set -euo pipefail

play_packages=(
    g++ make cmake pkg-config
    libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev zlib1g-dev
    fonts-ipafont-gothic timgm6mb-soundfont
)
test_packages=(
    "${play_packages[@]}"
    libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick xfonts-base sox
    clang libclang-rt-14-dev
)

case "${1:-}" in
    play) wanted=("${play_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    *) echo "usage: $0 play|test" >&2; exit 2 ;;
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
