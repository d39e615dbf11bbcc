#!/usr/bin/env python3
"""The record server when things go wrong around it: killed outright in the middle of a load of
submissions, its database's file unable to grow, PostgreSQL stopped and started under it, and
a database that may only be read, a flood of requests under another player's name. Nothing it answered 201 may be lost, nothing
half-written may show, and it serves again without a restart of its own where it can.

usage: fault_test.py RECORDS RUNNER"""

import json
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import server as records  # noqa: E402  pylint: disable=wrong-import-position

PROGRAM = RUNNER = ""
STAGE01 = os.path.join(records.SOURCE, "stage", "01.dat")
CLUSTER = os.path.join(records.SOURCE, "tools", "pg_cluster.sh")


def headers(name, token):
    return {"X-Player-Name": name, "X-Player-Token": token}


class Faults(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="tidewake-records-faults-")
        self.race, _ = records.make_replays(RUNNER, self.work)

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def serve(self, db=None, extra=(), preexec=None):
        server = records.Server(PROGRAM, self.work, db=db, extra=["--runs-per-minute", "100000",
                                                                  *extra])
        if preexec:
            server.preexec = preexec
        return server.start()

    def upload(self, server):
        status, _, body = server.request("POST", "/api/courses", records.read(STAGE01))
        self.assertIn(status, (200, 201), body)
        return json.loads(body)["course"]

    def table(self, server, course):
        status, _, body = server.request("GET", f"/api/courses/{course}/runs?limit=1000")
        self.assertEqual(status, 200, body)
        return json.loads(body)

    def test_killed_under_load_loses_no_run_it_answered(self):
        server = self.serve()
        course = self.upload(server)
        answered = {}
        lock = threading.Lock()
        stop = threading.Event()

        def submit(thread):
            for n in range(1000):
                if stop.is_set():
                    return
                name = f"k{thread}-{n}"
                try:
                    status, _, body = server.request("POST", "/api/runs", self.race,
                                                     headers(name, f"{thread + 1:032x}"),
                                                     timeout=10)
                except OSError:
                    return
                if status == 201:
                    with lock:
                        answered[name] = json.loads(body)["run"]

        threads = [threading.Thread(target=submit, args=(t,)) for t in range(4)]
        for thread in threads:
            thread.start()
        time.sleep(1.5)
        server.stop(kill=True)
        stop.set()
        for thread in threads:
            thread.join()
        self.assertGreater(len(answered), 5)

        check = subprocess.run([PROGRAM, "check", "--db", server.db], capture_output=True,
                               text=True, check=False)
        self.assertEqual((check.returncode, check.stdout), (0, "ok\n"), check.stderr)
        again = self.serve(db=server.db)
        try:
            kept = {run["name"]: run for run in self.table(again, course)}
            for name, run in answered.items():
                self.assertIn(name, kept)
                self.assertEqual(kept[name]["run"], run)
            # Whatever the table shows is whole: the verified times, and its replay.
            for run in kept.values():
                self.assertEqual(run["total"], 90.47)
            for name in list(kept)[:: max(1, len(kept) // 10)]:
                status, _, replay = again.request("GET", f"/api/runs/{kept[name]['run']}/replay")
                self.assertEqual((status, replay), (200, self.race))
        finally:
            again.stop()

    def test_a_database_that_cannot_grow_refuses_runs_and_reads_go_on(self):
        server = self.serve()
        course = self.upload(server)
        self.assertEqual(server.request("POST", "/api/runs", self.race,
                                        headers("Before", "1" * 32))[0], 201)
        server.stop()
        db = server.db
        largest = max(os.path.getsize(p) for p in [db, db + "-wal"] if os.path.exists(p))

        def no_room():
            resource.setrlimit(resource.RLIMIT_FSIZE, (largest, largest))

        full = records.Server(PROGRAM, self.work, db=db, extra=["--runs-per-minute", "100000"])
        full.preexec = no_room
        full.start()
        try:
            statuses = []
            for n in range(60):
                status, _, body = full.request("POST", "/api/runs", self.race,
                                               headers(f"Full{n}", f"{n + 2:032x}"))
                statuses.append(status)
                if status == 503:
                    self.assertIn("database", json.loads(body)["error"])
                    break
            self.assertEqual(statuses[-1], 503, statuses)
            self.assertEqual(self.table(full, course)[0]["name"], "Before")
            self.assertEqual(full.request("GET", "/api/courses")[0], 200)
            self.assertIsNone(full.process.poll())
        finally:
            full.stop()
        check = subprocess.run([PROGRAM, "check", "--db", db], capture_output=True, text=True,
                               check=False)
        self.assertEqual(check.stdout, "ok\n", check.stderr)

    def test_a_database_that_may_only_be_read_serves_its_tables(self):
        folder = tempfile.mkdtemp(prefix="tidewake-records-readonly-")
        try:
            db = os.path.join(folder, "records.sqlite")
            server = self.serve(db=db)
            course = self.upload(server)
            self.assertEqual(server.request("POST", "/api/runs", self.race,
                                            headers("Kept", "e" * 32))[0], 201)
            server.stop()
            # Nothing in the folder may be written, by a server that is not root.
            wrapper = []
            if os.getuid() == 0:
                if not shutil.which("setpriv"):
                    self.skipTest("root, and no setpriv to serve as another user")
                wrapper = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
            for name in os.listdir(folder):
                os.chmod(os.path.join(folder, name), 0o444)
            os.chmod(folder, 0o555)
            read_only = records.Server(PROGRAM, self.work, db=db)
            read_only.wrapper = wrapper
            read_only.start()
            try:
                self.assertEqual(self.table(read_only, course)[0]["name"], "Kept")
                for path, body in [("/api/runs", self.race), ("/api/courses",
                                                              records.read(STAGE01))]:
                    status, _, answer = read_only.request("POST", path, body,
                                                          headers("New", "f" * 32))
                    self.assertEqual(status, 503, answer)
                    self.assertIn("readonly", json.loads(answer)["error"])
                self.assertEqual(read_only.request("GET", "/api/courses")[0], 200)
            finally:
                read_only.stop()
        finally:
            os.chmod(folder, 0o755)
            shutil.rmtree(folder, ignore_errors=True)

    def test_postgresql_stopped_and_started_under_the_server(self):
        # Under the temporary folder itself, where an unprivileged owner can reach it.
        cluster = tempfile.mkdtemp(prefix="tidewake-pg-faults-")
        started = subprocess.run([CLUSTER, "start", cluster], capture_output=True, text=True,
                                 check=False)
        if started.returncode == 77:
            self.skipTest("PostgreSQL is not installed")
        self.assertEqual(started.returncode, 0, started.stderr)
        try:
            server = self.serve(db=started.stdout.strip())
            try:
                course = self.upload(server)
                self.assertEqual(server.request("POST", "/api/runs", self.race,
                                                headers("Up", "a" * 32))[0], 201)
                subprocess.run([CLUSTER, "stop", cluster], check=True, capture_output=True)
                status, answer, body = server.request("GET", f"/api/courses/{course}/runs")
                self.assertEqual(status, 503, body)
                self.assertIn("Retry-After", answer)
                self.assertEqual(server.request("POST", "/api/runs", self.race,
                                                headers("Down", "b" * 32))[0], 503)
                subprocess.run([CLUSTER, "resume", cluster], check=True, capture_output=True)
                # The first request after may still meet a connection the database dropped.
                statuses = [server.request("GET", f"/api/courses/{course}/runs")[0]
                            for _ in range(3)]
                self.assertEqual(statuses[-1], 200, statuses)
                self.assertEqual(server.request("POST", "/api/runs", self.race,
                                                headers("Again", "c" * 32))[0], 201)
                self.assertIsNone(server.process.poll())
            finally:
                server.stop()
        finally:
            subprocess.run([CLUSTER, "stop", cluster], capture_output=True, check=False)
            shutil.rmtree(cluster, ignore_errors=True)

    def test_ten_thousand_requests_under_another_name(self):
        server = self.serve()
        self.upload(server)
        self.assertEqual(server.request("POST", "/api/runs", self.race,
                                        headers("Owner", "d" * 32))[0], 201)
        import http.client  # pylint: disable=import-outside-toplevel
        connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
        statuses = {}
        started = time.monotonic()
        for n in range(10000):
            connection.request("POST", "/api/runs", body=self.race,
                               headers=headers("Owner", f"{n:032x}"))
            answer = connection.getresponse()
            answer.read()
            statuses[answer.status] = statuses.get(answer.status, 0) + 1
        connection.close()
        self.assertEqual(statuses, {403: 10000})
        # Refused before any replay is played: quickly, and the owner still gets in.
        self.assertLess(time.monotonic() - started, 60)
        self.assertEqual(server.request("POST", "/api/runs", self.race,
                                        headers("Owner", "d" * 32))[0], 201)
        server.stop()


if __name__ == "__main__":
    PROGRAM, RUNNER = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
