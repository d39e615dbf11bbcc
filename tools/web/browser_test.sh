#!/usr/bin/env bash
# The page in headless chromium (tools/web/browser/browser_test.js), served from 127.0.0.1 with
# a test course folder, a key script and its race's replay beside it, against the native
# runner's frames and replay file (with and without that race's boat as a ghost), a race played
# by the touch buttons against the runner's frame for the keys they gave, and the settings kept in
# the browser (the page's choice of keys also under node, key_choice_test.js); then the course
# editor (editor_test.js), whose saved course the native tidewake-stage checks, and which leaves
# its screenshot in docs/editor.png. Last the page served by a record server of our own
# (records_test.js: tidewake-records beside the runner, on 127.0.0.1 with a database in the work
# folder), and the record table's page.
# usage: tools/web/browser_test.sh NATIVE_RUNNER BUILD_WEB_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath "$1")
site_source=$(realpath "$2/web")
stop=600
replay_stop=700
ghost_stop=520
work=$(mktemp -d)
server=
records_server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null
    [ -n "$records_server" ] && kill "$records_server" 2>/dev/null && wait "$records_server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The site: the page as built, and a test folder with our courses and the first race's keys.
mkdir -p "$work/site/test" "$work/native"
for entry in "$site_source"/*; do ln -s "$entry" "$work/site/"; done
"$root/tools/web/stage_folder.sh" "$work/site/test/stage" "$root"/stage/*.dat
cp "$root/tests/web/keys/race_stage1.txt" "$work/site/test/keys.txt"
cp "$root/tests/web/keys/straight_stage1.txt" "$work/site/test/straight.txt"

cp -r "$root/stage" "$work/native/stage"
frames=$(sed -n 's/^# \([0-9]*\) frames$/\1/p' "$work/site/test/keys.txt")
(cd "$work/native" && HOME=$work/native XDG_DATA_HOME='' "$native" --keys "$work/site/test/keys.txt" \
    --frames "$frames" --no-text --shot "$stop:frame.png" --save-replay "$work/site/test/race.twr" \
    --trace trace.csv >/dev/null)
# The scenes of the whole script in the order they ran, as the page logs them.
awk -F, 'NR > 1 && $2 != last { printf "%s%s", sep, $2; sep = ","; last = $2 }' \
    "$work/native/trace.csv" >"$work/native/scenes.txt"
(cd "$work/native" && HOME=$work/native XDG_DATA_HOME='' "$native" --replay "$work/site/test/race.twr" \
    --frames $((replay_stop + 1)) --no-text --shot "$replay_stop:replay.png" >/dev/null)
# The same start never steered, racing the first race's boat as a ghost, and without it.
for shot in ghost plain; do
    ghost=()
    [ "$shot" = ghost ] && ghost=(--ghost "$work/site/test/race.twr")
    (cd "$work/native" && HOME=$work/native XDG_DATA_HOME='' "$native" --keys "$work/site/test/straight.txt" \
        --frames $((ghost_stop + 1)) --no-text "${ghost[@]}" --shot "$ghost_stop:$shot.png" >/dev/null)
done
# A race on another course, to race against on the page.
frames=$(sed -n 's/^# \([0-9]*\) frames$/\1/p' "$root/tests/web/keys/race_stage3.txt")
(cd "$work/native" && HOME=$work/native XDG_DATA_HOME='' "$native" --keys "$root/tests/web/keys/race_stage3.txt" \
    --frames "$frames" --no-draw --save-replay "$work/site/test/race2.twr" >/dev/null)
# A replay of a course neither holds, and the desktop's words refusing it.
sed 's/^course .*/course 77_elsewhere.dat/' "$work/site/test/race.twr" >"$work/native/elsewhere.twr"
(cd "$work/native" && HOME=$work/native XDG_DATA_HOME='' "$native" --replay elsewhere.twr --frames 2 \
    --no-text >/dev/null 2>elsewhere.txt) || true

# shellcheck source=local_server.sh
. "$root/tools/web/local_server.sh"
serve_folder "$work/site" "$work/server.log"
cd "$root/tools/web/browser"
[ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund >/dev/null
node browser_test.js "http://127.0.0.1:$port" "$work/native" "$stop" "$replay_stop" "$ghost_stop" "$native"
node editor_model_test.js
node key_choice_test.js
mkdir -p "$root/docs"
node editor_test.js "http://127.0.0.1:$port" "$(dirname "$native")/tidewake-stage" "$root/docs/editor.png"

# The record server: its own port and database, the page as built under /play/, and no limit on
# runs worth the name, since one address sends them all.
records=$(dirname "$native")/tidewake-records
if [ ! -x "$records" ]; then
    echo "FAIL the page with a record server: $records is not built"
    exit 1
fi
records_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$records" serve --db "$work/records.sqlite" --listen "127.0.0.1:$records_port" --site "$site_source" \
    --runs-per-minute 1000 >"$work/records.log" 2>&1 &
records_server=$!
for _ in $(seq 100); do
    python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$records_port/api/courses')" \
        2>/dev/null && break
    sleep 0.1
done
node records_test.js "http://127.0.0.1:$records_port" "$root" "$work/site/test/race2.twr" ||
    { cat "$work/records.log"; exit 1; }
