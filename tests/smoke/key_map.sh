#!/usr/bin/env bash
# The player's keys.ini in the real game: with "escape = X" in the config folder, X ends the
# game, and a line the game cannot read is named on stderr without stopping it.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"

mkdir -p "$WORK/config/tidewake"
printf 'escape = X\nfly = Space\n' >"$WORK/config/tidewake/keys.ini"
XDG_CONFIG_HOME="$WORK/config" start_game "$game"
sleep 1
xdotool windowfocus --sync "$WINDOW" 2>/dev/null
xdotool key --window "$WINDOW" x
wait_for_game_end 20 || { echo "X, chosen for Escape, did not end the game"; exit 1; }
[ "$GAME_STATUS" -eq 0 ] || { cat "$WORK/game.err"; echo "exit status $GAME_STATUS"; exit 1; }
grep -q "keys.ini:2: 'fly' is not one of" "$WORK/game.err" ||
    { cat "$WORK/game.err"; echo "the bad line was not named"; exit 1; }
echo "ok"
