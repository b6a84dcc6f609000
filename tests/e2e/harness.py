"""Drives the real zirk.exe in the Wine session of the Windows build tree, with the display's
real pointer and keyboard (xdotool), and looks into it with zirk_probe.exe.

The environment comes from scripts/lib/wine-env.sh (WINEPREFIX, DISPLAY, ...); ZIRK_EXE and
ZIRK_PROBE name the two programs. Every wait has a time-out."""
import atexit
import json
import os
import re
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import unittest

ZIRK_EXE = os.environ.get("ZIRK_EXE", "")
ZIRK_PROBE = os.environ.get("ZIRK_PROBE", "")
ARTIFACTS = os.environ.get("ZIRK_ARTIFACTS", tempfile.gettempdir())


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


def run(args, **kw):
    return subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True, **kw)


def windows_path(path):
    return run(["winepath", "-w", path], text=True).stdout.strip()


def xdotool(*args):
    run(["xdotool", *map(str, args)])


VOLATILE_KEY = r"HKCU\Volatile Environment"
_original_app_data = []


def point_app_data_at(folder):
    """Makes folder the registry's per-user application-data value, which decides where the
    program keeps its settings; the session's own value comes back when this script ends, so
    that the other suites of the session find it."""
    if not _original_app_data:
        out = run(["wine", "reg.exe", "query", VOLATILE_KEY, "/v", "APPDATA"], text=True).stdout
        found = re.search(r"APPDATA\s+REG_\w+\s+(.+)", out)
        _original_app_data.append(found.group(1).strip() if found else "")
        atexit.register(_restore_app_data)
    run(["wine", "reg.exe", "add", VOLATILE_KEY, "/v", "APPDATA", "/t", "REG_SZ", "/d",
         windows_path(folder), "/f"])


def _restore_app_data():
    value = _original_app_data[0]
    if value:
        run(["wine", "reg.exe", "add", VOLATILE_KEY, "/v", "APPDATA", "/t", "REG_SZ", "/d", value,
             "/f"])
    else:
        run(["wine", "reg.exe", "delete", VOLATILE_KEY, "/v", "APPDATA", "/f"])


class Program:
    """One run of zirk.exe with a settings folder of its own."""

    def __init__(self, settings_dir):
        self.settings_dir = settings_dir
        self.process = None

    # --- life -----------------------------------------------------------------------------

    def start(self):
        self.spawn()
        wait_for(lambda: (self.main() or {}).get("visible"), what="the main window")
        self.focus()
        return self

    def spawn(self):
        """Starts the process and returns at once."""
        point_app_data_at(self.settings_dir)
        self.process = subprocess.Popen(["wine", ZIRK_EXE], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def wait_exit(self, timeout=10.0):
        return self.process.wait(timeout)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(5)

    # --- looking ----------------------------------------------------------------------------

    def probe(self, *args):
        out = run(["wine", ZIRK_PROBE, *args]).stdout.decode("utf-8", "replace").strip()
        return json.loads(out) if out else None

    def main(self):
        return self.probe("main")

    def controls(self):
        return self.probe("controls") or []

    def transcript(self):
        """The transcript as the view shows it (its line breaks as CR)."""
        return self.probe("transcript") or ""

    def boxes(self):
        return [b for b in (self.probe("boxes") or [])]

    def windows(self):
        """The top-level windows of every running copy: forms and application windows."""
        return self.probe("windows") or []

    def foreground(self):
        return self.probe("foreground") or {}

    def wait_transcript(self, text, timeout=10.0):
        return wait_for(lambda: text in self.transcript(), timeout, what=repr(text))

    def rect(self):
        return self.main()["rect"]

    # --- acting -----------------------------------------------------------------------------

    def focus(self):
        x, y, _, _ = self.rect()
        xdotool("mousemove", x + 300, y + 5)

    def point(self, cx, cy):
        x, y, _, _ = self.rect()
        return x + cx, y + cy

    def click(self, cx, cy, button=1, double=False):
        x, y = self.point(cx, cy)
        xdotool("mousemove", "--sync", x, y)
        time.sleep(0.05)
        xdotool("click", "--repeat", 2 if double else 1, "--delay", 80, button)
        time.sleep(0.1)

    def drag(self, from_client, by):
        x, y = self.point(*from_client)
        xdotool("mousemove", "--sync", x, y)
        xdotool("mousedown", 1)
        time.sleep(0.2)
        steps = 8
        for i in range(1, steps + 1):
            xdotool("mousemove", "--sync", x + by[0] * i // steps, y + by[1] * i // steps)
            time.sleep(0.03)
        xdotool("mouseup", 1)
        time.sleep(0.3)

    def type(self, text):
        xdotool("type", "--delay", 15, text)
        time.sleep(0.1)

    def key(self, *names):
        xdotool("key", "--delay", 30, *names)
        time.sleep(0.1)

    def replace_text(self, cx, cy, text):
        """Clicks into an edit field, selects what it holds and types text over it."""
        self.click(cx, cy)
        self.key("End", "shift+Home", "BackSpace")
        self.type(text)

    def screenshot(self, name, rect=None):
        """The screen's area of the main window, or of rect [x, y, w, h], as a PNG artifact."""
        os.makedirs(ARTIFACTS, exist_ok=True)
        x, y, w, h = rect or self.rect()
        path = os.path.join(ARTIFACTS, name)
        convert = "/usr/bin/import" if os.path.exists("/usr/bin/import") else "import"
        run([convert, "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path])
        return path


def loopback_listener(backlog=4):
    """A listening socket on a loopback port the system chose, and that port."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(backlog)
    return listener, listener.getsockname()[1]


class LinePeer:
    """A loopback TCP server for one client: records what arrives, sends what the test says."""

    def __init__(self):
        self.listener, self.port = loopback_listener()
        self.connection = None
        self.received = b""
        self.lock = threading.Lock()
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        try:
            self.connection, _ = self.listener.accept()
            while True:
                data = self.connection.recv(65536)
                if not data:
                    break
                with self.lock:
                    self.received += data
        except OSError:
            pass

    def wait_connected(self, timeout=10.0):
        wait_for(lambda: self.connection is not None, timeout, what="the client's connect")

    def wait_received(self, data, timeout=10.0):
        return wait_for(lambda: data in self.received, timeout, what=repr(data))

    def send(self, data):
        self.connection.sendall(data)

    def close(self):
        # shutdown first: a plain close does not end a connection another thread reads from.
        for s in (self.connection, self.listener):
            try:
                if s:
                    s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            try:
                if s:
                    s.close()
            except OSError:
                pass


def refused_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def new_settings_dir():
    return tempfile.mkdtemp(prefix="zirk-e2e-")


def remove(path):
    shutil.rmtree(path, ignore_errors=True)


class ProgramTestCase(unittest.TestCase):
    """A test with a settings folder of its own and at most one program, both gone afterwards.
    A subclass that needs more sets it up before calling setUp and ends it after tearDown."""

    def setUp(self):
        self.settings = new_settings_dir()
        self.program = None

    def tearDown(self):
        if self.program:
            self.program.kill()
        remove(self.settings)

    def start(self):
        self.program = Program(self.settings).start()
        return self.program
