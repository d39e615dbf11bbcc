#!/usr/bin/env bash
# tools/check.sh against a copy of the tree: the copy as it is passes, and each fault planted in
# it is named by file and line, with a failing exit.
# usage: tests/check/plants.sh SOURCE_DIR
set -uo pipefail
src=${1:?usage: plants.sh SOURCE_DIR}
command -v clang-format >/dev/null || { echo "skipped: no clang-format"; exit 77; }
command -v shellcheck >/dev/null || { echo "skipped: no shellcheck"; exit 77; }
command -v eslint >/dev/null || { echo "skipped: no eslint"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work" "$work.out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The copy has no .git, so the check lists its files the way it lists any plain folder.
tar -C "$src" --exclude=./.git --exclude='./build*' --exclude=./dist --exclude=node_modules \
    -cf - . | tar -C "$work" -xf -
check() { "$src/tools/check.sh" "$work" >"$work.out" 2>&1; }

check || { cat "$work.out"; fail "the clean copy does not pass"; }

# The words are put together here so that this file does not carry them.
origin_word="spe""c"
printf '#include "screens/screen_state.h"\n#include "screens/stage_select.h"\n' \
    >>"$work/base/random.h"
printf '#include "race/race_setup.h"\n' >>"$work/platform/files.h"
printf '#include "platform/sdl/sdl_display.h"\n' >>"$work/render/projection.h"
printf 'int  Badly ( int x ){return x;}\n' >>"$work/course/stage.cpp"
printf '// the boat turns as the %s says\n' "$origin_word" >>"$work/race/opponents.cpp"
touch "$work/docs/${origin_word}_notes.txt"
printf 'extern int PlantedCount;\n' >>"$work/race/records.h"
printf '// laps the planted race runs\nextern int PlantedLaps;\n' >>"$work/race/race_state.h"
# A *.sh script and one known by its first line alone, each splitting a word it should not.
for script in tools/play.sh .ci/run; do
    cat >>"$work/$script" <<'EOF'
cp $1 .
EOF
done
# A page script with a function nobody calls; a browser test calling one nobody defined.
# Tools and tests share code only through testing/, and nothing shipped includes tools/; the
# layers come from layers.txt, which HACKING.md's table must follow.
printf '#include "tests/stage_folder.h"\n' >>"$work/tools/web/key_script_main.cpp"
printf '#include "tools/media_gen/tunes.h"\n' >>"$work/tests/sound_test.cpp"
printf '#include "tools/media_gen/effects.h"\n' >>"$work/app/headless_main.cpp"
printf '#include "testing/race_driver.h"\n' >>"$work/author/stage_map.cpp"
printf '#include "testing/race_driver.h"\n' >>"$work/bench/line_bench.cpp"
sed -i 's/^world$/world\nplanted/' "$work/layers.txt"
printf 'function plantedNeverCalled() {}\n' >>"$work/platform/web/page/picture.js"
printf 'plantedNeverDefined();\n' >>"$work/tools/web/browser/chromium.js"

expect() {
    local what=$1 pattern=$2
    grep -qE "$pattern" "$work.out" || { cat "$work.out"; fail "not named: $what"; }
}
refuse() {
    local what=$1 pattern=$2
    ! grep -qE "$pattern" "$work.out" || { cat "$work.out"; fail "named wrongly: $what"; }
}

check && fail "the planted copy passes"
lines() { wc -l <"$1"; }
expect "an include of a layer above" "^base/random\.h:$(lines "$work/base/random.h"): base/ includes screens/stage_select\.h"
refuse "a state header read from below" "base/random\.h:$(($(lines "$work/base/random.h") - 1)):"
expect "two folders including each other" "base/ and screens/ include each other"
expect "the platform including the game" "^platform/files\.h:[0-9]+: the platform includes race/race_setup\.h"
expect "a backend included by the game" "^render/projection\.h:[0-9]+: render/ includes platform/sdl/sdl_display\.h, a backend"
expect "a badly formatted line" "^course/stage\.cpp:$(lines "$work/course/stage.cpp"): not as clang-format"
expect "where a rule came from" "^race/opponents\.cpp:$(lines "$work/race/opponents.cpp"): names where a rule came from"
expect "a file name saying where a rule came from" "^docs/${origin_word}_notes\.txt:1: the file name"
expect "a global outside a state header" "^race/records\.h:$(lines "$work/race/records.h"): a global declared outside"
expect "a global without its comment" "^race/records\.h:$(lines "$work/race/records.h"): a global without its comment"
refuse "a commented global in a state header" "^race/race_state\.h:$(lines "$work/race/race_state.h"):"
expect "a tool including a test's header" "^tools/web/key_script_main\.cpp:$(lines "$work/tools/web/key_script_main.cpp"): tools/ includes tests/stage_folder\.h; tests, tools"
expect "a test including a tool's header" "^tests/sound_test\.cpp:$(lines "$work/tests/sound_test.cpp"): tests/ includes tools/media_gen/tunes\.h; tests, tools"
expect "a program including tools/" "^app/headless_main\.cpp:$(lines "$work/app/headless_main.cpp"): app/ includes tools/media_gen/effects\.h; nothing shipped"
expect "a layer including testing/" "^author/stage_map\.cpp:$(lines "$work/author/stage_map.cpp"): author/ includes testing/race_driver\.h; nothing shipped"
refuse "a benchmark using testing/" "^bench/line_bench\.cpp:"
expect "a layer HACKING.md's table does not show" "^HACKING\.md:1: the layer table"
expect "a shell script's finding" "^tools/play\.sh:$(lines "$work/tools/play.sh"): Double quote .*\[SC2086\]"
expect "a finding in a script without .sh" "^\.ci/run:$(lines "$work/.ci/run"): Double quote .*\[SC2086\]"
expect "a page script's unused function" \
    "^platform/web/page/picture\.js:$(lines "$work/platform/web/page/picture.js"): 'plantedNeverCalled' is defined but never used\. \(no-unused-vars\)"
expect "a browser test's undefined name" \
    "^tools/web/browser/chromium\.js:$(lines "$work/tools/web/browser/chromium.js"): 'plantedNeverDefined' is not defined\. \(no-undef\)"
refuse "a page script using another page script's object" "^platform/web/page/page\.js:"

# With the other faults taken out again, the stray global alone still fails the check.
rm "$work/docs/${origin_word}_notes.txt"
for file in base/random.h platform/files.h render/projection.h course/stage.cpp race/opponents.cpp \
    tools/play.sh .ci/run platform/web/page/picture.js tools/web/browser/chromium.js \
    tools/web/key_script_main.cpp tests/sound_test.cpp app/headless_main.cpp author/stage_map.cpp \
    bench/line_bench.cpp layers.txt; do
    cp "$src/$file" "$work/$file"
done
check && fail "a global outside a state header alone passes"
expect "the stray global alone" "^race/records\.h:[0-9]+: a global declared outside"
echo "tools/check.sh names every planted fault"
