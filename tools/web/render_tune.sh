#!/usr/bin/env bash
# Renders one of our MIDI tunes for the page: FluidSynth's command line plays it into a WAVE
# file, oggenc packs it as Ogg Vorbis at its smallest quality setting (about 64 kbit/s), which
# keeps the page's download small and is plenty for a General MIDI soundfont.
# usage: render_tune.sh SOUNDFONT TUNE.mid OUT.ogg
set -euo pipefail
wave=$(mktemp --suffix=.wav)
trap 'rm -f "$wave"' EXIT
fluidsynth -q -n -i -g 0.6 -r 44100 -T wav -F "$wave" "$1" "$2" >/dev/null
oggenc -Q -q 0 -o "$3" "$wave"
