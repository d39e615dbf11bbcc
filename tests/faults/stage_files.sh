#!/usr/bin/env bash
# A stage file that goes away under the game: removed or replaced by a folder after the game
# counted the courses but before it loads one, then during the race before its records are
# saved; all of them gone; and one the game may not read. The runner is held still at a frame
# by a shot written into a named pipe, so the change lands exactly between two frames.
. "$(dirname "$0")/lib.sh"

# The count is made at start-up and the first course loads when the stage select opens (about
# frame 215); the race runs from about frame 240 to its finish at about frame 2620.
AFTER_COUNT=100
DURING_RACE=1200
# Enough frames for the first course to load and its race to start, but not to finish.
UNTIL_RACE=700

# `race_changing FRAME ACTION [RUNNER ARGS...]`: runs the race with ACTION (a shell command run
# in play/stage) done between frames FRAME and FRAME + 1.
race_changing() {
    local frame=$1 action=$2
    shift 2
    mkfifo "$WORK/hold" "$WORK/release"
    race --shot "$frame:$WORK/hold" --shot "$((frame + 1)):$WORK/release" "$@" &
    local runner=$!
    timeout 20 cat "$WORK/hold" >/dev/null || fail "the runner never reached frame $frame"
    (cd "$WORK/play/stage" && eval "$action") || fail "could not do: $action"
    timeout 20 cat "$WORK/release" >/dev/null || fail "the runner stopped at frame $frame"
    wait "$runner"
    STATUS=$?
    rm -f "$WORK/hold" "$WORK/release"
}

# Removed after the count: the next course takes its number, and the player is told which file
# went.
make_work
race_changing "$AFTER_COUNT" "rm 01.dat" --frames "$UNTIL_RACE"
[ "$STATUS" -eq 0 ] || fail "the runner ended with status $STATUS"
reached_scene "$SCENE_RACE" || fail "the race did not start on the remaining courses"
expect_one_line "./stage/01.dat is gone since start-up (it was removed); loading ./stage/02.dat"
rm "$WORK/before/01.dat"
expect_courses_untouched

# Replaced by a folder after the count: the same, and the folder is left alone.
make_work
race_changing "$AFTER_COUNT" "rm 01.dat && mkdir 01.dat" --frames "$UNTIL_RACE"
[ "$STATUS" -eq 0 ] || fail "the runner ended with status $STATUS"
reached_scene "$SCENE_RACE" || fail "the race did not start on the remaining courses"
expect_one_line "./stage/01.dat is gone since start-up (it is a folder now)"
{ [ -d "$WORK/play/stage/01.dat" ] && [ -z "$(ls -A "$WORK/play/stage/01.dat")" ]; } ||
    fail "the folder in the course's place was touched"
rm "$WORK/before/01.dat"
expect_courses_untouched 01.dat

# Every course gone after the count: the game cannot go on and ends with its stage failure.
make_work
race_changing "$AFTER_COUNT" "rm ./*.dat"
[ "$STATUS" -eq 1 ] || fail "no course left ended with status $STATUS, not 1"
grep -qF "no course found in ./stage/" "$WORK/err" || fail "stderr does not say no course is left"
reached_scene "$SCENE_RACE" && fail "a race ran without a course"
[ -z "$(ls -A "$WORK/play/stage")" ] || fail "something was written into the empty stage folder"

# Removed during the race: the race still finishes, its results show, the records are not
# written anywhere and the file does not come back.
make_work
race_changing "$DURING_RACE" "rm 01.dat"
expect_results
expect_one_line "records not saved to ./stage/01.dat" "No such file or directory"
rm "$WORK/before/01.dat"
expect_courses_untouched
[ "$(replays_kept)" -eq 1 ] || fail "the finished race was not kept as a replay"

# Replaced by a folder during the race: the same, and the folder stays an empty folder.
make_work
race_changing "$DURING_RACE" "rm 01.dat && mkdir 01.dat"
expect_results
expect_one_line "records not saved to ./stage/01.dat" "Is a directory"
{ [ -d "$WORK/play/stage/01.dat" ] && [ -z "$(ls -A "$WORK/play/stage/01.dat")" ]; } ||
    fail "the folder in the course's place was touched"
rm "$WORK/before/01.dat"
expect_courses_untouched 01.dat

# A course the player may not read: listed, but refused when it loads, naming the file and the
# cause, and the game ends with its stage failure. Root reads anything, so root runs the game as
# nobody for this.
make_work
chmod 000 "$WORK/play/stage/01.dat"
if [ "$(id -u)" -eq 0 ]; then
    if command -v setpriv >/dev/null 2>&1 &&
        setpriv --reuid=nobody --regid=nogroup --clear-groups "$RUNNER" --frames 0; then
        chmod 777 "$WORK" "$WORK/play" "$WORK/data"
        (cd "$WORK/play" && XDG_DATA_HOME=$WORK/data setpriv --reuid=nobody --regid=nogroup \
            --clear-groups "$RUNNER" --keys "$FINISH_KEYS" --frames "$UNTIL_RACE" --no-draw \
            --trace "$WORK/trace.csv" 2>"$WORK/err")
        STATUS=$?
    else
        echo "note: the runner cannot be run as nobody here, so the unreadable course is not tried"
        STATUS=skipped
    fi
else
    race --frames "$UNTIL_RACE"
fi
if [ "$STATUS" != skipped ]; then
    [ "$STATUS" -eq 1 ] || fail "an unreadable course ended with status $STATUS, not 1"
    grep -qF "./stage/01.dat: the file cannot be opened: Permission denied" "$WORK/err" ||
        fail "stderr does not name the unreadable course and the cause"
    grep -qF "no course found" "$WORK/err" && fail "an unreadable course was called missing"
    chmod 644 "$WORK/play/stage/01.dat"
    expect_courses_untouched
fi
echo "ok"
