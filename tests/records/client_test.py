#!/usr/bin/env python3
"""tidewake-records' clients against a server: upload a course, submit a run under a name (the
token made once, readable by the player alone), fetch a ranked replay; each says one line, and a
refusal or a missing server is one line on stderr and status 1.

usage: client_test.py RECORDS RUNNER"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import server as records  # noqa: E402  pylint: disable=wrong-import-position

PROGRAM = RUNNER = ""


class Clients(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="tidewake-records-client-")
        self.race, _ = records.make_replays(RUNNER, self.work)
        self.replay = os.path.join(self.work, "replays", "finish.twr")
        self.server = records.Server(PROGRAM, self.work).start()
        self.env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.work, "config"))

    def tearDown(self):
        self.server.stop()
        shutil.rmtree(self.work)

    def client(self, *args, env=None):
        done = subprocess.run([PROGRAM, *args], capture_output=True, text=True, check=False,
                              env=env or self.env)
        return done.returncode, done.stdout, done.stderr

    def test_upload_submit_fetch(self):
        url = self.server.url()
        status, said, _ = self.client("upload", url, os.path.join(records.SOURCE, "stage",
                                                                    "01.dat"))
        self.assertEqual(status, 0)
        self.assertRegex(said, r"^course [0-9a-f]{16}: みなと湾サーキット \(shared\)\n$")
        checksum = said.split()[1].rstrip(":")
        status, said, _ = self.client("submit", url, self.replay, "--name", "Nami")
        self.assertEqual((status, said), (0, "run 1: rank 1, total 90.47, place 3\n"))
        token = os.path.join(self.work, "config", "tidewake", "records-token")
        self.assertEqual(stat.S_IMODE(os.stat(token).st_mode), 0o600)
        with open(token, encoding="ascii") as file:
            kept = file.read()
        # The same token again: the name stays the player's.
        self.assertEqual(self.client("submit", url, self.replay, "--name", "Nami")[0], 0)
        with open(token, encoding="ascii") as file:
            self.assertEqual(file.read(), kept)
        out = os.path.join(self.work, "fetched.twr")
        status, said, _ = self.client("fetch", url, checksum, "--rank", "1", "-o", out)
        self.assertEqual((status, said), (0, f"{out}: the run of Nami, rank 1, total 90.47\n"))
        self.assertEqual(records.read(out), self.race)

        # Another player's token under the same name: the server's words, status 1.
        other = dict(self.env, XDG_CONFIG_HOME=os.path.join(self.work, "other"))
        status, said, error = self.client("submit", url, self.replay, "--name", "Nami", env=other)
        self.assertEqual((status, said), (1, ""))
        self.assertEqual(error, "tidewake-records: the name Nami belongs to another player (403)\n")
        status, _, error = self.client("fetch", url, checksum, "--rank", "5", "-o", out)
        self.assertEqual(status, 1)
        self.assertEqual(error.count("\n"), 1)

    def test_no_server_is_one_line(self):
        port = records.free_port()
        status, said, error = self.client("submit", f"http://127.0.0.1:{port}", self.replay,
                                          "--name", "Nami")
        self.assertEqual((status, said), (1, ""))
        self.assertEqual(error.count("\n"), 1)
        self.assertIn("no record server answers", error)
        self.assertEqual(self.client("upload", "ftp://x", self.replay)[0], 1)


if __name__ == "__main__":
    PROGRAM, RUNNER = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
