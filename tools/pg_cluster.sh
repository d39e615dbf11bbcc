#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the record server's tests: made in DIR, listening on a unix
# socket in DIR only (no TCP port to find free or to share with the machine), trusting whoever
# can reach DIR. Run as root, the server runs as nobody, since PostgreSQL refuses root.
# usage: tools/pg_cluster.sh start DIR   prints the connection URI, and writes it to DIR/uri
#        tools/pg_cluster.sh stop DIR    stops it; the caller removes DIR
#        tools/pg_cluster.sh resume DIR  starts a stopped one again, as it was
# Exits 77 when PostgreSQL's server programs are not installed (PG_BINDIR names where they are,
# /usr/lib/postgresql/15/bin by default).
set -euo pipefail

usage() {
    echo "usage: $0 start|stop|resume DIR" >&2
    exit 2
}
[ $# -eq 2 ] || usage
action=$1
dir=$2
bindir=${PG_BINDIR:-/usr/lib/postgresql/15/bin}
database=tidewake
role=tidewake

# Runs a PostgreSQL program as the cluster's owner: ourselves, or nobody when we are root.
as_owner() {
    if [ "$(id -u)" -ne 0 ]; then
        HOME=$dir "$@"
    elif command -v setpriv >/dev/null; then
        HOME=$dir setpriv --reuid="$owner_uid" --regid="$owner_gid" --clear-groups -- "$@"
    else
        HOME=$dir runuser -u "$(id -nu "$owner_uid")" -- "$@"
    fi
}

# The URI's query takes the socket's folder as it is, but for the characters a URI reserves.
uri_encoded() {
    local LC_ALL=C text=$1 out="" c i
    for ((i = 0; i < ${#text}; ++i)); do
        c=${text:i:1}
        case $c in
            [A-Za-z0-9/._~-]) out+=$c ;;
            *) out+=$(printf '%%%02X' "'$c") ;;
        esac
    done
    printf '%s' "$out"
}

start() {
    if [ ! -x "$bindir/initdb" ] || [ ! -x "$bindir/pg_ctl" ]; then
        echo "$0: no PostgreSQL server programs in $bindir (tools/setup.sh test installs them)" >&2
        exit 77
    fi
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd -P)
    if [ -e "$dir/data" ]; then
        echo "$0: $dir holds a cluster already" >&2
        exit 1
    fi
    if [ "$(id -u)" -eq 0 ]; then
        owner_uid=$(id -u nobody)
        owner_gid=$(id -g nobody)
        chown "$owner_uid:$owner_gid" "$dir"
    fi
    chmod 700 "$dir"
    # Its programs start from DIR, which the owner can always read, wherever we were.
    cd "$dir"
    if ! as_owner test -w "$dir"; then
        echo "$0: the cluster's owner cannot reach $dir; make it under /tmp" >&2
        exit 1
    fi
    as_owner "$bindir/initdb" --pgdata="$dir/data" --username="$role" --auth=trust \
        --encoding=UTF8 --locale=C --no-sync --no-instructions >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    # A cluster for tests: nothing it holds need survive a crash, so nothing waits for the disk;
    # shared memory in files, since a container's /dev/shm may be small.
    cat >>"$dir/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '${dir//\'/\'\'}'
fsync = off
synchronous_commit = off
full_page_writes = off
shared_buffers = 16MB
dynamic_shared_memory_type = mmap
EOF
    if ! as_owner "$bindir/pg_ctl" --pgdata="$dir/data" --log="$dir/server.log" --wait \
        --timeout=60 start >/dev/null; then
        cat "$dir/server.log" >&2 || true
        exit 1
    fi
    as_owner "$bindir/createdb" --host="$dir" --username="$role" "$database" ||
        { stop; exit 1; }
    local uri
    uri="postgresql://$role@/$database?host=$(uri_encoded "$dir")"
    printf '%s\n' "$uri" >"$dir/uri"
    printf '%s\n' "$uri"
}

stop() {
    [ -f "$dir/data/postmaster.pid" ] || return 0
    dir=$(cd "$dir" && pwd -P)
    if [ "$(id -u)" -eq 0 ]; then
        owner_uid=$(stat -c %u "$dir/data")
        owner_gid=$(stat -c %g "$dir/data")
    fi
    cd "$dir"
    as_owner "$bindir/pg_ctl" --pgdata="$dir/data" --mode=fast --wait stop >/dev/null
}

resume() {
    dir=$(cd "$dir" && pwd -P)
    if [ "$(id -u)" -eq 0 ]; then
        owner_uid=$(stat -c %u "$dir/data")
        owner_gid=$(stat -c %g "$dir/data")
    fi
    cd "$dir"
    as_owner "$bindir/pg_ctl" --pgdata="$dir/data" --log="$dir/server.log" --wait \
        --timeout=60 start >/dev/null
}

case $action in
    start) start ;;
    stop) stop ;;
    resume) resume ;;
    *) usage ;;
esac
