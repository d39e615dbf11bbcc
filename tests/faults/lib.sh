# shellcheck shell=bash
# Shared by the fault scripts: a scratch folder, a copy of the courses, the runner driven through
# a whole race on the first course, and the checks every fault shares. Sourced by a script that
# gets the build folder and the source folder as $1 and $2.
set -u
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$2" && pwd)
RUNNER=$BUILD/tidewake-headless
FINISH_KEYS=$SOURCE/tests/fixtures/finish_01.keys
# The finished race's results show from about frame 2620; the runner stops well after them.
RACE_FRAMES=2700
# Scenes as the trace numbers them.
# shellcheck disable=SC2034 # read by the fault scripts that source this
SCENE_RACE=3
SCENE_RESULTS=7

WORK=
MOUNTS=()
cleanup() {
    local i
    for ((i = ${#MOUNTS[@]} - 1; i >= 0; i--)); do umount -l "${MOUNTS[i]}" 2>/dev/null; done
    [ -n "$WORK" ] && chmod -R u+rwx "$WORK" 2>/dev/null
    [ -n "$WORK" ] && rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -s "$WORK/err" ] && { echo "--- stderr:"; cat "$WORK/err"; }
    exit 1
}
skip() {
    echo "skipped: $*"
    exit 77
}

# Runs the whole script again inside a private mount namespace, so that every mount it makes
# vanishes with it and nobody else sees them. Skips where the machine does not allow that.
in_private_mounts() {
    [ -n "${TIDEWAKE_FAULTS_PRIVATE:-}" ] && return 0
    command -v unshare >/dev/null 2>&1 || skip "unshare is not installed"
    local probe
    probe=$(mktemp -d)
    if ! unshare -m --propagation private sh -c "mount -t tmpfs -o size=64k tmpfs '$probe'" \
        2>/dev/null; then
        rmdir "$probe"
        skip "no private mount namespace with tmpfs mounts here (needs root)"
    fi
    rmdir "$probe"
    TIDEWAKE_FAULTS_PRIVATE=1 unshare -m --propagation private bash "$0" "$BUILD" "$SOURCE"
    exit $?
}

# A fresh scratch folder with play/stage holding our courses, and before/ a copy to compare
# them with. Anyone may enter it, so the runner can also be run as another user.
make_work() {
    cleanup
    MOUNTS=()
    WORK=$(mktemp -d)
    chmod 755 "$WORK"
    mkdir -p "$WORK/play/stage" "$WORK/before" "$WORK/data"
    cp "$SOURCE"/stage/*.dat "$WORK/play/stage/"
    cp "$SOURCE"/stage/*.dat "$WORK/before/"
}

# A small tmpfs on an (empty) folder, filled to the last byte when asked: `mount_full FOLDER`.
mount_tmpfs() {
    mount -t tmpfs -o size=64k,mode=0755 tmpfs "$1" || fail "cannot mount a tmpfs on $1"
    MOUNTS+=("$1")
}
fill_up() {
    dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null
    [ "$(df --output=avail "$1" | tail -n 1 | tr -d ' ')" = 0 ] || fail "$1 is not full"
}

# The folder as it is, but read-only for everyone, root included.
mount_read_only() {
    mount --bind "$1" "$1" || fail "cannot bind-mount $1"
    MOUNTS+=("$1")
    mount -o remount,bind,ro "$1" || fail "cannot make $1 read-only"
    touch "$1/.probe" 2>/dev/null && fail "$1 is still writable"
}

# Runs the runner from play/ through the race (more arguments are added to it), with the trace
# in trace.csv and stderr in err; sets STATUS. XDG_DATA_HOME is data/ unless DATA_HOME is set.
race() {
    (cd "$WORK/play" && XDG_DATA_HOME=${DATA_HOME:-$WORK/data} "${RUNNER_PROGRAM:-$RUNNER}" \
        --keys "$FINISH_KEYS" --frames "$RACE_FRAMES" --no-draw --trace "$WORK/trace.csv" "$@" \
        2>"$WORK/err")
    STATUS=$?
    return "$STATUS"
}

reached_scene() {
    awk -F, -v scene="$1" '$2 == scene { seen = 1 } END { exit !seen }' "$WORK/trace.csv"
}

# The run ended normally and the finished race went on to its results.
expect_results() {
    [ "$STATUS" -eq 0 ] || fail "the runner ended with status $STATUS"
    reached_scene "$SCENE_RESULTS" || fail "the race did not go on to its results"
}

# stderr holds exactly one line, and it holds every given text.
expect_one_line() {
    local lines text
    lines=$(wc -l <"$WORK/err")
    [ "$lines" -eq 1 ] || fail "expected one line on stderr, got $lines"
    for text in "$@"; do
        grep -qF -- "$text" "$WORK/err" || fail "stderr does not say '$text'"
    done
}

# Every course in play/stage is byte for byte as it was, and nothing else is there but the given
# names (a filler, a folder).
expect_courses_untouched() {
    local name expected
    for name in "$WORK"/before/*.dat; do
        cmp -s "$name" "$WORK/play/stage/$(basename "$name")" ||
            fail "$(basename "$name") was changed"
    done
    expected=$( (find "$WORK/before" -mindepth 1 -maxdepth 1 ! -name '.*' -printf '%f\n'
        [ $# -gt 0 ] && printf '%s\n' "$@") | sort)
    [ "$(find "$WORK/play/stage" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort)" = "$expected" ] ||
        fail "the stage folder holds: $(find "$WORK/play/stage" -mindepth 1 -maxdepth 1 \
            -printf '%f\n' | sort | tr '\n' ' ')"
}

# How many replays the player's data folder kept.
replays_kept() {
    find "${DATA_HOME:-$WORK/data}/tidewake/replays/" -mindepth 1 -maxdepth 1 ! -name '.*' \
        -name '*.twr' 2>/dev/null | grep -c .
}
