#!/usr/bin/env bash
# The stage folder cannot take the records of a finished race: a full file system, then a
# read-only one. Either way the course file stays as it was, no temporary file is left, one line
# names the file and the cause, and the race goes on to its results and its replay.
# shellcheck disable=SC2119 # race passes its arguments to the runner; most races need none
. "$(dirname "$0")/lib.sh"
in_private_mounts

# A full file system: the records' temporary file cannot be written.
make_work
mount_tmpfs "$WORK/play/stage"
cp "$WORK"/before/*.dat "$WORK/play/stage/"
fill_up "$WORK/play/stage"
race
expect_results
expect_one_line "records not saved to ./stage/01.dat" "No space left on device"
expect_courses_untouched filler
[ "$(replays_kept)" -eq 1 ] || fail "the full stage folder kept the replay from being saved"

# A read-only file system: nothing is tried on it.
make_work
mount_read_only "$WORK/play/stage"
race
expect_results
expect_one_line "records not saved to ./stage/01.dat" "Read-only file system"
expect_courses_untouched
[ "$(replays_kept)" -eq 1 ] || fail "the read-only stage folder kept the replay from being saved"

# The same race with room to write does change the course: the checks above are not vacuous.
make_work
race
expect_results
[ -s "$WORK/err" ] && fail "a race with room to write complained"
cmp -s "$WORK/before/01.dat" "$WORK/play/stage/01.dat" && fail "the race did not write records"
echo "ok"
