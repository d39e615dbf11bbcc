#!/usr/bin/env bash
# Measures the real game in a virtual X window: CPU use of a core and the interval between
# presented frames, over a few seconds of the opening, or of a race when the third argument is
# "race" (run from a folder with a stage/ folder, such as the repository's root); also the wait
# from loading the program to its first frame, and the most memory it held (VmHWM). Arguments
# after the third go to the game: `--ghost FILE` races a ghost, `--no-ghost` none.
# usage: bench/window/measure.sh BUILD_DIR [SECONDS] [opening|race] [GAME ARGUMENTS...]
set -u
build=$(cd "$1" && pwd)
seconds=${2:-5}
what=${3:-opening}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tests/smoke/xvfb.sh"

cc -shared -fPIC -O2 -o "$WORK/present_clock.so" "$here/present_clock.c" -ldl || exit 1
PRESENT_CLOCK_LOG="$WORK/presents.txt" PRESENT_CLOCK_START="$WORK/start.txt" LD_PRELOAD="$WORK/present_clock.so" start_game "$build/tidewake" "$@"
hold() { xdotool keydown --window "$WINDOW" "$1"; sleep "$2"; xdotool keyup --window "$WINDOW" "$1"; }
if [ "$what" = race ]; then
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null
    sleep 7.5           # the opening
    hold Up 0.3         # title: to the stage select
    sleep 0.5
    hold Down 0.3       # start the race on the first course
    sleep 3             # the countdown
    xdotool keydown --window "$WINDOW" Left  # circle on the water while measuring
fi
sleep 0.5
lines_before=$(wc -l <"$WORK/presents.txt")
ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
lines_after=$(wc -l <"$WORK/presents.txt")
peak=$(awk '/^VmHWM/ {print $2}' "/proc/$GAME_PID/status")
hz=$(getconf CLK_TCK)
awk -v b="$before" -v a="$after" -v s="$start" -v e="$end" -v hz="$hz" -v w="$what" \
    'BEGIN { printf "%s: cpu %.1f%% of a core over %.1f s\n", w, 100 * (a - b) / hz / (e - s), e - s }'
echo "memory: max RSS ${peak} kB"
awk -v start="$(cat "$WORK/start.txt")" 'NR == 1 { printf "first frame: %.1f ms after loading\n", $1 - start }' \
    "$WORK/presents.txt"
xdotool key --window "$WINDOW" Escape
sleep 0.5
# Interval statistics over the measured stretch only.
awk -v from="$lines_before" -v to="$lines_after" \
    'NR > from && NR <= to { if (p) { d = $1 - p; n++; s += d; q += d * d; if (d < lo || n == 1) lo = d; if (d > hi) hi = d;
              if (d < 30) short++ } p = $1 }
     END { m = s / n; printf "frames: %d intervals, mean %.2f ms, sd %.2f ms, min %.2f, max %.2f, under 30 ms: %d\n",
           n, m, sqrt(q / n - m * m), lo, hi, short }' "$WORK/presents.txt"
