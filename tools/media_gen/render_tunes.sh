#!/usr/bin/env bash
# Renders our MIDI tunes once with FluidSynth into OUT/KEY.flac, KEY being the tune's key (what
# the game looks its rendering up by), and lists "TUNE KEY" in OUT/rendered.txt. The gain is the
# one the game's mixer gives FluidSynth, so the rendering sounds as the live tune did; FLAC keeps
# every sample of it. Renderings of tunes no longer made are removed.
# usage: render_tunes.sh TUNE_KEY_TOOL FLUIDSYNTH SOUNDFONT OUT TUNE.mid...
set -euo pipefail
key_tool=$1
fluidsynth=$2
soundfont=$3
out=$4
shift 4
mkdir -p "$out"
rm -f "$out"/*.flac "$out/rendered.txt"
list=$(mktemp)
trap 'rm -f "$list"' EXIT
for tune in "$@"; do
    key=$("$key_tool" "$tune")
    "$fluidsynth" -q -n -i -g 1.2 -r 44100 -T flac -O s16 -F "$out/$key.flac" "$soundfont" \
        "$tune" >/dev/null
    [ -s "$out/$key.flac" ] || { echo "render_tunes.sh: nothing rendered for $tune" >&2; exit 1; }
    echo "$(basename "$tune") $key" >>"$list"
done
chmod 644 "$list"
mv "$list" "$out/rendered.txt"
