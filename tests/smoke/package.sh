#!/usr/bin/env bash
# The Debian packages as a player and an operator get them: built by tools/package.sh, clean by
# lintian, installed with dpkg. The installed runner started through PATH from an unrelated
# folder with a home of its own races to the finish and keeps its records and replay there; the
# installed record server, started the same way, takes the shipped course and that replay from
# its own client and ranks it; its systemd unit passes systemd-analyze verify (where there is
# one). Then both packages are purged and every path they brought is as it was before. The
# machine is left as it was found, also when a step fails. Needs root to install; skipped (77)
# otherwise. Needs no running systemd.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "package test: $1"; exit 1; }
skip() { echo "package test skipped: $1"; exit 77; }

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
command -v dpkg >/dev/null || skip "not a Debian system"
known() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -qv not-installed; }
for package in tidewake tidewake-records; do
    known "$package" && skip "a $package package is installed already, and this test would replace it"
done

work=$(mktemp -d)
installed=0
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null
    [ "$installed" -eq 1 ] && dpkg --purge tidewake-records tidewake >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

"$root/tools/package.sh" >"$work/package.log" 2>&1 ||
    { tail -n 40 "$work/package.log"; fail "tools/package.sh failed"; }
deb=$root/$(grep '^dist/tidewake_.*\.deb$' "$work/package.log")
records_deb=$root/$(grep '^dist/tidewake-records_.*\.deb$' "$work/package.log")
if [ ! -f "$deb" ] || [ ! -f "$records_deb" ]; then
    tail -n 5 "$work/package.log"
    fail "the two packages were not made"
fi
lintian --fail-on error "$deb" "$records_deb" >"$work/lintian.txt" 2>&1 ||
    { cat "$work/lintian.txt"; fail "lintian found errors"; }

# Which of the packages' paths the machine holds before they are installed, with what systemd's
# helpers would leave of the unit: its links, masks and remembered state.
unit=tidewake-records.service
for package in "$deb" "$records_deb"; do
    dpkg-deb --fsys-tarfile "$package" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$'
done | sort -u >"$work/paths.txt"
printf '%s\n' "/etc/systemd/system/$unit" "/etc/systemd/system/multi-user.target.wants/$unit" \
    "/var/lib/systemd/deb-systemd-helper-enabled/$unit.dsh-also" \
    "/var/lib/systemd/deb-systemd-helper-enabled/multi-user.target.wants/$unit" \
    "/var/lib/systemd/deb-systemd-helper-masked/$unit" /var/lib/tidewake-records \
    /var/lib/private/tidewake-records >>"$work/paths.txt"
present() { while read -r path; do [ -e "$path" ] || [ -L "$path" ] && echo "$path"; done <"$work/paths.txt"; }
present >"$work/before.txt"
for path in /usr/games/tidewake /usr/share/games/tidewake /usr/share/doc/tidewake \
            /usr/bin/tidewake-records /usr/share/doc/tidewake-records "/lib/systemd/system/$unit"; do
    grep -qx "$path" "$work/before.txt" && skip "$path exists without the package"
done

installed=1
dpkg -i "$deb" "$records_deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; }
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
player() {
    (cd "$work/away" && exec env -i HOME="$home" XDG_CONFIG_HOME="$work/config" \
        PATH=/usr/games:/usr/bin:/bin "$@")
}
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


# The record server: a program on PATH, its manual page and its unit, not enabled.
for f in /usr/bin/tidewake-records /usr/share/man/man6/tidewake-records.6.gz \
         /usr/share/doc/tidewake-records/copyright /usr/share/doc/tidewake-records/changelog.gz \
         "/lib/systemd/system/$unit"; do
    [ -f "$f" ] || fail "not installed: $f"
done
[ -e "/etc/systemd/system/multi-user.target.wants/$unit" ] &&
    fail "installing the package enabled the record server"
player tidewake-records --version >"$work/version.txt" 2>&1
grep -qx "tidewake-records [0-9][0-9.]*" "$work/version.txt" ||
    { cat "$work/version.txt"; fail "the installed record server does not start"; }

