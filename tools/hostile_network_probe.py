#!/usr/bin/env python3
"""Runs the course host and the updater against a hostile network on 127.0.0.1
and prints what each case cost: seconds until the program gave up, the most
bytes its program folder held meanwhile, its peak memory, and what it did.

    tools/hostile_network_probe.py [--build build] [--limit 70] [CASE ...]

Cases (all when none is named):
  endless-file       a course file that never ends, 64 KiB/s, no length
  huge-length        a course file announcing 1 TB, then 64 KiB/s
  endless-manifest   a start-up manifest that never ends, 64 KiB/s
  big-manifest       a 256 MiB start-up manifest at full speed
  endless-update     an update manifest that never ends, 64 KiB/s
  wrong-file         a wrong 300 MiB Vanto.swf: when does it sit at its real path
  https-to-http      an https host that redirects the manifest to http
  missing-key        VANTO_PUBLISHER_KEY_FILE names a missing file; the unsigned
                     manifest deletes list.txt
  dangling-key       the key file is a symbolic link to nothing
  writable-key       the key file is writable by everyone (signed manifest)
  no-state           the state folder cannot be made (signed manifest)
  other-request      the start-up query answered with a signed story manifest
  old-version        the start-up query answered with the signed manifest made
                     for an old program version (it starts the updater)
  replay-400-days    a signed start-up manifest replayed 400 days later
  update-last-fails  an update whose last file fails
  unverified-left    a .unverified file of an entry that is not listed

Needs the built programs (Vanto, Update, vanto-service), the demo course
(build/course), faketime and openssl. Each case works in its own folder
under the temporary folder and removes it.
"""
import argparse
import hashlib
import http.server
import os
import shutil
import signal
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

RATE = 64 * 1024  # bytes per second of the slow streams
START_QUERY = "day=0&from=0&to=12&ver=20120610&qudao="  # the host's first start


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Hostile(http.server.ThreadingHTTPServer):
    """Answers "/v2.php" with `manifest` (bytes or a generator factory) and
    "/v2/<path>" with files[path]; records every request's start and end."""

    daemon_threads = True

    def __init__(self):
        super().__init__(("127.0.0.1", 0), Handler)
        self.manifest = b"#nofile\r\n"
        self.signature = b""
        self.files = {}
        self.events = []  # [path, start, end or None while it runs]
        self.lock = threading.Lock()
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def handle_error(self, request, client_address):
        pass  # clients that give up reset their connections

    @property
    def base(self):
        return "http://127.0.0.1:%d" % self.server_address[1]

    def requests(self, prefix):
        with self.lock:
            return [list(e) for e in self.events if e[0].startswith(prefix)]

    def finished(self, prefix):
        return [e for e in self.requests(prefix) if e[2] is not None]


