#!/usr/bin/env bash
# The player's data folder cannot take the finished race's replay: read-only before the game's
# folder was made in it, read-only with it, full, and a file where the folder should be. The race
# goes on to its results and its records, and one line says where and why.
# shellcheck disable=SC2119 # race passes its arguments to the runner; most races need none
. "$(dirname "$0")/lib.sh"
in_private_mounts

# expect_records_written: the course took the race's records as usual.
expect_records_written() {
    cmp -s "$WORK/before/01.dat" "$WORK/play/stage/01.dat" && fail "the records were not written"
    find "$WORK/play/stage" -mindepth 1 -maxdepth 1 -name '*.dat.*' | grep -q . &&
        fail "a temporary file was left in the stage folder"
}

# Read-only, and the game's own folder not made yet.
make_work
mkdir "$WORK/ro"
mount_read_only "$WORK/ro"
DATA_HOME=$WORK/ro race
expect_results
expect_one_line "cannot create the player's data folder $WORK/ro/tidewake: Read-only file system"
expect_records_written

# Read-only with the game's folder in it: the replays folder cannot be made.
make_work
mkdir -p "$WORK/ro/tidewake"
mount_read_only "$WORK/ro"
DATA_HOME=$WORK/ro race
expect_results
expect_one_line "replay not saved: $WORK/ro/tidewake/replays: cannot create the folder" \
    "Read-only file system"
expect_records_written

# Full: the replay cannot be written, and no part of it is left behind.
make_work
mount_tmpfs "$WORK/data"
mkdir -p "$WORK/data/tidewake/replays"
fill_up "$WORK/data"
race
expect_results
expect_one_line "replay not saved to $WORK/data/tidewake/replays/01-" "No space left on device"
[ -z "$(ls -A "$WORK/data/tidewake/replays")" ] || fail "a part of the replay was left behind"
expect_records_written

# A file where the game's folder should be.
make_work
echo "not a folder" >"$WORK/data/tidewake"
race
expect_results
expect_one_line "replay not saved: $WORK/data/tidewake/replays" "Not a directory"
[ "$(cat "$WORK/data/tidewake")" = "not a folder" ] || fail "the file in the folder's place changed"
expect_records_written
echo "ok"
