#!/usr/bin/env bash
# Installs what is missing, checks the house rules that need no build (tools/check.sh), runs the
# README's Installing block as written in a fresh copy (tools/readme_check.sh), builds
# everything and runs every test: first the whole suite as shipped (a broken test shows within
# seconds of the build), then the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the fuzzers for a bounded time, then the Debian package (built, installed, raced, purged;
# as root only), then the browser build (tools/web/test.sh).
# Both test builds are always configured with the tests on, so a build folder last set up by
# tools/play.sh (tests off) cannot make this pass by running nothing; ctest also fails when it
# finds no tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh test
jobs=${TIDEWAKE_JOBS:-$(nproc)}
# Every fuzz target that is built runs this long; tools/fuzz.sh alone runs them for longer.
fuzz_seconds=${TIDEWAKE_FUZZ_SECONDS:-12}
# Each part's heading says how long the run has taken so far, to see where the time goes.
section() { echo "== $1 (${SECONDS} s in)"; }

section "house rules (tools/check.sh)"
tools/check.sh

section "the README's Installing block (tools/readme_check.sh)"
tools/readme_check.sh

section "tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWAKE_SANITIZE=OFF \
    -DTIDEWAKE_FUZZ=OFF -DTIDEWAKE_TESTS=ON -DTIDEWAKE_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

section "tests under the sanitizers"
# One clang build serves both the sanitizer suite and the fuzzers: the game is compiled once with
# AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's coverage hooks, which saves a whole
# instrumented build of the game; the benchmarks are left out of it. A folder left by an older
# gcc set-up starts afresh.
grep -qs '^CMAKE_CXX_COMPILER:.*clang' build-sanitize/CMakeCache.txt || rm -rf build-sanitize
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIDEWAKE_SANITIZE=ON -DTIDEWAKE_FUZZ=ON -DTIDEWAKE_TESTS=ON -DTIDEWAKE_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
# The real window's system libraries (dbus, X) leak under the leak checker: the tests that start
# the real game run in the plain build only, as do the checks of the house rules, which build
# nothing, and the record server's fault tests, which kill and starve whole processes (its
# handlers run under the sanitizers in records.api and its fuzzer).
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$jobs" \
    -E '^(smoke\.|faults\.audio$|check\.|records\.faults$)'

section "fuzzing"
# Two targets at a time, each for the same bounded time, in the build the sanitizer suite used.
TIDEWAKE_JOBS=$jobs tools/fuzz.sh "${fuzz_seconds}s"

section "the Debian package"
# Installing needs root; elsewhere the test says why it skipped (77) and the run goes on.
package_status=0
TIDEWAKE_JOBS=$jobs tests/smoke/package.sh || package_status=$?
[ "$package_status" -eq 0 ] || [ "$package_status" -eq 77 ] || exit 1

section "the browser build"
tools/web/test.sh

section "all tests passed"
