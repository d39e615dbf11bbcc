#!/usr/bin/env bash
# The house rules that need no build, in seconds: the code is as clang-format writes it, the
# folders call each other one way only (HACKING.md's layer table), every global sits in a state
# header with its comment and is written only by its own folder, and no file names where a rule
# came from. Each finding is printed as FILE:LINE: what is wrong; the exit status is 1 when any
# rule fails.
# usage: tools/check.sh [ROOT]       (ROOT: the tree to check, the repository by default)
set -uo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
failed=0

# The files of the tree: in a git checkout what git tracks or would track, as they are now;
# elsewhere (a copy of the tree) every file outside build and package folders.
list_files() {
    if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
        git ls-files --cached --others --exclude-standard | while IFS= read -r f; do
            [ -f "$f" ] && printf '%s\n' "$f"
        done
    else
        find . -type d \( -name .git -o -name 'build*' -o -name dist -o -name node_modules \) \
            -prune -o -type f -printf '%P\n'
    fi | LC_ALL=C sort
}
mapfile -t all_files < <(list_files)
mapfile -t sources < <(printf '%s\n' "${all_files[@]}" | grep -E '\.(c|cpp|h)$')

# Prints a rule's findings under its name; a rule that found anything fails the check.
report() {
    local title=$1 findings=$2
    [ -n "$findings" ] || return 0
    echo "== $title"
    printf '%s\n' "$findings"
    failed=1
}

