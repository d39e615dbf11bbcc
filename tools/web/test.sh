#!/usr/bin/env bash
# The browser build's tests, run by tools/test.sh after the native suites (which build the
# native runner in build/): builds build-web/ with emscripten, compares the web runner under node
# with the native one on whole games, then drives the page in headless chromium.
# Skipped, saying so, only where emscripten or chromium cannot be installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
jobs=${TIDEWAKE_JOBS:-$(nproc)}

if ! tools/web/setup.sh test; then
    echo "-- the browser build's tests are SKIPPED: its Debian packages could not be installed"
    exit 0
fi
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# Debian's python3, which python3-fonttools installs into, cuts the page's font.
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DPython3_EXECUTABLE=/usr/bin/python3 \
    >/dev/null
cmake --build build-web -j"$jobs"

echo "-- the web runner under node against the native runner"
tools/web/compare_runners.sh build/tidewake-headless build-web/tidewake-headless.js

echo "-- the page in headless chromium"
if ! (cd tools/web/browser && { [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund; }); then
    echo "-- the browser test is SKIPPED: puppeteer-core could not be installed from npm"
    exit 0
fi
tools/web/browser_test.sh build/tidewake-headless build-web