def endless(rate=RATE):
    chunk = b"x" * (rate // 8)
    while True:
        yield chunk
        time.sleep(1 / 8)


def endless_manifest(rate=RATE):
    line = b"ss/1.mp3\t2012-06-10 08:30:00|" + b"0" * 32 + b"\r\n"
    chunk = line * (rate // 8 // len(line))
    while True:
        yield chunk
        time.sleep(1 / 8)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        server = self.server
        event = [self.path, time.monotonic(), None]
        with server.lock:
            server.events.append(event)
        path, _, query = self.path.partition("?")
        if path == "/v2.php":
            body = server.signature if "signature" in query.split("&") else server.manifest
        elif path.startswith("/v2/") and path[4:] in server.files:
            body = server.files[path[4:]]
        elif path.startswith("/v2/update/") and path[11:] in server.files:
            body = server.files[path[11:]]
        else:
            body = None
        try:
            if body is None:
                self.send_response(404)
                self.send_header("Content-Length", "0")
                self.end_headers()
            elif isinstance(body, tuple):  # ("redirect", url) or ("length", n, factory)
                if body[0] == "redirect":
                    self.send_response(302)
                    self.send_header("Location", body[1] + self.path)
                    self.send_header("Content-Length", "0")
                    self.end_headers()
                else:
                    self.send_response(200)
                    self.send_header("Content-Length", str(body[1]))
                    self.end_headers()
                    for chunk in body[2]():
                        self.wfile.write(chunk)
            elif callable(body):  # an endless body, delimited by the close
                self.send_response(200)
                self.send_header("Connection", "close")
                self.end_headers()
                self.close_connection = True
                for chunk in body():
                    self.wfile.write(chunk)
            else:
                self.send_response(200)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                view = memoryview(body)
                for at in range(0, len(body), 1 << 20):
                    self.wfile.write(view[at:at + (1 << 20)])
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            self.close_connection = True
        event[2] = time.monotonic()


class Watch:
    """Samples a process's peak memory and its folder's bytes on disk."""

    def __init__(self, process, folder):
        self.process, self.folder = process, folder
        self.peak_kib = 0
        self.installed = self.folder_bytes()
        self.most_bytes = 0  # beyond what the folder held at the start
        self.stop = False
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def folder_bytes(self):
        total = 0
        for root, _, names in os.walk(self.folder):
            for name in names:
                try:
                    total += os.lstat(os.path.join(root, name)).st_size
                except OSError:
                    pass
        return total

    def run(self):
        while not self.stop:
            try:
                with open("/proc/%d/status" % self.process.pid) as status:
                    for line in status:
                        if line.startswith("VmHWM:"):
                            self.peak_kib = max(self.peak_kib, int(line.split()[1]))
            except OSError:
                pass
            self.most_bytes = max(self.most_bytes, self.folder_bytes() - self.installed)
            time.sleep(0.05)

    def finish(self):
        self.stop = True
        self.thread.join()


class Case:
    def __init__(self, args, name):
        self.args, self.name = args, name
        self.work = tempfile.mkdtemp(prefix="vanto-probe-")
        os.chmod(self.work, 0o755)
        self.program = os.path.join(self.work, "program")
        os.makedirs(self.program)
        self.state = os.path.join(self.work, "state")
        self.env = dict(os.environ, XDG_STATE_HOME=self.state, XDG_RUNTIME_DIR=self.program)
        for key in ("VANTO_PUBLISHER_KEY_FILE", "VANTO_CA_FILE"):
            self.env.pop(key, None)
        self.started = []
        self.servers = []

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for process in self.started:
            if process.poll() is None:
                process.kill()
                process.wait()
        for server in self.servers:
            server.shutdown()
            server.server_close()
        shutil.rmtree(self.work, ignore_errors=True)

    def server(self):
        """A hostile server that lives as long as the case."""
        self.servers.append(Hostile())
        return self.servers[-1]

    def path(self, *parts):
        return os.path.join(self.work, *parts)

    def install(self, base, update_base=None):
        shutil.copy(os.path.join(self.args.build, "bin", "Vanto"), self.program)
        shutil.copy(os.path.join(self.args.build, "course", "list.txt"), self.program)
        with open(os.path.join(self.program, "service.ini"), "w") as ini:
            ini.write("[hosts]\n")
            for key in ("mirror0", "mirror1", "mirror2", "mirror3", "account", "site"):
                ini.write("%s=%s\n" % (key, base))
            for key in ("update0", "update1", "update2", "update3"):
                ini.write("%s=%s\n" % (key, update_base or base))

    def start(self, program, args, env=None, prefix=()):
        """Starts a program of the installation; its output goes to files."""
        self.runs = getattr(self, "runs", 0) + 1
        out = open(self.path("out.%d" % self.runs), "w+b")
        err = open(self.path("err.%d" % self.runs), "w+b")
        process = subprocess.Popen(list(prefix) + [os.path.join(self.program, program)] + args,
                                   cwd=self.program, env=env or self.env, stdin=subprocess.PIPE,
                                   stdout=out, stderr=err)
        process.output_files = (out, err)
        self.started.append(process)
        return process

    def run(self, program, args, until=None, env=None, prefix=(), close_input_after=None):
        """Runs the program until it ends, `until()` holds, or the limit;
        returns (seconds, still at it at the limit, watch, stdout, stderr)."""
        process = self.start(program, args, env=env, prefix=prefix)
        watch = Watch(process, self.program)
        start = time.monotonic()
        closed = False
        met = False
        while process.poll() is None and time.monotonic() - start < self.args.limit:
            if until and until():
                met = True
                break
            if not closed and close_input_after is not None and \
                    time.monotonic() - start > close_input_after:
                process.stdin.close()
                closed = True
            time.sleep(0.05)
        seconds = time.monotonic() - start
        running = process.poll() is None and not met  # still at it when stopped
        if process.poll() is None:
            process.send_signal(signal.SIGKILL)
        process.wait()
        watch.finish()
        texts = []
        for stream in process.output_files:
            stream.seek(0)
            texts.append(stream.read().decode(errors="replace"))
            stream.close()
        return seconds, running, watch, texts[0], texts[1]


def mib(n):
    return "%.1f MiB" % (n / (1 << 20))


def report(name, **figures):
    print("%-18s " % name + "  ".join("%s=%s" % (k, v) for k, v in figures.items()), flush=True)


def file_case(args, name, body):
    with Case(args, name) as case:
        server = case.server()
        case.install(server.base)
        server.manifest = ("Vanto.swf\t2012-06-10 08:30:00|%s\r\n" % ("0" * 32)).encode()
        server.files["Vanto.swf"] = body
        # Input stays open: the start-up check is what is measured.
        seconds, running, watch, _, _ = case.run(
            "Vanto", ["--headless"],
            until=lambda: len(server.finished("/v2/Vanto.swf")) >= 3)
        report(name, gave_up_after=("no, still at %.0f s" % seconds) if running else "%.1f s" % seconds,
               tries=len(server.finished("/v2/Vanto.swf")), most_on_disk=mib(watch.most_bytes),
               peak_memory=mib(watch.peak_kib * 1024))


def endless_file(args):
    file_case(args, "endless-file", lambda: endless())


def huge_length(args):
    file_case(args, "huge-length", ("length", 1 << 40, lambda: endless()))


def manifest_case(args, name, manifest):
    with Case(args, name) as case:
        server = case.server()
        case.install(server.base)
        server.manifest = manifest
        seconds, running, watch, _, _ = case.run(
            "Vanto", ["--headless"], until=lambda: len(server.finished("/v2.php")) >= 9)
        tries = server.finished("/v2.php")
        check = (tries[-1][2] - tries[0][1]) if tries else 0
        report(name, start_up_check=("not over at %.0f s" % seconds) if running else "%.1f s" % check,
               manifest_tries=len(tries), most_on_disk=mib(watch.most_bytes),
               peak_memory=mib(watch.peak_kib * 1024))


def endless_manifest_case(args):
    manifest_case(args, "endless-manifest", lambda: endless_manifest())


def big_manifest(args):
    line = b"ss/1.mp3\t2012-06-10 08:30:00|" + b"0" * 32 + b"\r\n"
    manifest_case(args, "big-manifest", line * ((256 << 20) // len(line)))


def endless_update(args):
    with Case(args, "endless-update") as case:
        server = case.server()
        case.install(server.base)
        shutil.copy(os.path.join(args.build, "bin", "Update"), case.program)
        server.manifest = lambda: endless_manifest()
        seconds, running, watch, _, _ = case.run("Update", ["--headless"])
        report("endless-update", update_ended=("no, still at %.0f s" % seconds) if running
               else "%.1f s" % seconds, manifest_tries=len(server.requests("/v2.php")),
               most_on_disk=mib(watch.most_bytes), peak_memory=mib(watch.peak_kib * 1024))


def wrong_file(args):
    with Case(args, "wrong-file") as case:
        server = case.server()
        case.install(server.base)
        wrong = b"w" * (300 << 20)
        server.manifest = ("Vanto.swf\t2012-06-10 08:30:00|%s\r\n"
                           % hashlib.md5(b"the real movie").hexdigest()).encode()
        server.files["Vanto.swf"] = wrong
        target = os.path.join(case.program, "Vanto.swf")

        def at_real_path():
            try:
                return os.path.getsize(target) >= (300 << 20)
            except OSError:
                return False

        # The host is killed the moment the wrong file sits at its real path,
        # or else 3 s after the first copy arrived (its check is over then).
        start = time.monotonic()
        process = case.start("Vanto", ["--headless"])
        seen = None
        while time.monotonic() - start < 60 and seen is None:
            if at_real_path():
                seen = time.monotonic() - start
            arrived = server.finished("/v2/Vanto.swf")
            if arrived and time.monotonic() - arrived[0][2] > 3:
                break
            time.sleep(0.005)
        process.send_signal(signal.SIGKILL)
        process.wait()
        report("wrong-file", at_real_path_after="%.2f s" % seen if seen is not None else "never",
               after_kill_at_real_path="yes" if at_real_path() else "no")


def https_to_http(args):
    with Case(args, "https-to-http") as case:
        plain = case.server()
        plain.manifest = b"#nofile\r\n"
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", case.path("tls.key"), "-out", case.path("tls.pem")],
                       check=True, capture_output=True)
        secure = case.server()
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(case.path("tls.pem"), case.path("tls.key"))
        secure.socket = context.wrap_socket(secure.socket, server_side=True)
        secure.manifest = ("redirect", plain.base)
        base = "https://127.0.0.1:%d" % secure.server_address[1]
        case.install(base)
        case.env["VANTO_CA_FILE"] = case.path("tls.pem")
        _, _, _, out, _ = case.run(
            "Vanto", ["--headless"], until=lambda: len(secure.requests("/v2.php")) >= 9
            or len(plain.requests("/v2.php")) > 0)
        time.sleep(0.5)
        report("https-to-http", plain_manifest_requests=len(plain.requests("/v2.php")),
               used="yes" if "Notice\tmain\t561" in out or plain.requests("/v2.php") else "no")


def key_case(args, name, configure, signed):
    with Case(args, name) as case:
        server = case.server()
        case.install(server.base)
        body = b"#delete\tx\tlist.txt\r\n"
        if signed:
            port = start_service(case, args)
            server.manifest = fetch("http://127.0.0.1:%d/v2.php?%s" % (port, START_QUERY))
        else:
            server.manifest = body
        configure(case)
        _, _, _, out, err = case.run("Vanto", ["--headless"], close_input_after=2)
        said = [l for l in err.splitlines() if "key" in l or "refused" in l or "state" in l]
        report(name, manifest_accepted="yes" if "Notice\tmain\t561" in out else "no",
               list_txt_deleted="yes" if not os.path.exists(os.path.join(case.program, "list.txt"))
               else "no", said=repr(said[:2]))


def start_service(case, args, extra=()):
    service_bin = os.path.join(args.build, "service", "vanto-service")
    if not os.path.exists(case.path("publisher.secret")):
        subprocess.run([service_bin, "keygen", case.path("publisher.secret"),
                        case.path("publisher.key")], check=True)
    # The demo course, with an update tree whose version is newer than the host's.
    root = case.path("root")
    if not os.path.exists(root):
        course = os.path.abspath(os.path.join(args.build, "course"))
        os.makedirs(os.path.join(root, "update"))
        for name in os.listdir(course):
            os.symlink(os.path.join(course, name), os.path.join(root, name))
        with open(os.path.join(root, "update", "VERSION"), "w") as version:
            version.write("20130101\n")
    port = free_port()
    service = subprocess.Popen([service_bin, "--port", str(port), "--root", root,
                                "--db", case.path("a.db"),
                                "--quiet", "--signing-key", case.path("publisher.secret")]
                               + list(extra), stderr=subprocess.DEVNULL)
    case.started.append(service)
    for _ in range(100):
        try:
            fetch("http://127.0.0.1:%d/popup.htm" % port)
            break
        except OSError:
            time.sleep(0.1)
    return port


def fetch(url):
    with urllib.request.urlopen(url, timeout=30) as reply:
        return reply.read()


def missing_key(args):
    key_case(args, "missing-key",
             lambda c: c.env.update(VANTO_PUBLISHER_KEY_FILE=c.path("no-such-key")), False)


def dangling_key(args):
    def configure(case):
        os.symlink(case.path("nowhere"), case.path("link-key"))
        case.env["VANTO_PUBLISHER_KEY_FILE"] = case.path("link-key")
    key_case(args, "dangling-key", configure, False)


def writable_key(args):
    def configure(case):
        os.chmod(case.path("publisher.key"), 0o666)
        case.env["VANTO_PUBLISHER_KEY_FILE"] = case.path("publisher.key")
    key_case(args, "writable-key", configure, True)


def no_state(args):
    def configure(case):
        with open(case.path("a-file"), "w") as f:
            f.write("x")
        case.env["VANTO_PUBLISHER_KEY_FILE"] = case.path("publisher.key")
        case.env["XDG_STATE_HOME"] = case.path("a-file", "state")
    key_case(args, "no-state", configure, True)


def signed_swap(args, name, served_query, watch_prefix):
    with Case(args, name) as case:
        server = case.server()
        port = start_service(case, args)
        server.manifest = fetch("http://127.0.0.1:%d/v2.php?%s" % (port, served_query))
        server.files = {}
        case.install(server.base)
        with open(os.path.join(case.program, "Update"), "w") as updater:
            updater.write("#!/bin/sh\ntouch updater-started\n")
        os.chmod(os.path.join(case.program, "Update"), 0o755)
        case.env["VANTO_PUBLISHER_KEY_FILE"] = case.path("publisher.key")
        case.run("Vanto", ["--headless"], close_input_after=3)
        report(name, files_asked_for=len({e[0].partition("?")[0]
                                          for e in server.requests(watch_prefix)}),
               updater_started="yes" if os.path.exists(
                   os.path.join(case.program, "updater-started")) else "no")


def other_request(args):
    signed_swap(args, "other-request", "gushi=3", "/v2/gs3/")


def old_version(args):
    case_query = START_QUERY.replace("ver=20120610", "ver=20000101")
    signed_swap(args, "old-version", case_query, "/v2/")


def replay_400_days(args):
    name = "replay-400-days"
    with Case(args, name) as case:
        server = case.server()
        port = start_service(case, args)
        server.manifest = fetch("http://127.0.0.1:%d/v2.php?%s" % (port, START_QUERY))
        case.install(server.base)
        case.env["VANTO_PUBLISHER_KEY_FILE"] = case.path("publisher.key")
        _, _, _, today, _ = case.run("Vanto", ["--headless"], close_input_after=3)
        # A first start again, so that the host sends the very same query.
        for state in ("Vanto.ini", "Vanto.inf", "list.dat"):
            if os.path.exists(os.path.join(case.program, state)):
                os.remove(os.path.join(case.program, state))
        _, _, _, out, err = case.run("Vanto", ["--headless"], close_input_after=3,
                                     prefix=("faketime", "-f", "+400d"))
        refused = sorted({l for l in err.splitlines() if l.startswith("manifest refused")})
        report(name, accepted_today="yes" if "Notice\tmain\t561" in today else "no",
               accepted_400_days_later="yes" if "Notice\tmain\t561" in out else "no",
               said=repr(refused))


def update_last_fails(args):
    with Case(args, "update-last-fails") as case:
        server = case.server()
        case.install(server.base)
        shutil.copy(os.path.join(args.build, "bin", "Update"), case.program)
        for name, text in (("a.txt", "old a"), ("b.txt", "old b")):
            with open(os.path.join(case.program, name), "w") as f:
                f.write(text)
        server.files = {"a.txt": b"new a"}  # b.txt: 404
        server.manifest = ("a.txt\t2012-06-10 08:30:00|%s\r\nb.txt\t2012-06-10 08:30:00|%s\r\n"
                           % (hashlib.md5(b"new a").hexdigest(),
                              hashlib.md5(b"new b").hexdigest())).encode()
        seconds, _, _, _, _ = case.run("Update", ["--headless"])
        a = open(os.path.join(case.program, "a.txt")).read()
        report("update-last-fails", a_txt=repr(a), b_txt=repr(
            open(os.path.join(case.program, "b.txt")).read()),
            exit_after="%.1f s" % seconds, installation_as_it_was="yes" if a == "old a" else "no")


def unverified_left(args):
    with Case(args, "unverified-left") as case:
        server = case.server()
        case.install(server.base)
        shutil.copy(os.path.join(args.build, "bin", "Update"), case.program)
        with open(os.path.join(case.program, "old.bin.unverified"), "w") as f:
            f.write("left by a killed update")
        server.manifest = b""
        case.run("Update", ["--headless"])
        after_update = os.path.exists(os.path.join(case.program, "old.bin.unverified"))
        case.run("Vanto", ["--headless"], close_input_after=1)
        after_host = os.path.exists(os.path.join(case.program, "old.bin.unverified"))
        report("unverified-left", after_update="kept" if after_update else "removed",
               after_host_start="kept" if after_host else "removed")


CASES = {
    "endless-file": endless_file, "huge-length": huge_length,
    "endless-manifest": endless_manifest_case, "big-manifest": big_manifest,
    "endless-update": endless_update, "wrong-file": wrong_file, "https-to-http": https_to_http,
    "missing-key": missing_key, "dangling-key": dangling_key, "writable-key": writable_key,
    "no-state": no_state, "other-request": other_request, "old-version": old_version,
    "replay-400-days": replay_400_days, "update-last-fails": update_last_fails,
    "unverified-left": unverified_left,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="the build folder")
    parser.add_argument("--limit", type=float, default=70, help="seconds before a run is stopped")
    parser.add_argument("cases", nargs="*", choices=[[]] + list(CASES), metavar="CASE")
    args = parser.parse_args()
    for name in args.cases or list(CASES):
        CASES[name](args)


if __name__ == "__main__":
    main()
