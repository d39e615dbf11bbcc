#!/usr/bin/env bash
# The real game in a real (virtual) X window: the opening shows its text at twice the size, and
# Escape ends the game with status 0 within a second.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"

start_game "$game"
sleep 2.5  # the opening's texts are at full brightness from 1.7 s on

geometry=$(xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}')
echo "window: $geometry"
[ "$geometry" = "1280x960" ] || { echo "expected the window at twice 640x480"; exit 1; }

/usr/bin/import -window "$WINDOW" "$WORK/shot.png"
# Near-white pixels: the three lines of text, each game pixel shown as a 2x2 block.
white=$(/usr/bin/convert "$WORK/shot.png" -colorspace Gray -threshold 80% -format '%[fx:round(mean*w*h)]' info:)
echo "near-white pixels: $white"
[ "$white" -gt 1500 ] || { echo "the opening's text is not on screen"; cp "$WORK/shot.png" /tmp/tidewake-smoke.png; exit 1; }

xdotool windowfocus --sync "$WINDOW" 2>/dev/null
xdotool key --window "$WINDOW" Escape
wait_for_game_end 10 || { echo "the game did not end within a second of Escape"; exit 1; }
echo "exit status: $GAME_STATUS"
[ "$GAME_STATUS" -eq 0 ] || { cat "$WORK/game.err"; exit 1; }
echo "ok"
