#!/usr/bin/env python3
"""The runner racing a ghost: a whole finished race with and without one, the ghost's trace
columns against the replay's own boat, the kept best, and ghost files the runner must refuse.

usage: runner_test.py RUNNER GAME SOURCE_DIR"""

import csv
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

RUNNER = GAME = SOURCE = ""
GHOST_COLUMNS = ["ghost_x", "ghost_y", "ghost_z", "ghost_heading", "split"]
PLAYER_COLUMNS = ["player_x", "player_y", "player_z", "player_heading"]
RACE_SCENE = "3"


def read_trace(path):
    with open(path, newline="", encoding="ascii") as trace:
        rows = list(csv.reader(trace))
    return rows[0], rows[1:]


class Folder:
    """A working folder with a fresh copy of our courses and a data folder of its own."""

    def __init__(self, parent, name):
        self.path = os.path.join(parent, name)
        shutil.copytree(os.path.join(SOURCE, "stage"), os.path.join(self.path, "stage"))
        os.makedirs(os.path.join(self.path, "data"))

    def file(self, name):
        return os.path.join(self.path, name)

    def run(self, *args, frames=2680, keys=True):
        command = [RUNNER, "--no-draw", "--frames", str(frames)]
        if keys:
            command += ["--keys", os.path.join(SOURCE, "tests", "fixtures", "finish_01.keys")]
        env = dict(os.environ, XDG_DATA_HOME=self.file("data"))
        return subprocess.run(command + list(args), cwd=self.path, env=env, capture_output=True,
                              text=True, check=False)

    def kept_ghosts(self):
        folder = self.file(os.path.join("data", "tidewake", "ghosts"))
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []


def replay_fields(path):
    """The replay file's header lines by their word, and its steering runs."""
    with open(path, encoding="ascii") as replay:
        lines = replay.read().splitlines()
    header = dict(line.split(" ", 1) for line in lines[:5])
    return header, lines[5:-1]


def write_replay(path, header, runs):
    words = ["tidewake-replay", "course", "checksum", "pace", "frames"]
    with open(path, "w", encoding="ascii") as replay:
        for word in words:
            replay.write(word + " " + header[word] + "\n")
        replay.write(" ".join(runs) + "\nend\n")


