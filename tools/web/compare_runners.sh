#!/usr/bin/env bash
# Plays every key script of tests/web/keys through the native runner and the runner built by
# emscripten (under node) on copies of our courses, and requires byte-identical traces and the
# same pictures (--no-text: the web runner has no fonts) every 400 frames, and what they say.
# usage: tools/web/compare_runners.sh NATIVE_RUNNER WEB_RUNNER.js
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath "$1")
web=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for script in "$root"/tests/web/keys/*.txt; do
    name=$(basename "$script" .txt)
    frames=$(sed -n 's/^# \([0-9]*\) frames$/\1/p' "$script")
    shots=()
    for ((f = 0; f < frames; f += 400)); do shots+=(--shot "$f:shots/$f.png"); done
    for side in native web; do
        dir=$work/$name-$side
        mkdir -p "$dir/shots"
        cp -r "$root/stage" "$dir/stage"
        runner=("$native")
        [ $side = web ] && runner=(node "$web")
        (cd "$dir" && "${runner[@]}" --keys "$script" --frames "$frames" --no-text \
            --trace trace.csv "${shots[@]}" >run.log 2>&1) ||
            { echo "FAIL $name: the $side runner failed: $(tail -1 "$dir/run.log")"; status=1; }
    done
    if ! cmp -s "$work/$name-native/run.log" "$work/$name-web/run.log"; then
        echo "FAIL $name: the runners said different things"
        diff "$work/$name-native/run.log" "$work/$name-web/run.log" | head -4
        status=1
        continue
    fi
    if ! cmp -s "$work/$name-native/trace.csv" "$work/$name-web/trace.csv"; then
        echo "FAIL $name: traces differ"
        diff "$work/$name-native/trace.csv" "$work/$name-web/trace.csv" | head -4
        status=1
        continue
    fi
    differing=0
    for png in "$work/$name-native"/shots/*.png; do
        python3 "$root/tools/web/png_pixels.py" "$png" "$work/$name-web/shots/$(basename "$png")" ||
            { echo "FAIL $name: frame $(basename "$png" .png) differs"; differing=1; }
    done
    [ $differing -eq 0 ] || { status=1; continue; }
    echo "ok   $name: $frames frames, traces byte-identical, $(ls "$work/$name-native/shots" | wc -l) frames equal"
done
exit $status
