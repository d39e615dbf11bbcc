#!/usr/bin/env python3
"""The volumes through the real mixer, captured by SDL's disk audio driver: tidewake-sound-check
plays the four effects and the title tune at volume 10, 5 and 0. At 5 every sample of an effect
is the one at 10 halved (to within the mixer's rounding) and the tune is half as loud (its
streamed start is not sample-exact between runs on a busy machine); at 0 the capture is silent.

usage: real_audio_test.py SOUND_CHECK   (exit 77, skipped, where the mixer cannot open)"""

import array
import os
import subprocess
import sys
import tempfile

RATE, CHANNELS = 44100, 2


def capture(tool, folder, volumes):
    """The three runs at once: the disk driver writes in real time, so each takes the tune's
    length however idle the machine is, and together they take it once."""
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="disk")
    runs = []
    for volume in volumes:
        path = os.path.join(folder, f"volume-{volume}.raw")
        runs.append((path, subprocess.Popen([tool, "--volume", str(volume)],
                                            env=dict(env, SDL_DISKAUDIOFILE=path),
                                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                            text=True)))
    answers = [(path, run, run.communicate()[1]) for path, run in runs]
    captures = []
    for path, run, stderr in answers:
        if run.returncode != 0:
            print(stderr)
            sys.exit(77 if "no sound device" in stderr or not os.path.exists(path) else 1)
        samples = array.array("h")
        with open(path, "rb") as raw:
            samples.frombytes(raw.read())
        captures.append(samples)
    return captures


def first_sound(samples, start):
    """The first stereo frame from `start` that is not silence."""
    for at in range(start - start % CHANNELS, len(samples)):
        if samples[at] != 0:
            return at - at % CHANNELS
    return None


def halved_by(full, half, at_full, at_half, length, slack):
    """How far the half capture strays from the full one halved, with the best alignment within
    `slack` frames (the tune's quietest first samples vanish when halved)."""
    best = None
    for shift in range(-slack * CHANNELS, slack * CHANNELS + 1, CHANNELS):
        worst = max(abs(half[at_half + shift + k] - full[at_full + k] / 2)
                    for k in range(0, length, 5))
        best = worst if best is None else min(best, worst)
    return best


def rms(samples):
    return (sum(s * s for s in samples) / max(1, len(samples))) ** 0.5


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="tidewake-volume-") as folder:
        full, half, silent = capture(tool, folder, (10, 5, 0))
    failures = []
    if any(silent):
        failures.append("volume 0 is not silent")
    # The first effect a second in.
    for name, start, length, slack in (("the first effect", RATE // 2, RATE // 2, 400),):
        at_full = first_sound(full, start * CHANNELS)
        at_half = first_sound(half, start * CHANNELS)
        if at_full is None or at_half is None:
            failures.append(f"{name} is not heard")
            continue
        stray = halved_by(full, half, at_full, at_half, length * CHANNELS, slack)
        print(f"{name}: volume 5 strays {stray} from volume 10 halved")
        if stray > 1:
            failures.append(f"{name} at volume 5 is not volume 10 halved ({stray})")
            print(f"  first sound at {at_full // CHANNELS} and {at_half // CHANNELS} frames")
    # The tune from the sixth second on, two seconds of it.
    loudness = [rms(samples[6 * RATE * CHANNELS:8 * RATE * CHANNELS]) for samples in (full, half)]
    print(f"the title tune: RMS {loudness[0]:.1f} at volume 10, {loudness[1]:.1f} at 5")
    if loudness[0] < 100 or abs(loudness[1] / loudness[0] - 0.5) > 0.03:
        failures.append("the title tune at volume 5 is not half as loud as at 10")
    for failure in failures:
        print("FAIL: " + failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
