#!/usr/bin/env bash
# Sounds and tunes beside the executable missing or cut short: each is named once with its
# cause, the game goes on without it, and the race still runs to its results.
# shellcheck disable=SC2119 # race passes its arguments to the runner; most races need none
. "$(dirname "$0")/lib.sh"

MEDIA="SE01.WAV speed.WAV jump.WAV crash.WAV title.mid select.mid game.mid"

# A copy of the runner with its media, in game/, for one fault to damage.
copy_game() {
    make_work
    mkdir "$WORK/game"
    cp "$RUNNER" "$WORK/game/"
    for name in $MEDIA; do cp "$BUILD/$name" "$WORK/game/" || fail "no $name in $BUILD"; done
    # shellcheck disable=SC2034 # lib.sh's race runs it
    RUNNER_PROGRAM=$WORK/game/tidewake-headless
}

# Intact, the copy says nothing: every line below comes from the damage.
copy_game
race
expect_results
[ -s "$WORK/err" ] && fail "the undamaged copy complained"

copy_game
rm "$WORK/game/SE01.WAV"
race
expect_results
expect_one_line "sound not loaded: $WORK/game/SE01.WAV: No such file or directory"

copy_game
head -c 30 "$BUILD/jump.WAV" >"$WORK/game/jump.WAV"
race
expect_results
expect_one_line "sound not loaded: $WORK/game/jump.WAV: not a whole WAVE file"

# The title's tune is asked for on the opening; the race's tune on the countdown and again on
# the results, but it is named only once.
copy_game
rm "$WORK/game/title.mid"
race
expect_results
expect_one_line "tune not played: $WORK/game/title.mid: No such file or directory"

copy_game
rm "$WORK/game/game.mid"
race
expect_results
expect_one_line "tune not played: $WORK/game/game.mid: No such file or directory"

# Every file gone at once: one line each, and still the whole race.
copy_game
for name in $MEDIA; do rm "$WORK/game/$name"; done
race
expect_results
[ "$(wc -l <"$WORK/err")" -eq 7 ] || fail "expected a line for each of the seven files"
for name in $MEDIA; do
    [ "$(grep -c "/$name: No such file or directory" "$WORK/err")" -eq 1 ] ||
        fail "$name is not named exactly once"
done
echo "ok"
