#!/usr/bin/env bash
# The installed game away from the repository: installed into a temporary prefix and started from
# an unrelated folder, the runner finds its media in the share folder, fills the player's own
# stage folder from the shipped courses, and a finished race writes its records there and
# nowhere else.
set -u
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$1"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; }
for f in bin/tidewake bin/tidewake-headless bin/tidewake-stage share/tidewake/SE01.WAV \
         share/tidewake/game.mid share/tidewake/stage/01.dat \
         share/applications/tidewake.desktop share/icons/hicolor/64x64/apps/tidewake.png \
         share/man/man6/tidewake.6 share/man/man6/tidewake-headless.6 \
         share/man/man6/tidewake-stage.6; do
    [ -f "$work/prefix/$f" ] || fail "not installed: $f"
done
# The tunes' renderings, where the build made them, and nothing stale beside them.
if [ -f "$build/tunes/rendered.txt" ]; then
    while read -r tune key; do
        cmp -s "$build/tunes/$key.flac" "$work/prefix/share/tidewake/tunes/$key.flac" ||
            fail "the rendering of $tune was not installed"
    done <"$build/tunes/rendered.txt"
    installed=$(find "$work/prefix/share/tidewake/tunes" -mindepth 1 -maxdepth 1 ! -name '.*' | wc -l)
    [ "$installed" -eq "$(wc -l <"$build/tunes/rendered.txt")" ] ||
        fail "the installed tunes/ holds other files than the renderings"
fi

mkdir "$work/away"
cd "$work/away" || exit 1
XDG_DATA_HOME="$work/data" "$work/prefix/bin/tidewake-headless" \
    --keys "$source/tests/fixtures/finish_01.keys" --frames 2700 --no-draw --trace t.csv \
    2>"$work/stderr.txt" || { cat "$work/stderr.txt"; fail "the installed runner failed"; }
[ -s "$work/stderr.txt" ] && { cat "$work/stderr.txt"; fail "the installed runner complained"; }

own="$work/data/tidewake/stage"
[ "$(ls "$own")" = "$(ls "$source/stage")" ] || fail "the player's stage folder was not filled"
awk -F, '$2 == 5 { select = 1 } $2 == 7 { results = 1 } END { exit !(select && results) }' t.csv ||
    fail "the run did not reach the stage select and the results"
cmp -s "$own/01.dat" "$source/stage/01.dat" && fail "the records did not reach the player's copy"
cmp -s "$work/prefix/share/tidewake/stage/01.dat" "$source/stage/01.dat" ||
    fail "the installed course was written to"
[ -e "$work/away/stage" ] && fail "a stage folder appeared in the current folder"

# The finished race was kept as a replay, and the installed runner plays it back as it was
# driven: every race column the same but the replay's mode and the records its finish wrote.
replay=$(find "$work/data/tidewake/replays" -maxdepth 1 -name '01-*.twr' 2>/dev/null | sort | head -n 1)
[ -n "$replay" ] || fail "the finished race was not kept as a replay"
XDG_DATA_HOME="$work/data" "$work/prefix/bin/tidewake-headless" --replay "$replay" \
    --frames 2500 --no-draw --trace r.csv 2>"$work/stderr.txt" ||
    { cat "$work/stderr.txt"; fail "the installed runner did not play the replay"; }
race_rows() { awk -F, '$2 == 3' "$1" | cut -d, -f3,5-28,35- | head -n "$2"; }
live=$(awk -F, '$2 == 3' t.csv | wc -l)
[ "$live" -gt 2000 ] || fail "the live race has only $live rows"
[ "$(race_rows t.csv "$live")" = "$(race_rows r.csv "$live")" ] ||
    fail "the replay does not drive the race that was saved"

# The stage tool checks the same courses the game would play, also when found through PATH.
XDG_DATA_HOME="$work/data" PATH="$work/prefix/bin:$PATH" tidewake-stage check >"$work/check.txt" 2>&1 ||
    { cat "$work/check.txt"; fail "the player's courses do not check"; }
grep -q "01.dat" "$work/check.txt" || { cat "$work/check.txt"; fail "the stage tool did not find the player's courses"; }
echo "ok"
