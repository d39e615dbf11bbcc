#!/usr/bin/env python3
"""The settings, driven by the runner's key scripts: every row changes at once and only itself,
Q keeps them in settings.ini (and the keys bound in keys.ini) where the next start reads them,
--lang overrides the file for one run, a bad line is named, an unwritable folder costs one line.

usage: runner_test.py RUNNER SOURCE_DIR"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

RUNNER = SOURCE = ""
OPEN = 214  # the title is up by then; Down held from here opens the settings
# The panel the rows stand on, inside its border, and the rows' bands in it.
PANEL_X = range(41, 600)
ROW_TOP, ROW_STEP, ROW_HEIGHT = 120, 44, 26


def png_indices(path):
    sys.path.insert(0, os.path.join(SOURCE, "tools", "web"))
    import png_pixels  # pylint: disable=import-outside-toplevel
    header, _, raw = png_pixels.decode(path)
    width = int.from_bytes(header[0:4], "big")
    rows = len(raw) // (width + 1)
    return [raw[row * (width + 1) + 1:(row + 1) * (width + 1)] for row in range(rows)]


def band(frame, row):
    top = ROW_TOP + row * ROW_STEP
    return [bytes(frame[y][x] for x in PANEL_X) for y in range(top - 1, top + ROW_HEIGHT)]


def panel(frame):
    return [bytes(frame[y][x] for x in PANEL_X) for y in range(105, 386)]


class Script:
    """Key presses, each held three frames so that it acts once, two frames after it starts."""

    def __init__(self):
        self.events, self.frame = [], OPEN
        self.press("down")

    def press(self, key, gap=8):
        self.events += [(self.frame, f"{key} down"), (self.frame + 3, f"{key} up")]
        at = self.frame
        self.frame += gap
        return at

    def text(self):
        return "".join(f"{frame} {line}\n" for frame, line in sorted(self.events,
                                                                     key=lambda e: e[0]))


class Settings(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="tidewake-settings-")
        self.config = os.path.join(self.work, "config")

    def tearDown(self):
        shutil.rmtree(self.work)

    def run_game(self, name, script, frames, shots=(), extra=(), config=None):
        folder = os.path.join(self.work, name)
        os.makedirs(folder)
        shutil.copytree(os.path.join(SOURCE, "stage"), os.path.join(folder, "stage"))
        with open(os.path.join(folder, "keys.txt"), "w", encoding="ascii") as keys:
            keys.write(script.text())
        command = [RUNNER, "--keys", "keys.txt", "--frames", str(frames), "--trace", "trace.csv",
                   *extra]
        for frame in shots:
            command += ["--shot", f"{frame}:{frame}.png"]
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(folder, "data"),
                   XDG_CONFIG_HOME=config or self.config)
        done = subprocess.run(command, cwd=folder, env=env, capture_output=True, text=True,
                              check=False)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.said = done.stderr
        return folder

    def saved(self, name):
        with open(os.path.join(self.config, "tidewake", name), encoding="ascii") as file:
            return file.read()

    def test_every_row_changes_at_once_and_the_next_start_keeps_it(self):
        script = Script()
        # (row, key, whether the other rows change too: the language is every row's)
        steps = [(0, "right", True), (1, "left", False), (2, "left", False), (3, "right", False),
                 (4, "right", False), (5, "right", True)]
        changes = []
        for row, key, everything in steps:
            if row > 0:
                script.press("down")
            changes.append((row, script.press(key), everything))
        script.press("q")  # the key list back to the rows
        for _ in range(5):
            script.press("up")
        last = script.press("q")  # back to the title, keeping them
        shots = [frame + d for _, frame, _ in changes for d in (1, 2)] + [last]
        walk = self.run_game("walk", script, last + 20, shots, ["--settings"])
        frames = {frame: png_indices(os.path.join(walk, f"{frame}.png")) for frame in shots}
        for row, frame, everything in changes:
            before, after = frames[frame + 1], frames[frame + 2]
            self.assertNotEqual(band(before, row), band(after, row), f"row {row}")
            for other in range(6):
                if other != row and not everything:
                    self.assertEqual(band(before, other), band(after, other), f"{row}: {other}")
        text = self.saved("settings.ini")
        for line in ["language = en", "music = 9", "effects = 9", "ghost = on", "window = 3"]:
            self.assertIn(line + "\n", text)
        self.assertFalse(os.path.exists(os.path.join(self.config, "tidewake", "keys.ini")))

        # The next start reads them: the settings open as they were left.
        again = Script()
        reopened = self.run_game("again", again, OPEN + 12, [OPEN + 10], ["--settings"])
        self.assertEqual(panel(png_indices(os.path.join(reopened, f"{OPEN + 10}.png"))),
                         panel(frames[last]))
        # --lang overrides the file for one run, and leaves it as it was.
        japanese = self.run_game("japanese", Script(), OPEN + 12, [OPEN + 10],
                                 ["--settings", "--lang", "ja"])
        self.assertNotEqual(panel(png_indices(os.path.join(japanese, f"{OPEN + 10}.png"))),
                            panel(frames[last]))
        self.assertEqual(self.saved("settings.ini"), text)
        # Without --settings the runner keeps to its own defaults: Japanese at full volume.
        plain = self.run_game("plain", Script(), OPEN + 12, [OPEN + 10])
        self.assertEqual(panel(png_indices(os.path.join(plain, f"{OPEN + 10}.png")))[0:40],
                         panel(png_indices(os.path.join(japanese, f"{OPEN + 10}.png")))[0:40])

    def test_a_key_bound_on_the_screen_is_kept_in_keys_ini(self):
        script = Script()
        for _ in range(5):
            script.press("down")
        script.press("right")  # the key list
        script.press("right")  # a new key for Up
        script.press("key:W")
        script.press("q")
        script.press("q")
        bound = self.run_game("bind", script, script.frame + 5, extra=["--settings"])
        self.assertIn("up = W\n", self.saved("keys.ini"))
        self.assertEqual(self.said, "")
        del bound

        # The next start: W on the title starts a race, as Up did.
        start = Script()
        start.events = [(OPEN, "key:W down"), (OPEN + 3, "key:W up")]
        raced = self.run_game("raced", start, OPEN + 40, extra=["--settings"])
        with open(os.path.join(raced, "trace.csv"), encoding="ascii") as trace:
            scenes = {line.split(",")[1] for line in list(trace)[OPEN + 10:]}
        self.assertIn("5", scenes)  # the stage select

    def test_a_bad_line_is_named_and_the_game_goes_on(self):
        os.makedirs(os.path.join(self.config, "tidewake"))
        with open(os.path.join(self.config, "tidewake", "settings.ini"), "w",
                  encoding="ascii") as file:
            file.write("language = en\nmusic = loud\n")
        self.run_game("bad", Script(), OPEN + 12, extra=["--settings"])
        self.assertIn("settings.ini:2: music is a whole number from 0 to 10, not 'loud'",
                      self.said)

    def test_escape_from_the_settings_keeps_them(self):
        script = Script()
        script.press("right")
        script.press("escape")
        self.run_game("escape", script, script.frame + 100, extra=["--settings"])
        self.assertIn("language = en\n", self.saved("settings.ini"))

    def test_an_unwritable_config_folder_costs_one_line(self):
        blocked = os.path.join(self.work, "blocked")
        with open(blocked, "w", encoding="ascii") as in_the_way:
            in_the_way.write("not a folder")
        script = Script()
        script.press("right")
        script.press("q")
        self.run_game("unwritable", script, script.frame + 10, extra=["--settings"],
                      config=blocked)
        lines = [line for line in self.said.splitlines() if line]
        self.assertEqual(len(lines), 1, self.said)
        self.assertIn("settings folder", lines[0])


if __name__ == "__main__":
    RUNNER, SOURCE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
