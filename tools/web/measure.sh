#!/usr/bin/env bash
# Measures the page against the floor page in headless chromium (tools/web/browser/measure.js):
# serves the page as built, with a test course folder and the first race's key script, and
# floor.html beside it. Numbers for notes; run it on a machine that is otherwise quiet.
# usage: tools/web/measure.sh BUILD_WEB_FOLDER [ROUNDS] [SECONDS] [QUERY]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
site_source=$(realpath "$1/web")
shift
work=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/site/test"
for entry in "$site_source"/*; do ln -s "$entry" "$work/site/"; done
ln -s "$root/tools/web/browser/floor.html" "$work/site/floor.html"
"$root/tools/web/stage_folder.sh" "$work/site/test/stage" "$root"/stage/*.dat
cp "$root/tests/web/keys/race_stage1.txt" "$work/site/test/keys.txt"

# shellcheck source=local_server.sh
. "$root/tools/web/local_server.sh"
serve_folder "$work/site" "$work/server.log"
cd "$root/tools/web/browser"
[ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund >/dev/null
uptime
node measure.js "http://127.0.0.1:$port" "$@"
uptime
