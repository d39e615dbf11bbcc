#!/usr/bin/env bash
# Plays every key script of tests/web/keys through the native runner and the runner built by
# emscripten (under node), and requires byte-identical traces, the same pictures (--no-text: the
# web runner has no fonts) every 400 frames, the same messages and the same player's files.
# Each run has a home of its own. The first script runs from a folder without courses, so both
# fill the player's stage folder from the shipped courses; the others run on copies in ./stage.
# Then the replay the first race left is played from its file by both.
# usage: tools/web/compare_runners.sh NATIVE_RUNNER WEB_RUNNER.js
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath "$1")
web=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# run SIDE NAME FRAMES [runner options...]: one run in $work/NAME-SIDE with its own home.
run() {
    local side=$1 name=$2 frames=$3
    shift 3
    local dir=$work/$name-$side shots=()
    for ((f = 0; f < frames; f += 400)); do shots+=(--shot "$f:shots/$f.png"); done
    mkdir -p "$dir/shots" "$work/home-$name-$side"
    local runner=("$native")
    [ "$side" = web ] && runner=(node "$web")
    (cd "$dir" && HOME=$work/home-$name-$side XDG_DATA_HOME='' "${runner[@]}" "$@" --frames "$frames" \
        --no-text --trace trace.csv "${shots[@]}" >run.log 2>&1) ||
        { echo "FAIL $name: the $side runner failed: $(tail -1 "$dir/run.log")"; status=1; }
}

# compare NAME FRAMES: the two sides' messages, traces and pictures.
compare() {
    local name=$1 frames=$2 native_dir=$work/$1-native web_dir=$work/$1-web
    if ! cmp -s "$native_dir/run.log" "$web_dir/run.log"; then
        echo "FAIL $name: the runners said different things"
        diff "$native_dir/run.log" "$web_dir/run.log" | head -4
        status=1
        return
    fi
    if ! cmp -s "$native_dir/trace.csv" "$web_dir/trace.csv"; then
        echo "FAIL $name: traces differ"
        diff "$native_dir/trace.csv" "$web_dir/trace.csv" | head -4
        status=1
        return
    fi
    local png
    for png in "$native_dir"/shots/*.png; do
        python3 "$root/tools/web/png_pixels.py" "$png" "$web_dir/shots/$(basename "$png")" ||
            { echo "FAIL $name: frame $(basename "$png" .png) differs"; status=1; return; }
    done
    local equal
    equal=$(find "$native_dir/shots" -mindepth 1 -maxdepth 1 ! -name '.*' | wc -l)
    echo "ok   $name: $frames frames, traces byte-identical, $equal frames equal"
}

first=
for script in "$root"/tests/web/keys/*.txt; do
    name=$(basename "$script" .txt)
    frames=$(sed -n 's/^# \([0-9]*\) frames$/\1/p' "$script")
    for side in native web; do
        mkdir -p "$work/$name-$side"
        [ -n "$first" ] && cp -r "$root/stage" "$work/$name-$side/stage"
        run $side "$name" "$frames" --keys "$script"
    done
    compare "$name" "$frames"
    first=${first:-$name}
done

# The player's folders: the same records in the courses and the same replays, whatever their
# names' time stamps.
data=.local/share/tidewake
if ! diff -r "$work/home-$first-native/$data/stage" "$work/home-$first-web/$data/stage" >/dev/null; then
    echo "FAIL the player's courses differ after $first"
    status=1
fi
replays=("$work/home-$first-native/$data/replays"/*.twr)
if [ ${#replays[@]} -ne 1 ] || ! cmp -s "${replays[0]}" "$work/home-$first-web/$data/replays"/*.twr; then
    echo "FAIL $first did not leave one and the same replay on both sides"
    status=1
else
    echo "ok   $first: the player's courses and its replay file are the same on both sides"
    for side in native web; do
        mkdir -p "$work/replay-$side"
        cp -r "$root/stage" "$work/replay-$side/stage"
        run $side replay 3000 --replay "${replays[0]}"
    done
    compare replay 3000
fi
exit $status
