#!/usr/bin/env bash
# Renders one of our MIDI tunes for the page: FluidSynth's command line plays it into a WAVE
# file, oggenc packs it as Ogg Vorbis at its smallest quality setting (about 64 kbit/s), which
# keeps the page's download small and is plenty for a General MIDI soundfont.
# usage: render_tune.sh FLUIDSYNTH OGGENC SOUNDFONT TUNE.mid OUT.ogg
set -euo pipefail
wave=$(mktemp --suffix=.wav)
trap 'rm -f "$wave"' EXIT
"$1" -q -n -i -g 0.6 -r 44100 -T wav -F "$wave" "$3" "$4" >/dev/null
"$2" -Q -q 0 -o "$5" "$wave"