# ---- Formatting: clang-format 14 with the repository's .clang-format, as everyone formats.
check_format() {
    local tool=clang-format
    command -v clang-format-14 >/dev/null && tool=clang-format-14
    if ! command -v "$tool" >/dev/null; then
        echo ".clang-format:1: clang-format 14 is not installed (tools/setup.sh test installs it)"
        return
    fi
    # Another major version formats some constructs differently and would fail clean files.
    if ! "$tool" --version | grep -qE 'version 14\.'; then
        echo ".clang-format:1: the formatting is checked with clang-format 14, not $("$tool" --version)"
        return
    fi
    [ ${#sources[@]} -gt 0 ] || return
    # One line per file and place; a file far from its format shows its first five places.
    "$tool" --dry-run -Werror "${sources[@]}" 2>&1 |
        sed -nE 's/^(.+):([0-9]+):[0-9]+: (error|warning): code should be clang-formatted.*/\1:\2/p' |
        awk -F: '!seen[$0]++ && ++n[$1] <= 5 { print $0 ": not as clang-format writes it (clang-format -i " $1 ")" }'
}
report "Formatting" "$(check_format)"

# ---- Layers: a folder includes only the folders listed before it in layers.txt, state headers
# (*_state.h) aside, which any layer may read. The platform is the game's one door to the
# outside: every layer may include its own headers (platform/NAME.h, never a backend's), and it
# includes nothing of the game. app/ (the programs) stands over the layers. Nothing shipped (the
# layers, the platform, app/) includes tests/, tools/, bench/, fuzz/ or testing/; those four
# include the game, the platform, app/ and testing/ (what they share), never each other.
# HACKING.md's layer table shows layers.txt's folders in its order.
check_layers() {
    local layers
    layers=$(sed -n 's/^\([a-z_][a-z_]*\)$/\1/p' layers.txt 2>/dev/null)
    if ! grep -qx base <<<"$layers"; then
        echo "layers.txt:1: no layers (a folder a line, the lowest first)"
        return
    fi
    local table
    table=$(awk '/^## The layers/ { on = 1; next }
                 on && /^```/ { if (++fence == 2) exit; next }
                 on && fence == 1 && match($0, /^[a-z_]+\//) { print substr($0, 1, RLENGTH - 1) }' \
        HACKING.md 2>/dev/null | grep -vxE 'platform|app')
    if [ "$table" != "$layers" ]; then
        echo "HACKING.md:1: the layer table (under '## The layers') does not list layers.txt's folders in its order: $(tr '\n' ' ' <<<"$table")"
    fi
    printf '%s\n' "${sources[@]}" | grep / | tr '\n' '\0' |
        xargs -0 -r grep -nHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]+"' |
        awk -v layers="$layers" '
        BEGIN {
            n = split(layers, order, "\n")
            for (i = 1; i <= n; ++i) rank[order[i]] = i
            rank["platform"] = 0
            rank["app"] = n + 1
            top = n + 1
            harness["tests"] = harness["tools"] = harness["bench"] = harness["fuzz"] = 1
        }
        {
            split($0, part, ":")
            file = part[1]; line = part[2]
            included = $0; sub(/^[^"]*"/, "", included); sub(/".*$/, "", included)
            from = file; sub(/\/.*/, "", from)
            to = included; sub(/\/.*/, "", to)
            if (from == to) next
            where = file ":" line ": "
            if (to in harness) {
                if ((from in harness) || from == "testing") print where from "/ includes " included "; tests, tools, benchmarks and fuzzers share code only through testing/"
                else print where from "/ includes " included "; nothing shipped includes " to "/"
                next
            }
            if (to == "testing") {
                if (!(from in harness)) print where from "/ includes " included "; nothing shipped includes testing/"
                next
            }
            if (!(to in rank)) next
            if (from == "platform") {
                print where "the platform includes " included ", a part of the game"
                next
            }
            if ((from in harness) || from == "testing" || !(from in rank)) next
            if (included ~ /_state\.h$/) next
            if (to == "platform" && rank[from] < top && included !~ /^platform\/[^\/]+\.h$/) {
                print where from "/ includes " included ", a backend of the platform; the game goes through platform/platform.h"
                next
            }
            if (rank[to] > rank[from]) print where from "/ includes " included ", a layer above it (see layers.txt)"
            if (rank[from] < top && rank[to] < top && !((from, to) in first)) first[from, to] = file ":" line
        }
        END {
            for (pair in first) {
                split(pair, p, SUBSEP)
                if (p[1] < p[2] && ((p[2], p[1]) in first))
                    print first[pair] ": " p[1] "/ and " p[2] "/ include each other (also " first[p[2], p[1]] ")"
            }
        }' | LC_ALL=C sort -t: -k1,1 -k2,2n
}
report "Layers" "$(check_layers)"

# ---- Globals: every extern is declared in a state header (*_state.h), each with the comment
# that says what it holds: a // line right above it, or one after it on the same line.
check_globals() {
    [ ${#sources[@]} -gt 0 ] || return
    awk 'FNR == 1 { previous = "" }
         /^[ \t]*extern[ \t]/ && !/^[ \t]*extern[ \t]+"C"/ {
             if (FILENAME !~ /_state\.h$/) print FILENAME ":" FNR ": a global declared outside a state header (*_state.h)"
             if ($0 !~ /;[ \t]*\/\// && previous !~ /^[ \t]*\/\//) print FILENAME ":" FNR ": a global without its comment (a // line above it or after it)"
         }
         { previous = $0 }' "${sources[@]}"
}
report "Globals" "$(check_globals)"

# ---- Who writes what: a global is written only by the folder whose state header declares it;
# everyone else reads it, or asks the owner's functions to change it.
report "Writes from outside the owner" "$(python3 "$tools/check/owner_writes.py" "$(pwd)" 2>&1)"

# ---- Shell scripts: every script passes shellcheck with the repository's .shellcheckrc, which
# has it follow the files a script sources. A script is a *.sh file, or any file whose first line
# starts it with bash or sh.
check_shell() {
    if ! command -v shellcheck >/dev/null; then
        echo ".shellcheckrc:1: shellcheck is not installed (tools/setup.sh test installs it)"
        return
    fi
    local scripts
    # shellcheck disable=SC2016 # an awk program, which xargs runs
    mapfile -t scripts < <(printf '%s\n' "${all_files[@]}" | grep -v '\.sh$' | tr '\n' '\0' |
        xargs -0 -r awk 'FNR == 1 {
            if ($0 ~ /^#!.*[\/[:space:]](ba|da|k)?sh([[:space:]]|$)/) print FILENAME
            nextfile
        }'
        printf '%s\n' "${all_files[@]}" | grep '\.sh$')
    [ ${#scripts[@]} -gt 0 ] || return
    # Anything but a finding (shellcheck refusing its options or a file) fails the rule too.
    local output status
    output=$(shellcheck -f gcc -- "${scripts[@]}" 2>&1)
    status=$?
    [ -n "$output" ] || [ $status -eq 0 ] || output="shellcheck ended with status $status"
    [ -n "$output" ] || return
    sed -E 's/^([^:]+):([0-9]+):[0-9]+: [a-z]+: (.*)$/\1:\2: \3/; t
            s/^/.shellcheckrc:1: shellcheck: /' <<<"$output"
}
report "Shell scripts" "$(check_shell)"

# ---- JavaScript: the pages' scripts and the browser tests pass ESLint with the repository's
# .eslintrc.json (eslint:recommended, and what each folder's scripts are given to use).
check_javascript() {
    if ! command -v eslint >/dev/null; then
        echo ".eslintrc.json:1: eslint is not installed (tools/setup.sh test installs it)"
        return
    fi
    local scripts
    mapfile -t scripts < <(printf '%s\n' "${all_files[@]}" |
        grep -E '^(platform/web/.*|records/page/[^/]*|tools/web/browser/[^/]*)\.js$')
    [ ${#scripts[@]} -gt 0 ] || return
    # Debian's eslint keeps its modules in /usr/share/nodejs, which only Debian's own node
    # searches; a node from elsewhere is shown the way there.
    local output status
    output=$(NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} eslint --format unix \
        --report-unused-disable-directives -- "${scripts[@]}" 2>&1)
    status=$?
    [ -n "$output" ] || [ $status -eq 0 ] || output="eslint ended with status $status"
    [ -n "$output" ] || return
    # Its paths are absolute; its last line counts the problems. Anything else it says (a broken
    # configuration, a crash) fails the rule as it is.
    local here line
    here=$(pwd -P)
    while IFS= read -r line; do
        [[ -z $line || $line =~ ^[0-9]+\ problems?$ ]] && continue
        if [[ $line =~ ^(.+):([0-9]+):[0-9]+:\ (.*)\ \[(Error|Warning)(/([^]]+))?\]$ ]]; then
            local file=${BASH_REMATCH[1]} rule=${BASH_REMATCH[6]}
            printf '%s:%s: %s\n' "${file#"$here"/}" "${BASH_REMATCH[2]}" \
                "${BASH_REMATCH[3]}${rule:+ ($rule)}"
        else
            printf '.eslintrc.json:1: eslint: %s\n' "$line"
        fi
    done <<<"$output"
}
report "JavaScript" "$(check_javascript)"

# ---- Where a rule came from: code, comments, tests and docs say why in the game's own terms,
# never which document or which numbered part of one a rule was taken from. The words are
# written here so that this file does not match itself.
check_sources_named() {
    local pattern='\bspe[c](ification)?s?\b|\bparts? [0-9]+(\.[0-9]+)*\b|\bsections? [0-9]+(\.[0-9]+)*( of)?\b|\bdesig[n] doc(ument)?s?\b'
    printf '%s\n' "${all_files[@]}" | tr '\n' '\0' | xargs -0 -r grep -nIiE "$pattern" -- |
        sed -E 's/^([^:]+:[0-9]+):.*/\1: names where a rule came from; say why in the game'"'"'s terms/'
    printf '%s\n' "${all_files[@]}" | grep -iE "$pattern|(^|/)[^/]*spe[c][^/]*$" |
        sed 's/$/:1: the file name names where a rule came from/'
}
report "Where rules came from" "$(check_sources_named)"

exit $failed
