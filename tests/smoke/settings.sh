#!/usr/bin/env bash
# The settings in the real game: on the title Down opens them; the Window row resizes the real
# window at once; a key bound on the screen through the real keyboard is written to keys.ini;
# Q keeps the settings in settings.ini, both in the player's config folder.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"

# One press: held long enough for the game to see it held, then a pause before the next.
press() {
    xdotool keydown --window "$WINDOW" "$1"
    sleep 0.12
    xdotool keyup --window "$WINDOW" "$1"
    sleep 0.15
}

size() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p'; }

start_game "$game" --lang en
xdotool windowfocus --sync "$WINDOW" 2>/dev/null
sleep 8  # the opening (about 7 s), then the title
opened=$(size)
press Down
for _ in 1 2 3 4; do press Down; done  # Language, Music, Effects, Ghost, Window
press Left
sleep 0.5
[ "$(size)" = "640x480" ] || { echo "the Window row left the window at $(size) (was $opened)"; exit 1; }
press Down
press Right  # the key list
press Right  # a new key for Up
press x
press q
press q
sleep 0.3
folder="$XDG_CONFIG_HOME/tidewake"
grep -qx "up = X" "$folder/keys.ini" 2>/dev/null ||
    { cat "$WORK/game.err"; cat "$folder/keys.ini"; echo "keys.ini does not bind X to up"; exit 1; }
grep -qx "window = 1" "$folder/settings.ini" 2>/dev/null ||
    { cat "$WORK/game.err"; cat "$folder/settings.ini"; echo "settings.ini lacks window = 1"; exit 1; }
xdotool key --window "$WINDOW" Escape 2>/dev/null
wait_for_game_end 30 || { echo "Escape did not end the game"; exit 1; }
[ "$GAME_STATUS" -eq 0 ] || { cat "$WORK/game.err"; echo "exit status $GAME_STATUS"; exit 1; }
echo "ok"
