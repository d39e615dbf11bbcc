#!/usr/bin/env bash
# Builds the game for the browser and serves it on http://127.0.0.1:8000/.
# usage: tools/web.sh [--build-only]
# Installs what is missing (Debian's emscripten, FluidSynth, its soundfont, fonttools and the
# Japanese face), builds with emscripten into build-web/ and serves build-web/web/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/web/setup.sh
# Debian's emscripten runs its JavaScript optimizer on the machine's node.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# Debian's python3, which python3-fonttools installs into, cuts the page's font.
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DPython3_EXECUTABLE=/usr/bin/python3 \
    >/dev/null
cmake --build build-web -j"${TIDEWAKE_JOBS:-2}"
[ "${1:-}" = "--build-only" ] && exit 0
echo "Tide Wake: http://127.0.0.1:8000/"
exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/web
