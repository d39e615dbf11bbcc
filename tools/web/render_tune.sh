#!/usr/bin/env bash
# Renders one of our MIDI tunes to Ogg Vorbis for the page with FluidSynth's command line.
# usage: render_tune.sh SOUNDFONT TUNE.mid OUT.ogg
set -euo pipefail
fluidsynth -q -n -i -g 0.6 -r 44100 -T oga -F "$3" "$1" "$2" >/dev/null
