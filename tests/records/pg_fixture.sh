#!/usr/bin/env bash
# The records tests' PostgreSQL: one throw-away cluster for the whole ctest run, made under the
# temporary folder (where the unprivileged owner tools/pg_cluster.sh picks as root can reach it);
# its URI is left in STATE/pg_uri for the tests, and its folder's name in STATE/pg_cluster.
# usage: tests/records/pg_fixture.sh start|stop STATE SOURCE
set -uo pipefail
action=$1
state=$2
cluster_script=$3/tools/pg_cluster.sh
mkdir -p "$state"

stop() {
    [ -f "$state/pg_cluster" ] || return 0
    local dir
    dir=$(cat "$state/pg_cluster")
    "$cluster_script" stop "$dir"
    local status=$?
    rm -rf "$dir" "$state/pg_cluster"
    return $status
}

case $action in
    start)
        # A cluster left by a run that was cut short, and its URI, go first.
        rm -f "$state/pg_uri"
        stop
        dir=$(mktemp -d "${TMPDIR:-/tmp}/tidewake-pg.XXXXXX") || exit 1
        printf '%s\n' "$dir" >"$state/pg_cluster"
        "$cluster_script" start "$dir" >"$state/pg_uri.new"
        status=$?
        if [ $status -ne 0 ]; then
            rm -f "$state/pg_uri.new"
            stop
            exit $status
        fi
        mv "$state/pg_uri.new" "$state/pg_uri"
        cat "$state/pg_uri"
        ;;
    stop)
        rm -f "$state/pg_uri"
        stop
        ;;
    *)
        echo "usage: $0 start|stop STATE SOURCE" >&2
        exit 2
        ;;
esac
