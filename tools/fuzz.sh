#!/usr/bin/env bash
# Fuzzes longer than tools/test.sh does: builds build-sanitize (the sanitizer suite's build) and
# runs every fuzz target for MINUTES each (default 10), two at a time (TIDEWAKE_JOBS=N for
# another number). Each target keeps its corpus in build-sanitize/corpus-NAME, the folder
# tools/test.sh also grows, seeded from fuzz/seeds/NAME. At the end one line per target says how
# many inputs it tried and what it found; a crashing input is left in build-sanitize/ and named,
# and the script then fails.
#   usage: tools/fuzz.sh [MINUTES | SECONDSs]     (tools/test.sh runs "tools/fuzz.sh 12s")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
duration=${1:-10}
if [[ "$duration" =~ ^[1-9][0-9]*$ ]]; then
    seconds=$((duration * 60))
    shown="$duration min"
elif [[ "$duration" =~ ^([1-9][0-9]*)s$ ]]; then
    seconds=${BASH_REMATCH[1]}
    shown="$seconds s"
else
    echo "usage: tools/fuzz.sh [MINUTES | SECONDSs]   (per target, e.g. 30 or 20s)" >&2
    exit 2
fi
jobs=${TIDEWAKE_JOBS:-2}

CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIDEWAKE_FUZZ=ON -DTIDEWAKE_SANITIZE=ON -DTIDEWAKE_TESTS=ON -DTIDEWAKE_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"

names=()
for fuzzer in build-sanitize/fuzz_*; do
    if [ ! -f "$fuzzer" ] || [ ! -x "$fuzzer" ]; then continue; fi
    names+=("${fuzzer#build-sanitize/fuzz_}")
done
if [ "${#names[@]}" -eq 0 ]; then
    echo "no fuzz targets were built" >&2
    exit 1
fi

# One target's run; its exit status goes to a file, since the loop below only waits for any.
fuzz_one() {
    local name=$1 corpus=build-sanitize/corpus-$1 seeds=()
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
    local status=0
    "build-sanitize/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-sanitize/fuzz_$name-" "$corpus" "${seeds[@]}" \
        >"build-sanitize/fuzz_$name.log" 2>&1 || status=$?
    echo "$status" >"build-sanitize/fuzz_$name.status"
}

echo "fuzzing ${#names[@]} targets for $shown each, $jobs at a time"
running=0
for name in "${names[@]}"; do
    rm -f "build-sanitize/fuzz_$name.status"
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    echo "-- fuzz_$name"
    fuzz_one "$name" &
    running=$((running + 1))
done
wait || true

failed=0
for name in "${names[@]}"; do
    log=build-sanitize/fuzz_$name.log
    status=$(cat "build-sanitize/fuzz_$name.status" 2>/dev/null || echo "?")
    tried=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    # A run cut short prints no final count; its last progress line says how far it got.
    [ -n "$tried" ] || tried=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
    found=$(sed -n "s/.*Test unit written to \(.*\)$/\1/p" "$log" |
        grep -v '/fuzz_[^/]*-slow-unit-' | paste -sd ' ' - || true)
    if [ "$status" = "0" ] && [ -z "$found" ]; then
        finding="nothing found"
    else
        failed=1
        finding="exit status $status; ${found:-no input written} (log: $log)"
        tail -n 40 "$log"
    fi
    printf '%-16s %12s inputs  %s\n' "fuzz_$name" "${tried:-?}" "$finding"
done
exit "$failed"
