"""A tidewake-records server for the tests: started on a free port of 127.0.0.1 with a database
of its own (a SQLite file, or a schema of its own in the test cluster's PostgreSQL), and stopped
with the test."""

import http.client
import os
import shutil
import socket
import subprocess
import sys
import time
import uuid

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def postgres_uri(state_file):
    """A fresh schema in the test cluster, as a URI that puts the server in it; None without a
    cluster."""
    if not state_file or not os.path.exists(state_file):
        return None
    with open(state_file, encoding="ascii") as file:
        base = file.read().strip()
    schema = "t" + uuid.uuid4().hex[:12]
    psql = shutil.which("psql") or "/usr/bin/psql"
    subprocess.run([psql, base, "-q", "-c", f"CREATE SCHEMA {schema}"], check=True,
                   capture_output=True)
    joiner = "&" if "?" in base else "?"
    return f"{base}{joiner}options=-csearch_path%3D{schema}"


class Server:
    def __init__(self, program, work, db=None, extra=(), env=None):
        self.program, self.work = program, work
        self.port = free_port()
        self.db = db or os.path.join(work, "records.sqlite")
        self.extra = list(extra)
        self.env = dict(os.environ, **(env or {}))
        self.process = None
        self.preexec = None  # run in the server's process before it starts: a limit, say
        self.wrapper = []  # what the server is started through (another user, say)
        self.log = os.path.join(work, f"server-{self.port}.log")

    def start(self):
        self.log_file = open(self.log, "a", encoding="utf-8")
        self.process = subprocess.Popen(
            [*self.wrapper, self.program, "serve", "--db", self.db, "--listen",
             f"127.0.0.1:{self.port}",
             *self.extra], stdout=self.log_file, stderr=self.log_file, env=self.env,
            preexec_fn=self.preexec)  # pylint: disable=subprocess-popen-preexec-fn
        for _ in range(200):
            if self.process.poll() is not None:
                raise RuntimeError("the server ended at its start:\n" + self.said())
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=0.2):
                    return self
            except OSError:
                time.sleep(0.05)
        raise RuntimeError("the server did not start:\n" + self.said())

    def said(self):
        with open(self.log, encoding="utf-8", errors="replace") as file:
            return file.read()

    def stop(self, kill=False):
        if self.process and self.process.poll() is None:
            if kill:
                self.process.kill()
            else:
                self.process.terminate()
            self.process.wait(timeout=20)
        self.log_file.close()

    def url(self):
        return f"http://127.0.0.1:{self.port}"

    def request(self, method, path, body=None, headers=None, timeout=30):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            # Header values go as UTF-8, as a client sends a name in any script.
            encoded = {name: value.encode() for name, value in (headers or {}).items()}
            connection.request(method, path, body=body, headers=encoded)
            answer = connection.getresponse()
            return answer.status, dict(answer.getheaders()), answer.read()
        finally:
            connection.close()


def read(path):
    with open(path, "rb") as file:
        return file.read()


def make_replays(runner, work):
    """Replays of races on the shipped stage 1: a finish driven by the fixture's keys, and a race
    whose time runs out."""
    folder = os.path.join(work, "replays")
    os.makedirs(folder, exist_ok=True)
    shutil.copytree(os.path.join(SOURCE, "stage"), os.path.join(folder, "stage"),
                    dirs_exist_ok=True)
    finish = os.path.join(folder, "finish.twr")
    if not os.path.exists(finish):
        subprocess.run([runner, "--keys", os.path.join(SOURCE, "tests", "fixtures",
                                                       "finish_01.keys"),
                        "--frames", "2700", "--no-draw", "--save-replay", finish],
                       cwd=folder, check=True, capture_output=True,
                       env=dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data")))
    race = read(finish)
    header = race.split(b"\nframes ")[0]
    # Left held the whole race: the boat turns circles until the time is up.
    timeup = header + b"\nframes 5990\nL5990\nend\n"
    return race, timeup


if __name__ == "__main__":
    sys.exit("a module for the record server's tests")
