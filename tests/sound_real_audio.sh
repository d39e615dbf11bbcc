#!/usr/bin/env bash
# The real game and the real mixer, heard through SDL's disk audio driver:
#  1. tidewake (no window needed) plays the title tune from the opening: the capture is not silence;
#  2. tidewake-sound-check plays each effect once, a second apart: each second holds sound.
# Usage: sound_real_audio.sh TIDEWAKE SOUND_CHECK. Exit 77 (skipped) where sox is missing.
set -u
game=$1
check=$2
command -v sox >/dev/null || { echo "sox not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap '[ -n "${check_pid:-}" ] && kill "$check_pid" 2>/dev/null; rm -rf "$work"' EXIT

# RMS level (0..1) of a stretch of a capture: 44.1 kHz 16-bit stereo, as the game opens it.
level() {  # file start length
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -n trim "$2" "$3" stat 2>&1 |
        awk '/RMS +amplitude/ {print $3}'
}
loud() {  # level threshold
    awk -v l="$1" -v t="$2" 'BEGIN { exit !(l + 0 > t + 0) }'
}

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk
# The player's data and config folders stay inside the test.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
cd "$work" || exit 1
# Both captures at once: the disk driver writes in real time, so they cost one wait.
SDL_DISKAUDIOFILE="$work/effects.raw" "$check" >"$work/check.log" 2>&1 &
check_pid=$!
SDL_DISKAUDIOFILE="$work/game.raw" timeout -s TERM 8 "$game" >"$work/game.log" 2>&1
if [ ! -s "$work/game.raw" ]; then
    echo "FAIL: tidewake wrote no audio"; cat "$work/game.log"; exit 1
fi
# Loading the soundfont takes a moment; by the fourth second the tune is playing.
tune=$(level "$work/game.raw" 4 3)
echo "title tune RMS: $tune"
loud "$tune" 0.01 || { echo "FAIL: the title tune is silent"; cat "$work/game.log"; exit 1; }
if grep -q "Error" "$work/game.log"; then
    echo "FAIL: the game reported an error"; cat "$work/game.log"; exit 1
fi

wait "$check_pid" ||
    { echo "FAIL: tidewake-sound-check"; cat "$work/check.log"; exit 1; }
# The first effect comes a second in; a busy machine can pull it earlier, so only the first
# 0.4 s are held to silence.
silence=$(level "$work/effects.raw" 0.05 0.35)
echo "before the effects: $silence"
loud "$silence" 0.001 && { echo "FAIL: noise before any effect"; exit 1; }
status=0
for i in 1 2 3 4; do
    name=$(echo "SE01.WAV speed.WAV jump.WAV crash.WAV" | cut -d' ' -f$i)
    effect=$(level "$work/effects.raw" "$i" 0.9)
    echo "$name RMS: $effect"
    loud "$effect" 0.01 || { echo "FAIL: $name is silent"; status=1; }
done
exit $status
