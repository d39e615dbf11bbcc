#!/usr/bin/env bash
# A call planted up the layers fails the link: in a copy of the tree, base/ calls a function of
# screens/ (declared by hand, so that no include gives it away to tools/check.sh). The layer's
# link check builds before the plant and fails after it, naming the function.
# usage: tests/check/upward_call.sh SOURCE_DIR CXX_COMPILER
set -uo pipefail
src=${1:?usage: upward_call.sh SOURCE_DIR CXX_COMPILER}
cxx=${2:-c++}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

tar -C "$src" --exclude=./.git --exclude='./build*' --exclude=./dist --exclude=node_modules \
    -cf - . | tar -C "$work" -xf -
mkdir "$work/out"
cmake -S "$work" -B "$work/out" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$cxx" \
    -DTIDEWAKE_TESTS=OFF -DTIDEWAKE_BENCH=OFF >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; fail "the copy does not configure"; }
build() { cmake --build "$work/out" -j2 --target tidewake_base_link_check >"$work/build.log" 2>&1; }

build || { tail -40 "$work/build.log"; fail "the base layer does not link on its own as it is"; }

cat >>"$work/base/random.cpp" <<'CPP'

void ResetTitleAnimation();
void PlantedUpwardCall() {
    ResetTitleAnimation();
}
CPP
build && fail "base/ calling screens/ links"
grep -q "undefined reference to .ResetTitleAnimation" "$work/build.log" ||
    { tail -40 "$work/build.log"; fail "the failed link does not name the call"; }
echo "a call from base/ up to screens/ fails the link"
