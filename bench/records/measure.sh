#!/usr/bin/env bash
# The record server under load on this machine: a server of the build's own on a fresh SQLite file
# or a throw-away PostgreSQL cluster, the shipped stage 1 shared, then tidewake-records-load's
# mixed traffic for a while; the server's memory before and after, and what it answered.
#   usage: bench/records/measure.sh sqlite|postgres [CLIENTS] [SECONDS] [SERVER OPTIONS...]
#   e.g.   bench/records/measure.sh sqlite 8 20
#          bench/records/measure.sh postgres 200 20 --queue 4     (overloaded on purpose)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TIDEWAKE_BUILD:-$root/build}
kind=${1:-sqlite}
clients=${2:-8}
seconds=${3:-20}
shift $(($# < 3 ? $# : 3))

work=$(mktemp -d)
cluster=""
server=""
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    [ -n "$cluster" ] && "$root/tools/pg_cluster.sh" stop "$cluster" >/dev/null 2>&1
    [ -n "$cluster" ] && rm -rf "$cluster"
    rm -rf "$work"
}
trap cleanup EXIT

case $kind in
    sqlite) db=$work/records.sqlite ;;
    postgres)
        cluster=$(mktemp -d "${TMPDIR:-/tmp}/tidewake-pg-bench.XXXXXX")
        db=$("$root/tools/pg_cluster.sh" start "$cluster")
        ;;
    *) echo "usage: $0 sqlite|postgres [CLIENTS] [SECONDS] [SERVER OPTIONS...]" >&2; exit 2 ;;
esac

# A replay of a finished four-lap race on stage 1, driven by the tests' key script.
mkdir -p "$work/race"
cp -r "$root/stage" "$work/race/"
(cd "$work/race" && XDG_DATA_HOME=$work/data "$build/tidewake-headless" \
    --keys "$root/tests/fixtures/finish_01.keys" --frames 2700 --no-draw \
    --save-replay "$work/race.twr")

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$build/tidewake-records" serve --db "$db" --listen "127.0.0.1:$port" --runs-per-minute 100000 \
    "$@" 2>"$work/server.log" &
server=$!
for _ in $(seq 100); do
    curl -s -o /dev/null "http://127.0.0.1:$port/api/courses" && break
    sleep 0.1
done
curl -s -o /dev/null -X POST --data-binary "@$root/stage/01.dat" "http://127.0.0.1:$port/api/courses"

rss() { awk '/^VmRSS/ { print $2 " kB" }' "/proc/$server/status"; }
echo "database: $kind; server memory before: $(rss)"
nice -n "${TIDEWAKE_LOAD_NICE:-0}" "$build/tidewake-records-load" "http://127.0.0.1:$port" "$work/race.twr" --clients "$clients" \
    --seconds "$seconds"
echo "server memory after: $(rss)"
kill -0 "$server" || { cat "$work/server.log"; echo "the server ended under the load"; exit 1; }
