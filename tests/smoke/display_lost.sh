#!/usr/bin/env bash
# The X server goes away under the racing game (a crashed or closed session): the game ends
# within a few seconds instead of living on without a display, whether or not it was also asked
# to quit at that moment.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"

for asked_to_quit in no yes; do
    start_game "$game"
    sleep 1.5
    [ "$asked_to_quit" = yes ] && kill "$GAME_PID"
    kill "$XVFB_PID"
    wait_for_game_end 50 || { echo "the game lives on without its display (asked to quit: $asked_to_quit)"; exit 1; }
    echo "asked to quit: $asked_to_quit; exit status $GAME_STATUS"
    wait "$XVFB_PID" 2>/dev/null
    # A new server for the next round, on a display of its own.
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
        display=$(head -n 1 "$WORK/display" 2>/dev/null)
        [ -n "$display" ] && [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
done
echo "ok"
