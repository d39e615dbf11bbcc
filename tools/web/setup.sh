#!/usr/bin/env bash
# Installs the Debian packages the browser build needs that are not there yet.
# usage: tools/web/setup.sh [build|test]   (test adds chromium for the browser test)
set -euo pipefail
wanted=(g++ make cmake emscripten fluidsynth vorbis-tools timgm6mb-soundfont python3-fonttools python3-brotli
    fonts-ipafont-gothic)
[ "${1:-build}" = test ] && wanted+=(chromium)
# npm drives chromium in the test; a node from elsewhere brings its own npm.
[ "${1:-build}" = test ] && ! command -v npm >/dev/null && wanted+=(npm)
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
