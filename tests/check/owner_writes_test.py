#!/usr/bin/env python3
"""The owner check: game code writes a state header's globals only from the header's folder.

Runs tools/check/owner_writes.py on the repository, which must be clean, and on a copy of its
game folders with writes planted in them, each of which it must name by file and line, and
nothing else."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(SOURCE, "tools", "check", "owner_writes.py")
with open(os.path.join(SOURCE, "layers.txt"), encoding="utf-8") as listing:
    GAME_FOLDERS = tuple(line.strip() for line in listing
                         if line.strip() and not line.startswith("#")) + ("platform", "app")

# Lines planted in screens/, each followed by the global the check must name there (None: it
# must stay quiet about the line).
SCREENS_PLANTS = [
    ("    Scene = kSceneTitle;", "Scene"),
    ("    CameraX += 1.0f;", "CameraX"),
    ("    OpponentHeading[2] = 5;", "OpponentHeading"),
    ("    OpponentHeading [i + 1] [0] -= 1;", "OpponentHeading"),
    ("    ++RaceFrame;", "RaceFrame"),
    ("    Lap--;", "Lap"),
    ("    ::ReplayMode <<= 1;", "ReplayMode"),
    ("    PollKey(platform::Key::Q, RaceQuitKey);", "RaceQuitKey"),
    ("    std::memcpy(ReplayInputs, source, sizeof ReplayInputs);", "ReplayInputs"),
    ("    std::fill(std::begin(LapTimes), std::end(LapTimes), 0.0);", "LapTimes"),
    ("    for (int32_t& h : OpponentHeading) h = 0;", "OpponentHeading"),
    ("    if (Scene == kSceneTitle && CameraX >= 1.0f) return;", None),
    ("    const float x = CameraX; const int32_t s = Scene != 0;", None),
    ("    for (const int32_t& h : OpponentHeading) total += h;", None),
    ("    for (auto const& h : OpponentHeading) total += h;", None),
    ("    // Scene = kSceneTitle; a comment only", None),
    ('    const char* text = "Scene = 3";', None),
    ("    page.Scene = 1; view->CameraX = 2.0f;", None),
    ("    PollKey(platform::Key::Q, TitleUpKey);", None),
    ("    DrawLine3D(CheckpointX[0] * 2.0, CheckpointY[0], 1.0, 2.0, 3.0, 4.0);", None),
    ("    std::snprintf(line, sizeof line, \"%d\", StageNumber * 2);", None),
]


def run_check(root):
    result = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True,
                            timeout=60)
    return result.returncode, result.stdout.splitlines()


def plant(root, relative, lines):
    with open(os.path.join(root, relative), "w") as f:
        f.write("void Planted() {\n" + "\n".join(lines) + "\n}\n")


class OwnerWrites(unittest.TestCase):
    def test_the_game_writes_only_its_own_state(self):
        status, lines = run_check(SOURCE)
        self.assertEqual(lines, [])
        self.assertEqual(status, 0)

    def test_a_folder_without_state_headers_is_an_error_not_a_clean_tree(self):
        with tempfile.TemporaryDirectory() as root:
            status, lines = run_check(root)
        self.assertEqual(lines, [])
        self.assertEqual(status, 2)

    def test_every_planted_write_is_named_by_file_and_line_and_nothing_else(self):
        with tempfile.TemporaryDirectory() as root:
            shutil.copy(os.path.join(SOURCE, "layers.txt"), root)
            for folder in GAME_FOLDERS:
                shutil.copytree(os.path.join(SOURCE, folder), os.path.join(root, folder))
            plant(root, "screens/planted.cpp", [line for line, _ in SCREENS_PLANTS])
            # The owner writes its own state, the runner's main does not; tests and tools may.
            plant(root, "race/planted.cpp", ["    PlayerX = 1.0f;", "    Scene = 1;"])
            plant(root, "app/planted.cpp", ["    ScreenFrames = 0;"])
            plant(root, "render/planted.cpp", ["    FrameBits[0] = 1;", "    FrameBits = 0;"])
            for exempt in ("tests", "tools"):
                os.makedirs(os.path.join(root, exempt))
                plant(root, exempt + "/planted.cpp", ["    Scene = 1;"])

            status, lines = run_check(root)

        expected = [f"screens/planted.cpp:{i + 2}: `{name}` (owned by {owner}/) written here"
                    for i, (_, name) in enumerate(SCREENS_PLANTS) if name
                    for owner in ["base" if name == "Scene" else
                                  "render" if name == "CameraX" else "race"]]
        expected += [
            "race/planted.cpp:3: `Scene` (owned by base/) written here",
            "app/planted.cpp:2: `ScreenFrames` (owned by screens/) written here",
            "render/planted.cpp:3: `FrameBits` (owned by media/) written here",
        ]
        self.assertEqual(sorted(lines), sorted(expected))
        self.assertEqual(status, 1)


if __name__ == "__main__":
    unittest.main()
