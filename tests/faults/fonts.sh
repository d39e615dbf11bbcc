#!/usr/bin/env bash
# No usable font: fontconfig offers none, or the face it offers cannot be opened. One line says
# so, and the game draws everything but its texts: the opening's frame is then the very frame
# the runner draws with --no-text.
# shellcheck disable=SC2119 # race passes its arguments to the runner; most races need none
. "$(dirname "$0")/lib.sh"
command -v fc-cache >/dev/null 2>&1 || skip "fc-cache is not installed"

# The opening's texts are up by this frame.
TEXT_FRAME=60

# `opening_shot FILE [RUNNER ARGS...]` draws the opening into FILE; sets STATUS.
opening_shot() {
    local shot=$1
    shift
    (cd "$WORK/play" && XDG_DATA_HOME=$WORK/data "$RUNNER" --frames "$((TEXT_FRAME + 1))" \
        --shot "$TEXT_FRAME:$shot" "$@" 2>"$WORK/err")
    STATUS=$?
}

font_config() {
    printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>%s</fontconfig>\n' \
        "$1" >"$WORK/fonts.conf"
    export FONTCONFIG_FILE=$WORK/fonts.conf
}

expect_textless_opening() {
    [ "$STATUS" -eq 0 ] || fail "the runner ended with status $STATUS"
    (unset FONTCONFIG_FILE; cd "$WORK/play" && XDG_DATA_HOME=$WORK/data "$RUNNER" \
        --frames "$((TEXT_FRAME + 1))" --shot "$TEXT_FRAME:$WORK/plain.png" --no-text) ||
        fail "the runner cannot draw the opening without text"
    cmp -s "$WORK/shot.png" "$WORK/plain.png" ||
        fail "the opening is not the same frame as without text"
}

# No font at all.
make_work
font_config ""
opening_shot "$WORK/shot.png"
expect_textless_opening
expect_one_line "no font found; texts will not be shown"
race
expect_results

# A Japanese face that fontconfig has on file but that is cut short since: every text size
# fails to open it, and it is said once.
face=$(unset FONTCONFIG_FILE; fc-match -f '%{file}' 'sans-serif:lang=ja')
[ -f "$face" ] || skip "no font installed to damage a copy of"
make_work
mkdir "$WORK/fonts" "$WORK/cache"
cp "$face" "$WORK/fonts/face.ttf"
font_config "<dir>$WORK/fonts</dir><cachedir>$WORK/cache</cachedir>"
fc-cache "$WORK/fonts" || fail "fc-cache failed"
# Rewritten in place, the folder's time stays, so fontconfig trusts its cache.
head -c 1000 "$face" | dd of="$WORK/fonts/face.ttf" conv=notrunc 2>/dev/null
truncate -s 1000 "$WORK/fonts/face.ttf"
[ "$(fc-match -f '%{file}' 'sans-serif:lang=ja')" = "$WORK/fonts/face.ttf" ] ||
    skip "fontconfig does not keep the damaged face on file here"
opening_shot "$WORK/shot.png"
expect_textless_opening
expect_one_line "cannot open the font $WORK/fonts/face.ttf:" "texts will not be shown"
race
expect_results
echo "ok"
