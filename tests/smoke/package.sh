#!/usr/bin/env bash
# The Debian package as a player gets it: built by tools/package.sh, clean by lintian, installed
# with dpkg, the installed runner started through PATH from an unrelated folder with a home of
# its own races to the finish and keeps its records and replay there, then the package is
# purged and every path it brought is as it was before. The machine is left as it was found,
# also when a step fails. Needs root to install; skipped (77) otherwise.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "package test: $1"; exit 1; }
skip() { echo "package test skipped: $1"; exit 77; }

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
command -v dpkg >/dev/null || skip "not a Debian system"
if dpkg-query -W -f='${Status}' tidewake 2>/dev/null | grep -qv not-installed; then
    skip "a tidewake package is installed already, and this test would replace it"
fi

work=$(mktemp -d)
installed=0
cleanup() {
    [ "$installed" -eq 1 ] && dpkg --purge tidewake >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

"$root/tools/package.sh" >"$work/package.log" 2>&1 ||
    { tail -n 40 "$work/package.log"; fail "tools/package.sh failed"; }
deb=$root/$(tail -n 1 "$work/package.log")
[ -f "$deb" ] || { tail -n 5 "$work/package.log"; fail "no package was made"; }
lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 ||
    { cat "$work/lintian.txt"; fail "lintian found errors"; }

# Which of the package's paths the machine holds before it is installed.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$' |
    sort >"$work/paths.txt"
present() { while read -r path; do [ -e "$path" ] && echo "$path"; done <"$work/paths.txt"; }
present >"$work/before.txt"
for path in /usr/games/tidewake /usr/share/games/tidewake /usr/share/doc/tidewake; do
    grep -qx "$path" "$work/before.txt" && skip "$path exists without the package"
done

installed=1
dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; }
for f in /usr/games/tidewake /usr/games/tidewake-headless /usr/games/tidewake-stage \
         /usr/share/games/tidewake/SE01.WAV /usr/share/games/tidewake/game.mid \
         /usr/share/games/tidewake/stage/01.dat /usr/share/man/man6/tidewake.6.gz \
         /usr/share/man/man6/tidewake-headless.6.gz /usr/share/man/man6/tidewake-stage.6.gz \
         /usr/share/applications/tidewake.desktop \
         /usr/share/icons/hicolor/64x64/apps/tidewake.png /usr/share/doc/tidewake/copyright; do
    [ -f "$f" ] || fail "not installed: $f"
done

# The game itself loads with the libraries its Depends brought: it answers a bad argument with
# its usage, before it opens a window.
/usr/games/tidewake --no-such-option 2>"$work/usage.txt"
{ [ $? -eq 2 ] && grep -q "^usage: tidewake" "$work/usage.txt"; } ||
    { cat "$work/usage.txt"; fail "the installed game does not start"; }

# A player's shell: nothing of the build's environment, the games folder on PATH.
home=$work/home
mkdir -p "$home" "$work/away"
player() { (cd "$work/away" && env -i HOME="$home" PATH=/usr/games:/usr/bin:/bin "$@"); }
player tidewake-headless --keys "$root/tests/fixtures/finish_01.keys" --frames 2700 --no-draw \
    --trace "$work/t.csv" 2>"$work/stderr.txt" ||
    { cat "$work/stderr.txt"; fail "the installed runner failed"; }
[ -s "$work/stderr.txt" ] && { cat "$work/stderr.txt"; fail "the installed runner complained"; }
awk -F, '$2 == 7 { results = 1 } END { exit !results }' "$work/t.csv" ||
    fail "the race did not reach the results"

own=$home/.local/share/tidewake
[ "$(ls "$own/stage")" = "$(ls /usr/share/games/tidewake/stage)" ] ||
    fail "the player's stage folder was not filled from the shipped courses"
cmp -s "$own/stage/01.dat" /usr/share/games/tidewake/stage/01.dat &&
    fail "the race's records did not reach the player's copy"
replay=$(find "$own/replays" -maxdepth 1 -name '01-*.twr' 2>/dev/null | sort | head -n 1)
[ -n "$replay" ] || fail "the finished race was not kept as a replay"
player tidewake-headless --verify "$replay" >"$work/verify.txt" 2>&1 ||
    { cat "$work/verify.txt"; fail "the installed runner refused its own replay"; }
grep -q "^finished place" "$work/verify.txt" ||
    { cat "$work/verify.txt"; fail "the kept replay does not finish"; }
player tidewake-stage check >"$work/check.txt" 2>&1 ||
    { cat "$work/check.txt"; fail "the installed stage tool does not pass the player's courses"; }
grep -q "$own/stage/" "$work/check.txt" ||
    { cat "$work/check.txt"; fail "the stage tool did not check the player's courses"; }
[ -z "$(ls -A "$work/away")" ] || fail "files appeared in the folder the runner started in"
{ dpkg --verify tidewake >"$work/verify-files.txt" 2>&1 && [ ! -s "$work/verify-files.txt" ]; } ||
    { cat "$work/verify-files.txt"; fail "the installed files were changed"; }

dpkg --purge tidewake >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; fail "dpkg --purge failed"; }
installed=0
if dpkg-query -W -f='${Status}' tidewake 2>/dev/null | grep -qv not-installed; then
    fail "dpkg still knows the package after the purge"
fi
present >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" >"$work/left.txt" ||
    { cat "$work/left.txt"; fail "the purge did not leave the machine as it was"; }
echo "ok"
