#!/usr/bin/env python3
"""P pauses a race: a race paused twice writes the very trace, replay and records of the same
race never paused, and while paused the frame on show stands still with PAUSE over it. F12 keeps
the frame on show as a PNG file in the data folder, and the game goes on as if nothing happened.

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
    rows = len(raw) // (width + 1)
    return [raw[row * (width + 1) + 1:(row + 1) * (width + 1)] for row in range(rows)]


class Pause(unittest.TestCase):
    def race(self, work, name, events, frames, shots=(), prepare=None):
        folder = os.path.join(work, name)
        shutil.copytree(os.path.join(SOURCE, "stage"), os.path.join(folder, "stage"))
        if prepare:
            prepare(folder)
        with open(os.path.join(folder, "keys.txt"), "w", encoding="ascii") as keys:
            ordered = sorted(events, key=lambda event: event[0])
            keys.writelines(f"{frame} {line}\n" for frame, line in ordered)
        command = [RUNNER, "--keys", "keys.txt", "--frames", str(frames), "--trace", "trace.csv"]
        if frames >= FRAMES:  # the fixture's race has finished by then
            command += ["--save-replay", "race.twr"]
        for frame in shots:
            command += ["--shot", f"{frame}:{frame}.png"]
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(folder, "data"))
        done = subprocess.run(command, cwd=folder, env=env, capture_output=True, text=True,
                              check=False)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.said = done.stderr
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


    def test_f12_keeps_the_frame_on_show(self):
        work = tempfile.mkdtemp(prefix="tidewake-screenshot-")
        try:
            events = [(214, "up down"), (216, "up up")]
            plain = self.race(work, "plain", events, 400)
            # Two in the same second: the second gets "-2".
            shots = events + [(300, "f12 down"), (302, "f12 up"),
                              (310, "f12 down"), (311, "f12 up")]
            taken = self.race(work, "taken", shots, 400, shots=[300, 310])
            with open(os.path.join(plain, "trace.csv"), "rb") as a, \
                    open(os.path.join(taken, "trace.csv"), "rb") as b:
                self.assertEqual(a.read(), b.read())
            folder = os.path.join(taken, "data", "tidewake", "screenshots")
            names = sorted(os.listdir(folder), key=len)
            self.assertEqual(len(names), 2, names)
            self.assertRegex(names[0], r"^tidewake-\d{8}-\d{6}\.png$")
            self.assertEqual(names[1], names[0].replace(".png", "-2.png"))
            for name, frame in zip(names, [300, 310]):
                self.assertEqual(png_indices(os.path.join(folder, name)),
                                 png_indices(os.path.join(taken, f"{frame}.png")))
                self.assertIn("tidewake: screenshot saved to " + os.path.join(folder, name),
                              self.said)

            # A file where the folder should be: one line, and the game goes on.
            def block(folder):
                os.makedirs(os.path.join(folder, "data", "tidewake"))
                with open(os.path.join(folder, "data", "tidewake", "screenshots"), "w",
                          encoding="ascii") as in_the_way:
                    in_the_way.write("not a folder")
            blocked = self.race(work, "blocked", shots[:4], 400, prepare=block)
            with open(os.path.join(plain, "trace.csv"), "rb") as a, \
                    open(os.path.join(blocked, "trace.csv"), "rb") as b:
                self.assertEqual(a.read(), b.read())
            lines = [line for line in self.said.splitlines() if "screenshot" in line]
            self.assertEqual(len(lines), 1, self.said)
            self.assertIn("tidewake: screenshot not saved to ", lines[0])
        finally:
            shutil.rmtree(work)


if __name__ == "__main__":
    RUNNER, SOURCE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
