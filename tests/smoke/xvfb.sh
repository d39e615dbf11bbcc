# shellcheck shell=bash
# Shared by the real-window scripts: a private Xvfb display and the game started on it.
# Sourced; sets DISPLAY, XVFB_PID, WORK (a temporary folder removed on exit).

need() { command -v "$1" >/dev/null 2>&1 || { echo "skipped: $1 is not installed"; exit 77; }; }
need Xvfb
need xdotool
need /usr/bin/import
need /usr/bin/convert

WORK=$(mktemp -d)
XVFB_PID=
GAME_PID=
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
# A script stopped by a signal (Ctrl-C, or its output piped into head) still cleans up: a game
# left behind would go on running without its display.
trap 'exit 1' INT TERM HUP PIPE

# Xvfb takes the first free display number itself and writes it down: two tests started at once
# (ctest -j) would otherwise both pick the same free number, and one would talk to the other's
# server.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display=
for _ in $(seq 50); do
    display=$(head -n 1 "$WORK/display" 2>/dev/null)
    [ -n "$display" ] && [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
[ -n "$display" ] || { echo "Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
export DISPLAY=":$display"
export SDL_AUDIODRIVER=dummy
# The player's data and config folders stay inside the test.
export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config"
unset SDL_VIDEODRIVER

# Starts the game in the background (in the current folder) and waits for its window.
start_game() {
    "$@" >"$WORK/game.out" 2>"$WORK/game.err" &
    GAME_PID=$!
    WINDOW=$(timeout 10 xdotool search --sync --name '^Tide Wake$' | head -n 1)
    [ -n "$WINDOW" ] || { echo "the game's window did not appear"; cat "$WORK/game.err"; exit 1; }
}

# Waits up to $1 tenths of a second for the game to end and sets GAME_STATUS to its exit
# status; false when it is still running then.
wait_for_game_end() {
    for _ in $(seq "$1"); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$GAME_PID" 2>/dev/null && return 1
    wait "$GAME_PID"
    # shellcheck disable=SC2034 # read by the scripts that source this
    GAME_STATUS=$?
    GAME_PID=
}
