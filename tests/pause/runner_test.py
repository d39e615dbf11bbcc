#!/usr/bin/env python3
"""P pauses a race: a race paused twice writes the very trace, replay and records of the same
race never paused, and while paused the frame on show stands still with PAUSE over it.

usage: runner_test.py RUNNER SOURCE_DIR"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

RUNNER = SOURCE = ""
FRAMES = 2700
# Each pause: P pressed at this frame of the race never paused, and how many frames it lasts.
PAUSES = [(800, 100), (1500, 37)]


def paused_script(events):
    """The fixture's key events with the pauses put in: P held for two frames pauses from the
    second, P held again goes on from its second, and every later event comes that much later."""
    out, shift = [], 0
    pauses = list(PAUSES)
    for frame, line in events:
        while pauses and frame >= pauses[0][0]:
            start, length = pauses.pop(0)
            at = start + shift
            out += [(at - 1, "p down"), (at + 1, "p up"),
                    (at + length - 1, "p down"), (at + length + 1, "p up")]
            shift += length
        out.append((frame + shift, line))
    return out, shift


def read_events(path):
    events = []
    with open(path, encoding="ascii") as keys:
        for line in keys:
            fields = line.split()
            if fields and not fields[0].startswith("#"):
                events.append((int(fields[0]), " ".join(fields[1:])))
    return events


def png_indices(path):
    sys.path.insert(0, os.path.join(SOURCE, "tools", "web"))
    import png_pixels  # pylint: disable=import-outside-toplevel
    header, _, raw = png_pixels.decode(path)
    width = int.from_bytes(header[0:4], "big")
    # One filter byte a row; the runner writes unfiltered rows.
    return [raw[row * (width + 1) + 1:(row + 1) * (width + 1)] for row in range(len(raw) // (width + 1))]


class Pause(unittest.TestCase):
    def race(self, work, name, events, frames, shots=()):
        folder = os.path.join(work, name)
        shutil.copytree(os.path.join(SOURCE, "stage"), os.path.join(folder, "stage"))
        with open(os.path.join(folder, "keys.txt"), "w", encoding="ascii") as keys:
            keys.writelines(f"{frame} {line}\n" for frame, line in sorted(events, key=lambda e: e[0]))
        command = [RUNNER, "--keys", "keys.txt", "--frames", str(frames), "--trace", "trace.csv",
                   "--save-replay", "race.twr"]
        for frame in shots:
            command += ["--shot", f"{frame}:{frame}.png"]
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(folder, "data"))
        done = subprocess.run(command, cwd=folder, env=env, capture_output=True, text=True,
                              check=False)
        self.assertEqual(done.returncode, 0, done.stderr)
        return folder

    def test_a_paused_race_is_the_race_never_paused(self):
        work = tempfile.mkdtemp(prefix="tidewake-pause-")
        try:
            events = read_events(os.path.join(SOURCE, "tests", "fixtures", "finish_01.keys"))
            before = PAUSES[0][0] - 1
            plain = self.race(work, "plain", events, FRAMES, shots=[before, PAUSES[0][0]])
            script, shift = paused_script(events)
            first = PAUSES[0][0]
            paused = self.race(work, "paused", script, FRAMES + shift,
                               shots=[first + 10, first + 60])
            for name in ["trace.csv", "race.twr", os.path.join("stage", "01.dat")]:
                with open(os.path.join(plain, name), "rb") as a, \
                        open(os.path.join(paused, name), "rb") as b:
                    self.assertEqual(a.read(), b.read(), name)

            # Frozen: the same frame throughout, the last one shown before the pause with only
            # PAUSE's white letters over it.
            still = png_indices(os.path.join(paused, f"{first + 10}.png"))
            self.assertEqual(still, png_indices(os.path.join(paused, f"{first + 60}.png")))
            shown = png_indices(os.path.join(plain, f"{before}.png"))
            changed = [(x, y) for y, (a, b) in enumerate(zip(shown, still))
                       for x in range(len(a)) if a[x] != b[x]]
            self.assertGreater(len(changed), 200)
            self.assertTrue(all(still[y][x] == 255 for x, y in changed))
        finally:
            shutil.rmtree(work)


if __name__ == "__main__":
    RUNNER, SOURCE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
