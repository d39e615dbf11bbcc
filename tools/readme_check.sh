#!/usr/bin/env bash
# The README's "Installing" commands, run exactly as written in a fresh copy of the tree, with a
# home folder of their own (so ~/.local is a temporary prefix); then the installed runner is
# started from an unrelated folder and races a scripted start. Fails when the README and the
# build have drifted apart.
# usage: tools/readme_check.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The shell block that follows a README heading.
readme_block() {
    awk -v heading="$1" '$0 == "## " heading { on = 1; next }
        on && /^```sh$/ { inside = 1; next }
        inside && /^```$/ { exit }
        inside { print }' "$root/README.md"
}
block=$(readme_block Installing)
[ -n "$block" ] || { echo "README.md: no sh block under '## Installing'"; exit 1; }

tar -C "$root" --exclude=./.git --exclude='./build*' --exclude=./dist --exclude=node_modules \
    -cf - . | tar -C "$work" -xf -
mkdir -p "$work/home" "$work/elsewhere"
echo "== the README's Installing block, in a fresh copy"
printf '%s\n' "$block"
(cd "$work" && HOME="$work/home" bash -euo pipefail -c "$block") >"$work/readme.log" 2>&1 ||
    { tail -40 "$work/readme.log"; echo "FAIL: the README's Installing block"; exit 1; }

runner="$work/home/.local/bin/tidewake-headless"
[ -x "$runner" ] || { echo "FAIL: the block installed no $runner"; exit 1; }
# Up on the title, Down on the stage select, then the countdown and a few seconds of racing.
printf '300 up down\n310 up up\n400 down down\n410 down up\n' >"$work/keys.txt"
(cd "$work/elsewhere" && XDG_DATA_HOME="$work/data" "$runner" --keys "$work/keys.txt" \
    --frames 900 --no-draw --trace trace.csv) ||
    { echo "FAIL: the installed runner"; exit 1; }
race_rows=$(awk -F, 'NR > 1 && $3 > 0' "$work/elsewhere/trace.csv" | wc -l)
[ "$race_rows" -gt 100 ] || { echo "FAIL: the installed runner raced $race_rows frames"; exit 1; }
[ -f "$work/data/tidewake/stage/01.dat" ] ||
    { echo "FAIL: the installed runner did not fill the player's stage folder"; exit 1; }
echo "the README's Installing block builds and installs; the installed runner raced $race_rows frames"