# The installed server on a free port (another one when the port is taken meanwhile), ready
# once it says it serves: it has bound its port by then.
serve() {
    local try port
    for try in 1 2 3 4 5; do
        port=$((20000 + (RANDOM + try) % 40000))
        # The player's shell as above, with the server itself as the background job.
        (cd "$work/away" && exec env -i HOME="$home" PATH=/usr/games:/usr/bin:/bin \
            tidewake-records serve --db "$work/x.sqlite" --listen "127.0.0.1:$port") \
            2>"$work/server.txt" &
        server=$!
        for _ in $(seq 200); do
            grep -q "^tidewake-records: serving" "$work/server.txt" &&
                { url=http://127.0.0.1:$port; return 0; }
            kill -0 "$server" 2>/dev/null || break
            sleep 0.05
        done
        kill "$server" 2>/dev/null
        wait "$server"
        server=
        grep -q "cannot listen" "$work/server.txt" || return 1
    done
    return 1
}
get() {
    if command -v curl >/dev/null; then
        curl -fsS --max-time 10 "$1"
    else
        python3 -c 'import sys, urllib.request
sys.stdout.write(urllib.request.urlopen(sys.argv[1], timeout=10).read().decode())' "$1"
    fi
}
serve || { cat "$work/server.txt"; fail "the installed record server does not serve"; }
[ "$(get "$url/api/courses")" = "[]" ] ||
    { cat "$work/server.txt"; fail "a new record server does not answer GET /api/courses with no course"; }
player tidewake-records upload "$url" /usr/share/games/tidewake/stage/01.dat >"$work/upload.txt" 2>&1 ||
    { cat "$work/upload.txt" "$work/server.txt"; fail "the record server refused the shipped course"; }
checksum=$(sed -n 's/^course \([0-9a-f]\{16\}\): .* (shared)$/\1/p' "$work/upload.txt")
[ -n "$checksum" ] || { cat "$work/upload.txt"; fail "the upload did not say it shared the course"; }
get "$url/api/courses" | grep -q "\"course\":\"$checksum\"" ||
    fail "the shared course is not in the server's list"
player tidewake-records submit "$url" "$replay" --name Test >"$work/submit.txt" 2>&1 ||
    { cat "$work/submit.txt" "$work/server.txt"; fail "the record server did not rank the kept replay"; }
{ [ "$(wc -l <"$work/submit.txt")" -eq 1 ] &&
    grep -Eqx "run 1: rank 1, total [0-9]+\.[0-9]{2}, place [1-8]" "$work/submit.txt"; } ||
    { cat "$work/submit.txt"; fail "the submit did not rank the run first"; }
[ "$(stat -c %a "$work/config/tidewake/records-token")" = 600 ] ||
    fail "the player's token is readable by others"
# SIGTERM, as systemd stops it, ends the server and its workers, with success.
kill "$server"
wait "$server"
status=$?
server=
[ "$status" -eq 0 ] || { cat "$work/server.txt"; fail "the record server ended with $status on SIGTERM"; }
[ -z "$(ls -A "$work/away")" ] || fail "files appeared in the folder the server started in"
{ dpkg --verify tidewake-records >"$work/verify-files.txt" 2>&1 && [ ! -s "$work/verify-files.txt" ]; } ||
    { cat "$work/verify-files.txt"; fail "the installed record server's files were changed"; }

# The unit as systemd reads it, where there is systemd to ask; nothing needs it to be running.
if command -v systemd-analyze >/dev/null; then
    man=yes
    command -v man >/dev/null || man=no
    systemd-analyze verify --man="$man" "/lib/systemd/system/$unit" >"$work/analyze.txt" 2>&1 ||
        { cat "$work/analyze.txt"; fail "systemd-analyze verify refused the unit"; }
else
    echo "package test: no systemd-analyze, the unit is not verified"
fi

dpkg --purge tidewake-records tidewake >"$work/purge.log" 2>&1 ||
    { cat "$work/purge.log"; fail "dpkg --purge failed"; }
installed=0
for package in tidewake tidewake-records; do
    known "$package" && fail "dpkg still knows $package after the purge"
done
present >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" >"$work/left.txt" ||
    { cat "$work/left.txt"; fail "the purge did not leave the machine as it was"; }
echo "ok"