class GhostRunner(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="tidewake-ghost-")
        # The fixture's race without a ghost, its replay and its records.
        cls.plain = Folder(cls.work, "plain")
        done = cls.plain.run("--trace", "t.csv", "--save-replay", "race.twr")
        assert done.returncode == 0, done.stderr
        cls.race = cls.plain.file("race.twr")
        cls.header, cls.rows = read_trace(cls.plain.file("t.csv"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def column(self, header, name):
        return header.index(name)

    def test_a_ghost_changes_nothing_of_the_race_and_the_finish_is_kept(self):
        racing = Folder(self.work, "racing")
        done = racing.run("--ghost", self.race, "--trace", "t.csv", "--save-replay", "race.twr")
        self.assertEqual(done.returncode, 0, done.stderr)
        header, rows = read_trace(racing.file("t.csv"))
        self.assertEqual(header, self.header + GHOST_COLUMNS)
        self.assertEqual(len(rows), len(self.rows))
        for plain, ghosted in zip(self.rows, rows):
            self.assertEqual(ghosted[:len(plain)], plain)
        for name in ["race.twr", os.path.join("stage", "01.dat")]:
            with open(self.plain.file(name), "rb") as a, open(racing.file(name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)

        # Its own race as the ghost: the same boat every race frame, level at every checkpoint.
        scene, frame = self.column(header, "scene"), self.column(header, "race_frame")
        player = [self.column(header, c) for c in PLAYER_COLUMNS]
        ghost = [self.column(header, c) for c in GHOST_COLUMNS]
        mode = self.column(header, "replay_mode")
        race_rows = [r for r in rows if r[scene] == RACE_SCENE and r[mode] == "0"]
        self.assertGreater(len(race_rows), 2000)
        for row in race_rows:
            self.assertEqual([row[c] for c in ghost[:4]], [row[c] for c in player], row[frame])
        splits = [row[ghost[4]] for row in race_rows if row[ghost[4]]]
        self.assertEqual(set(splits), {"+0.00"})
        self.assertEqual(len(splits), 24 * 20 - 19)  # the finish's banner ends with the race
        outside = [r for r in rows if r[scene] != RACE_SCENE or r[mode] != "0"]
        self.assertTrue(all(r[-5:] == [""] * 5 for r in outside))

        # Each first finish on the course was kept as its ghost.
        kept = self.plain.kept_ghosts()
        self.assertEqual(len(kept), 1)
        with open(self.race, "rb") as saved, open(os.path.join(
                self.plain.file("data"), "tidewake", "ghosts", kept[0]), "rb") as ghost_file:
            self.assertEqual(saved.read(), ghost_file.read())
        self.assertEqual(racing.kept_ghosts(), kept)

    def test_without_ghost_the_runner_races_no_kept_best(self):
        again = self.plain.run("--trace", "again.csv")
        self.assertEqual(again.returncode, 0, again.stderr)
        header, rows = read_trace(self.plain.file("again.csv"))
        self.assertEqual(header, self.header)
        scene = self.column(header, "scene")
        # The records the first race wrote are the only difference.
        records = [self.column(header, c) for c in header if c.startswith("best_")]
        for a, b in zip(self.rows, rows):
            self.assertEqual([v for i, v in enumerate(a) if i not in records],
                             [v for i, v in enumerate(b) if i not in records], a[scene])

    def test_the_ghost_stands_where_the_replays_boat_stood(self):
        # Over the ramp at the start, then nowhere until the time is up.
        header, _ = replay_fields(self.race)
        header["frames"] = "5990"
        jump = os.path.join(self.work, "jump.twr")
        write_replay(jump, header, ["N8", "L15", "N5967"])
        for ghost_file in [jump, self.race]:
            folder = Folder(self.work, "stood-" + os.path.basename(ghost_file))
            watched = folder.run("--replay", ghost_file, "--trace", "replay.csv", frames=6200,
                                 keys=False)
            self.assertEqual(watched.returncode, 0, watched.stderr)
            replay_header, replay_rows = read_trace(folder.file("replay.csv"))
            frame = self.column(replay_header, "race_frame")
            airborne = self.column(replay_header, "player_airborne")
            stood = {}
            for row in replay_rows:
                if row[1] == RACE_SCENE and int(row[frame]) - 1 not in stood:
                    stood[int(row[frame]) - 1] = [row[replay_header.index(c)]
                                                  for c in PLAYER_COLUMNS]
            if ghost_file == jump:
                self.assertIn("1", {row[airborne] for row in replay_rows})
                self.assertEqual(max(stood), 5990)

            raced = folder.run("--ghost", ghost_file, "--trace", "ghost.csv")
            self.assertEqual(raced.returncode, 0, raced.stderr)
            ghost_header, ghost_rows = read_trace(folder.file("ghost.csv"))
            frame = self.column(ghost_header, "race_frame")
            ghost = [self.column(ghost_header, c) for c in GHOST_COLUMNS[:4]]
            compared = 0
            for row in ghost_rows:
                if row[1] == RACE_SCENE and row[ghost[0]]:
                    self.assertEqual([row[c] for c in ghost], stood[int(row[frame]) - 1],
                                     row[frame])
                    compared += 1
            self.assertGreater(compared, 2000)

    def test_ghost_files_that_cannot_race_are_refused_at_start(self):
        with open(self.race, encoding="ascii") as replay:
            text = replay.read()
        cases = {
            "truncated.twr": (text[:len(text) // 2], ":"),
            "oversized.twr": (text + "N1 " * 100000, ": the file is larger than a replay can be"),
            "elsewhere.twr": (text.replace("course 01.dat", "course 02.dat"),
                              ":3: the course 02.dat has changed"),
            "missing.twr": (text.replace("course 01.dat", "course nowhere.dat"),
                            ":2: there is no course named nowhere.dat"),
        }
        folder = Folder(self.work, "refused")
        for name, (bytes_, said) in cases.items():
            with open(folder.file(name), "w", encoding="ascii") as bad:
                bad.write(bytes_)
            done = folder.run("--ghost", name, "--trace", "t.csv")
            self.assertEqual(done.returncode, 2, name)
            self.assertIn(name + said, done.stderr, name)
        done = folder.run("--ghost", self.race, "--no-ghost")
        self.assertEqual(done.returncode, 2)
        self.assertIn("cannot go with --ghost", done.stderr)
        self.assertEqual(folder.kept_ghosts(), [])
        # The game reads its options before it opens a window.
        refused = [["--ghost", self.race, "--no-ghost"], ["--ghost"], ["--no-ghost", "--no-ghost"]]
        for args in refused:
            done = subprocess.run([GAME] + args, capture_output=True, text=True, check=False)
            self.assertEqual(done.returncode, 2, args)
            self.assertIn("usage: tidewake ", done.stderr, args)


if __name__ == "__main__":
    RUNNER, GAME, SOURCE = (os.path.abspath(arg) for arg in sys.argv[1:4])
    unittest.main(argv=sys.argv[:1], verbosity=2)
