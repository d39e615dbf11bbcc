#!/usr/bin/env bash
# Measures the real game in a virtual X window: CPU use of a core and the interval between
# presented frames, over a few seconds of the opening.
# usage: bench/window/measure.sh BUILD_DIR [SECONDS]
set -u
build=$(cd "$1" && pwd)
seconds=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tests/smoke/xvfb.sh"

cc -shared -fPIC -O2 -o "$WORK/present_clock.so" "$here/present_clock.c" -ldl || exit 1
PRESENT_CLOCK_LOG="$WORK/presents.txt" LD_PRELOAD="$WORK/present_clock.so" start_game "$build/tidewake"
sleep 0.5
ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
hz=$(getconf CLK_TCK)
awk -v b="$before" -v a="$after" -v s="$start" -v e="$end" -v hz="$hz" \
    'BEGIN { printf "cpu: %.1f%% of a core over %.1f s\n", 100 * (a - b) / hz / (e - s), e - s }'
xdotool key --window "$WINDOW" Escape
sleep 0.5
# Skip the first presents (window start-up), then interval statistics.
awk 'NR > 5 { if (p) { d = $1 - p; n++; s += d; q += d * d; if (d < lo || n == 1) lo = d; if (d > hi) hi = d;
              if (d < 30) short++ } p = $1 }
     END { m = s / n; printf "frames: %d intervals, mean %.2f ms, sd %.2f ms, min %.2f, max %.2f, under 30 ms: %d\n",
           n, m, sqrt(q / n - m * m), lo, hi, short }' "$WORK/presents.txt"
