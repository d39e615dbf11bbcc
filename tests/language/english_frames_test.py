#!/usr/bin/env python3
"""The game in English: the title, a race, the results and the replay drawn with the English
texts, each the very frame kept beside this test (looked at when it was made); the same run in
Japanese writes the same trace, since no text is traced.

usage: english_frames_test.py RUNNER SOURCE_DIR [--write]   (--write makes the kept frames anew)"""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

RUNNER = SOURCE = ""
WRITE = False
# The fixture race, then Up on the results to watch its replay.
EXTRA_KEYS = "2740 up down\n2742 up up\n"
SHOTS = {"title": 205, "select": 218, "race": 365, "results": 2730, "replay": 2790}
# The live race has no text of its own language: its frame is the Japanese one.
SAME_IN_BOTH = {"race"}


def fixtures():
    return os.path.join(SOURCE, "tests", "fixtures", "english")


def png_pixels(path):
    """What the frame shows, as a digest: its size, palette and pixel indices."""
    sys.path.insert(0, os.path.join(SOURCE, "tools", "web"))
    import png_pixels as png  # pylint: disable=import-outside-toplevel
    return hashlib.sha256(repr(png.decode(path)).encode()).hexdigest()


class EnglishFrames(unittest.TestCase):
    def run_game(self, work, language):
        folder = os.path.join(work, language)
        shutil.copytree(os.path.join(SOURCE, "stage"), os.path.join(folder, "stage"))
        fixture = os.path.join(SOURCE, "tests", "fixtures", "finish_01.keys")
        with open(fixture, encoding="ascii") as keys:
            script = keys.read() + EXTRA_KEYS
        with open(os.path.join(folder, "keys.txt"), "w", encoding="ascii") as keys:
            keys.write(script)
        shots = [arg for name, frame in SHOTS.items() for arg in ("--shot", f"{frame}:{name}.png")]
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(folder, "data"))
        command = [RUNNER, "--keys", "keys.txt", "--frames", "2800", "--lang", language,
                   "--trace", "trace.csv"] + shots
        done = subprocess.run(command, cwd=folder, env=env, capture_output=True, text=True,
                              check=False)
        self.assertEqual(done.returncode, 0, done.stderr)
        return folder

    def test_english_frames_and_the_same_trace(self):
        work = tempfile.mkdtemp(prefix="tidewake-english-")
        try:
            english = self.run_game(work, "en")
            japanese = self.run_game(work, "ja")
            for name in SHOTS:
                shot = os.path.join(english, name + ".png")
                kept = os.path.join(fixtures(), name + ".png")
                if WRITE:
                    shutil.copyfile(shot, kept)
                self.assertEqual(png_pixels(shot), png_pixels(kept), name)
                in_japanese = png_pixels(os.path.join(japanese, name + ".png"))
                self.assertEqual(png_pixels(shot) == in_japanese, name in SAME_IN_BOTH, name)
            with open(os.path.join(english, "trace.csv"), "rb") as a, \
                    open(os.path.join(japanese, "trace.csv"), "rb") as b:
                self.assertEqual(a.read(), b.read())
        finally:
            shutil.rmtree(work)


if __name__ == "__main__":
    RUNNER, SOURCE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    WRITE = "--write" in sys.argv[3:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
