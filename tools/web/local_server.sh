# shellcheck shell=bash
# Shared by the browser scripts (sourced): serves a folder over http on a free port of
# 127.0.0.1 and waits until it answers.
# serve_folder FOLDER LOG sets `port`, and `server` to the server's pid, which the caller stops.
serve_folder() {
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    python3 -m http.server "$port" --bind 127.0.0.1 --directory "$1" >"$2" 2>&1 &
    # shellcheck disable=SC2034 # the caller stops it
    server=$!
    for _ in $(seq 50); do
        python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
        sleep 0.1
    done
}
