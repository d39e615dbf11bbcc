#!/usr/bin/env bash
# The real game without sound: no audio device (a driver that does not exist), then a sound and
# tunes beside the executable missing or cut short. The game says each once with its cause,
# shows its box where it has one, and goes on silent; Escape still ends it with status 0.
set -u
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
# shellcheck source=../smoke/xvfb.sh
. "$source/tests/smoke/xvfb.sh"
need xwininfo

# The error box runs in a process of its own beside the game; one left open must not outlive
# the test.
end_game() {
    [ -z "$GAME_PID" ] && return
    for pid in $(ps -o pid= --ppid "$GAME_PID"); do kill "$pid"; done
    kill "$GAME_PID" 2>/dev/null
    wait_for_game_end 30 || kill -KILL "$GAME_PID"
}
trap 'end_game; cleanup' EXIT

fail() {
    echo "FAIL: $*"
    echo "--- stderr:"
    cat "$WORK/game.err"
    exit 1
}

# The id of the game's error box, if one is shown. Its name is UTF-8 typed, which xdotool's
# name search passes over.
error_box() {
    xwininfo -root -tree | awk '$2 == "\"Error\":" { print $1; exit }'
}

# Waits for the game's error box, checks stderr has exactly the given lines by then, and
# dismisses the box with Return.
dismiss_box() {
    local box=
    for _ in $(seq 100); do
        box=$(error_box)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no error box appeared"
    xdotool windowfocus --sync "$box" 2>/dev/null
    # The box is gone by the key's release, which xdotool then complains about.
    xdotool key --window "$box" Return 2>/dev/null
    for _ in $(seq 50); do
        if [ -z "$(error_box)" ]; then
            # The game pauses while its window is not the active one.
            xdotool windowfocus --sync "$WINDOW" 2>/dev/null
            return 0
        fi
        sleep 0.1
    done
    fail "the error box did not go away on Return"
}

# The game is still running, and Escape ends it with status 0.
expect_goes_on_and_quits() {
    sleep 1
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null
    xdotool key --window "$WINDOW" Escape 2>/dev/null
    wait_for_game_end 30 || fail "the game did not end on Escape"
    [ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
}

mkdir "$WORK/play"
cp -r "$source/stage" "$WORK/play/"
cd "$WORK/play" || exit 1

# No audio device: one box, one line with the system's reason.
SDL_AUDIODRIVER=tidewake-no-such-driver start_game "$build/tidewake"
dismiss_box
[ "$(wc -l <"$WORK/game.err")" -eq 1 ] || fail "expected one line on stderr"
grep -q "^tidewake: no sound device, the game runs silent: ." "$WORK/game.err" ||
    fail "stderr does not say there is no sound device and why"
expect_goes_on_and_quits

# A copy of the game with the first sound and the title's tune gone: the box for the sound, then
# a line for each file, and the opening goes on.
mkdir "$WORK/game"
cp "$build/tidewake" "$WORK/game/"
for name in speed.WAV jump.WAV crash.WAV select.mid game.mid; do cp "$build/$name" "$WORK/game/"; done
start_game "$WORK/game/tidewake"
dismiss_box
grep -qF "sound not loaded: $WORK/game/SE01.WAV: No such file or directory" "$WORK/game.err" ||
    fail "stderr does not name the missing sound and the cause"
sleep 1
grep -qF "tune not played: $WORK/game/title.mid: " "$WORK/game.err" ||
    fail "stderr does not name the missing tune"
[ "$(wc -l <"$WORK/game.err")" -eq 2 ] || fail "expected one line for each missing file"
expect_goes_on_and_quits

# The title's tune cut short: handed to the player, it looped its few notes without end and
# never let go of the sound device, so the game hung on Escape. It is refused instead.
head -c 40 "$build/title.mid" >"$WORK/game/title.mid"
cp "$build/SE01.WAV" "$WORK/game/"
start_game "$WORK/game/tidewake"
sleep 1
[ "$(wc -l <"$WORK/game.err")" -eq 1 ] || fail "expected one line for the cut tune"
grep -qF "tune not played: $WORK/game/title.mid: the file is cut short" "$WORK/game.err" ||
    fail "stderr does not name the cut tune and the cause"
expect_goes_on_and_quits
echo "ok"
