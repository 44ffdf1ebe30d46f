#!/usr/bin/env python3
"""Slow-client probe of vanto-service on 127.0.0.1.

Starts the service on a free port, keeps SLOW connections open that either
send one header line every 2 seconds and never finish their request
("headers") or send nothing at all ("silent"), reopening any the service
closes, as an attacker would; then times normal requests made meanwhile from
another address. Prints the figures and fails when a normal request took
1 second or more.

Usage: slowclients.py [--binary B] [--root R] [--mode headers|silent]
                      [--slow 200] [--sources 4] [--requests 20] [-- SERVICE ARGS]
The slow connections come from 127.0.0.2 onwards (--sources addresses), the
normal requests from 127.0.0.1.
"""
import argparse
import os
import re
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def start_service(binary, root, folder, extra):
    log = open(os.path.join(folder, "service.log"), "w+")
    process = subprocess.Popen(
        [binary, "--port", "0", "--root", root, "--db", os.path.join(folder, "accounts.db"),
         "--quiet"] + extra, stderr=log)
    for _ in range(100):
        log.seek(0)
        found = re.search(r"http://127\.0\.0\.1:(\d+)", log.read())
        if found:
            return process, int(found.group(1))
        time.sleep(0.1)
    process.kill()
    sys.exit("service did not start")


class SlowClients:
    """Keeps `count` slow connections open until stopped."""

    def __init__(self, port, count, sources, mode):
        self.port, self.count, self.mode = port, count, mode
        self.sources = ["127.0.0.%d" % (2 + i) for i in range(sources)]
        self.sockets = []
        self.opened = 0
        self.refused = 0
        self.stopping = threading.Event()
        self.thread = threading.Thread(target=self.run, daemon=True)

    def open_one(self):
        s = socket.socket()
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        s.bind((self.sources[self.opened % len(self.sources)], 0))
        s.settimeout(2)
        try:
            s.connect(("127.0.0.1", self.port))
            if self.mode == "headers":
                s.sendall(b"GET /popup.htm HTTP/1.1\r\nHost: probe\r\n")
            s.setblocking(False)
        except OSError:
            self.refused += 1
            s.close()
            return
        self.opened += 1
        self.sockets.append(s)

    def alive(self, s):
        try:
            if self.mode == "headers":
                s.send(b"X-Slow: %d\r\n" % int(time.time()))
            data = s.recv(1)  # b"" or a reply: the service closed or refused it
            return False if data == b"" or data else True
        except BlockingIOError:
            return True
        except OSError:
            return False

    def run(self):
        while not self.stopping.is_set():
            kept = []
            for s in self.sockets:
                if self.alive(s):
                    kept.append(s)
                else:
                    s.close()
            self.sockets = kept
            while len(self.sockets) < self.count and not self.stopping.is_set():
                self.open_one()
            self.stopping.wait(2)

    def stop(self):
        self.stopping.set()
        self.thread.join()
        for s in self.sockets:
            s.close()


def timed_request(port, path, timeout):
    start = time.monotonic()
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=timeout) as s:
            s.sendall(b"GET " + path.encode() + b" HTTP/1.1\r\nHost: probe\r\nConnection: close\r\n\r\n")
            reply = b""
            while True:
                chunk = s.recv(65536)
                if not chunk:
                    break
                reply += chunk
        ok = reply.startswith(b"HTTP/1.1 200")
    except OSError:
        ok = False
    return time.monotonic() - start, ok


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", default=os.path.join(REPO, "build/service/vanto-service"))
    parser.add_argument("--root", default=os.path.join(REPO, "build/course"))
    parser.add_argument("--mode", choices=["headers", "silent"], default="headers")
    parser.add_argument("--slow", type=int, default=200)
    parser.add_argument("--sources", type=int, default=4)
    parser.add_argument("--requests", type=int, default=20)
    parser.add_argument("--timeout", type=float, default=40)
    parser.add_argument("service_args", nargs="*")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as folder:
        service, port = start_service(args.binary, args.root, folder, args.service_args)
        slow = SlowClients(port, args.slow, args.sources, args.mode)
        try:
            for _ in range(args.slow):
                slow.open_one()
            slow.thread.start()
            time.sleep(3)  # let them settle in
            times, failed = [], 0
            paths = ["/popup.htm", "/v2.php?day=0&from=0&to=6&ver=20120610&qudao=",
                     "/v2/vtuser.php?uid=7&ppt=8&qudao=probe&rand=1"]
            for i in range(args.requests):
                took, ok = timed_request(port, paths[i % len(paths)], args.timeout)
                times.append(took)
                failed += 0 if ok else 1
                time.sleep(0.25)
            open_now = len(slow.sockets)
        finally:
            slow.stop()
            service.terminate()
            service.wait()
    print("slow clients: %d wanted (%s mode, from %d addresses), %d open at the end, "
          "%d connections made, %d refused at connect"
          % (args.slow, args.mode, args.sources, open_now, slow.opened, slow.refused))
    print("normal requests: %d, failed %d, median %.0f ms, max %.0f ms"
          % (len(times), failed, statistics.median(times) * 1000, max(times) * 1000))
    if failed or max(times) >= 1.0:
        print("probe FAILED: a normal request failed or took 1 s or more")
        return 1
    print("probe passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
