"""Drives the real game binary under X for the end-to-end tests.

A display is started (Xvfb) when none is set, and stopped again by whoever
started it. Every wait is for a condition: a line on standard output, a window
that appears, a process that ends. Only key holds take real time, because the
game reads key state once a frame.
"""

import ctypes
import os
import re
import shutil
import subprocess
import tempfile
import threading
import time
import unittest

SOURCE_DIR = os.environ.get("MH_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BINARY_DIR = os.environ.get("MH_BINARY_DIR", os.path.join(SOURCE_DIR, "build"))
GAME = os.path.join(BINARY_DIR, "meadowhop")
ASSETS = os.path.join(SOURCE_DIR, "assets")
ARTIFACTS = os.path.join(BINARY_DIR, "e2e-artifacts")


def first_match(cond, lines, pattern, timeout, start, report, ended=lambda: False):
    """Index of the first entry of `lines` from `start` on that matches
    `pattern`, waiting on `cond` (notified by whoever appends to `lines`)
    until `timeout` or until `ended()`; `report()` tells what was seen."""
    regex = re.compile(pattern)
    deadline = time.monotonic() + timeout
    with cond:
        while True:
            for i in range(start, len(lines)):
                if regex.search(lines[i]):
                    return i
            remaining = deadline - time.monotonic()
            if remaining <= 0 or ended():
                raise AssertionError("no line matching %r; %s" % (pattern, report()))
            cond.wait(min(remaining, 0.5))


class VirtualDisplay:
    """Xvfb on a free display number, reported back through -displayfd."""

    def __init__(self, width=1280, height=1024):
        self.proc = None
        self.name = os.environ.get("DISPLAY")
        self.size = (width, height)

    def __enter__(self):
        if self.name:
            return self
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             "%dx%dx24" % self.size, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number.decode()
        return self

    def __exit__(self, *exc):
        if self.proc:
            self.proc.terminate()
            self.proc.wait(timeout=10)
            self.proc = None

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.name
        return env


class GameRun:
    """One run of the game, with its standard output collected line by line."""

    def __init__(self, display, workdir=None, command=None, env=None):
        self.display = display
        self.workdir = workdir or BINARY_DIR
        self.lines = []
        self.stderr = b""
        self.cond = threading.Condition()
        self.started = time.monotonic()
        env = dict(display.env(), **(env or {}))
        if os.environ.get("MH_GAME_PRELOAD"):
            # Sanitizer run only: the preload has to come before the runtime.
            env["LD_PRELOAD"] = os.environ["MH_GAME_PRELOAD"]
            env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "detect_leaks=1") + ":verify_asan_link_order=0"
        self.proc = subprocess.Popen(
            [command or GAME], cwd=self.workdir, env=env,
            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.reader = threading.Thread(target=self._read_stdout, daemon=True)
        self.reader.start()
        self.err_reader = threading.Thread(target=self._read_stderr, daemon=True)
        self.err_reader.start()
        self.window = None

    def _read_stdout(self):
        for raw in self.proc.stdout:
            with self.cond:
                self.lines.append(raw.decode("utf-8", "replace").rstrip("\n"))
                self.cond.notify_all()
        with self.cond:
            self.cond.notify_all()

    def _read_stderr(self):
        self.stderr = self.proc.stderr.read()

    # --- waiting -------------------------------------------------------
    def wait_for_line(self, pattern, timeout=60, start=0):
        """Index of the first line from `start` on that matches `pattern`."""
        return first_match(self.cond, self.lines, pattern, timeout, start,
                           lambda: "output was:\n" + "\n".join(self.lines[-40:]),
                           ended=lambda: self.proc.poll() is not None and not self.reader.is_alive())

    def line_count(self):
        with self.cond:
            return len(self.lines)

    def output(self):
        with self.cond:
            return "\n".join(self.lines)

    def wait_for_window(self, timeout=60):
        """The game's window id, once it is mapped."""
        # Polled rather than `search --sync`, which can miss a window created
        # after other clients came and went on the same display.
        deadline = time.monotonic() + timeout
        while True:
            out = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)],
                env=self.display.env(), capture_output=True, timeout=30, text=True)
            ids = out.stdout.split()
            if ids:
                self.window = ids[0]
                return self.window
            if self.proc.poll() is not None:
                raise AssertionError("the game ended before opening a window:\n" + self.output())
            if time.monotonic() > deadline:
                raise AssertionError("the game opened no window")
            time.sleep(0.05)

    def wait_for_drawing(self, keep_seconds=1.0, timeout=60, colours=1):
        """Waits for the window to show more than `colours` colours, then, at
        least `keep_seconds` later, for a picture that differs from that one:
        frames are still being drawn. Returns the last picture."""
        deadline = time.monotonic() + timeout
        first = None
        while True:
            if self.proc.poll() is not None:
                raise AssertionError("the game ended while drawing was awaited (status %d):\n%s"
                                     % (self.proc.returncode, self.output()))
            try:
                picture = self.picture()
            except subprocess.CalledProcessError:
                picture = None  # the window went away between the poll and the grab
            if picture is not None:
                if first is None:
                    if picture.distinct_colours() > colours:
                        first, first_at = picture, time.monotonic()
                elif picture.data != first.data and time.monotonic() - first_at >= keep_seconds:
                    return picture
            if time.monotonic() > deadline:
                raise AssertionError("the game drew %s within %d s" % (
                    "nothing" if first is None else "no change", timeout))
            time.sleep(0.1)

    def wait_for_picture(self, condition, what, timeout=30):
        """The first picture of the window for which condition holds."""
        deadline = time.monotonic() + timeout
        while not condition(picture := self.picture()):
            if time.monotonic() > deadline:
                raise AssertionError("the window never showed " + what)
        return picture

    def wait_exit(self, timeout=60):
        code = self.proc.wait(timeout=timeout)
        self.reader.join(timeout=10)
        self.err_reader.join(timeout=10)
        return code

    # --- input -----------------------------------------------------------
    def _xdotool(self, *args):
        done = subprocess.run(["xdotool", *args], env=self.display.env(), timeout=30,
                              capture_output=True)
        # Once the game has closed its window (Escape), a key-up has nowhere to go.
        if done.returncode != 0 and self.proc.poll() is None:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(args), done.stderr.decode()))

    def key_down(self, *keys):
        for key in keys:
            self._xdotool("keydown", "--window", self.window, key)

    def key_up(self, *keys):
        for key in keys:
            if self.proc.poll() is None:
                self._xdotool("keyup", "--window", self.window, key)
            else:
                # The window is gone (Escape closed it): release the key on the
                # server itself, or the next game starts with it held.
                self._xdotool("keyup", key)

    def mouse_move(self, dx, dy):
        self._xdotool("mousemove_relative", "--", str(dx), str(dy))

    def press_until_line(self, key, pattern, start=0, timeout=60):
        """Holds a key until the game prints the line it causes: however slow
        the frames, the key is seen held at least once."""
        self.key_down(key)
        try:
            return self.wait_for_line(pattern, timeout=timeout, start=start)
        finally:
            self.key_up(key)
            # The release has no line of its own to wait for: give the game a
            # few frames to see it (even in software), or a press right after would not count.
            time.sleep(0.5)

    def quit_with_escape(self, timeout=60):
        """Holds Escape until the game has exited; returns its exit status."""
        self.key_down("Escape")
        try:
            return self.wait_exit(timeout=timeout)
        finally:
            self.key_up("Escape")
            if self.proc.poll() is None:
                # It did not end: release the key on the server as well, or
                # every later game on this display starts with Escape held.
                self._xdotool("keyup", "Escape")

    def request_close(self):
        """Asks the window to close the way a window manager's close button does."""
        send_delete_window(self.display.name, int(self.window, 0))

    # --- output ----------------------------------------------------------
    def _grab(self, *convert_to):
        xwd = subprocess.run(["xwd", "-silent", "-id", self.window], env=self.display.env(),
                             capture_output=True, check=True, timeout=30)
        return subprocess.run(["convert", "xwd:-", *convert_to], input=xwd.stdout,
                              capture_output=True, check=True, timeout=60).stdout

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self._grab("png:" + path)
        return path

    def picture(self):
        """The window's pixels now, as a Picture."""
        return Picture.from_ppm(self._grab("-depth", "8", "ppm:-"))

    def window_geometry(self):
        out = subprocess.run(["xwininfo", "-id", self.window], env=self.display.env(),
                             capture_output=True, text=True, check=True, timeout=30).stdout
        width = int(re.search(r"Width:\s+(\d+)", out).group(1))
        height = int(re.search(r"Height:\s+(\d+)", out).group(1))
        return width, height

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=10)
        self.reader.join(timeout=10)
        self.err_reader.join(timeout=10)
        self.proc.stdout.close()
        self.proc.stderr.close()


# Texts that a creation line leaves open ("Creating shader : " and
# "Creating model : " have no line end), so that a report runs into them.
_OPEN_CREATION_TEXT = re.compile(r"^(?:Creating (?:shader|model) : \S+?\.(?:vert|obj))+")
REPORT_PREFIXES = ("ERROR", "Texture failed", "Skybox texture failed", "Failed", "WARNING")


def loader_reports(lines):
    """The failure reports among the game's output lines, each with the open
    creation texts in front of it taken off."""
    reports = []
    for line in lines:
        rest = _OPEN_CREATION_TEXT.sub("", line)
        if rest.startswith(REPORT_PREFIXES):
            reports.append(rest)
    return reports


class Picture:
    """RGB pixels, row 0 at the top as the screen shows them."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def from_ppm(cls, ppm):
        """From ImageMagick's binary PPM: "P6", the size and 255 on lines of
        their own, with comment lines (the window's name) among them."""
        header, data = [], ppm
        while len(header) < 3:
            line, data = data.split(b"\n", 1)
            if not line.startswith(b"#"):
                header.append(line)
        width, height = map(int, header[1].split())
        return cls(width, height, data[:width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, box, predicate):
        """Pixels in box = (x0, y0, x1, y1), top-left origin, that satisfy predicate."""
        x0, y0, x1, y1 = box
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if predicate(self.pixel(x, y)))

    def distinct_colours(self):
        step = 3 * 7
        return len({self.data[i:i + 3] for i in range(0, len(self.data) - 2, step)})


def near(colour, tolerance=40):
    return lambda p: all(abs(a - b) <= tolerance for a, b in zip(p, colour))


# Boxes in window pixels (x0, y0, x1, y1), top-left origin, of the start view
# in the default 1024 x 768 window: sky above, meadow at the bottom corners.
SKY = (300, 20, 700, 200)
MEADOW_LEFT = (40, 560, 330, 760)
MEADOW_RIGHT = (700, 560, 990, 760)


def is_sky(c):
    return c[2] > 150 and c[2] > c[0] + 40


def is_grass(c):
    return c[1] > c[0] + 15 and c[1] > c[2] + 15


def share(picture, box, predicate):
    return picture.count(box, predicate) / ((box[2] - box[0]) * (box[3] - box[1]))


def send_delete_window(display_name, window):
    """Sends WM_DELETE_WINDOW, as a window manager does for its close button."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                    ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]

    dpy = x11.XOpenDisplay(display_name.encode())
    if not dpy:
        raise RuntimeError("cannot open display " + display_name)
    try:
        event = Event()
        event.client.type = 33  # ClientMessage
        event.client.window = window
        event.client.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        event.client.format = 32
        event.client.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        event.client.data[1] = 0  # CurrentTime
        x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(event))
        x11.XFlush(dpy)
    finally:
        x11.XCloseDisplay(dpy)


class ScratchTree:
    """A copy of the asset tree beside a build/ folder to run the game from.

    Entries are symlinked, so the copy is cheap; files named in `replace` are
    written instead, and those in `remove` are left out.
    """

    def __init__(self, replace=None, remove=()):
        self.root = tempfile.mkdtemp(prefix="meadowhop-e2e-")
        self.build = os.path.join(self.root, "build")
        self.assets = os.path.join(self.root, "assets")
        os.makedirs(self.build)
        # As in the real build folder: assets/ under the working directory too.
        os.symlink("../assets", os.path.join(self.build, "assets"))
        replace = replace or {}
        for dirpath, dirnames, filenames in os.walk(ASSETS):
            rel = os.path.relpath(dirpath, ASSETS)
            target_dir = os.path.normpath(os.path.join(self.assets, rel))
            os.makedirs(target_dir, exist_ok=True)
            for name in filenames:
                rel_file = os.path.normpath(os.path.join(rel, name))
                if rel_file in remove or rel_file in replace:
                    continue
                os.symlink(os.path.join(dirpath, name), os.path.join(target_dir, name))
        for rel_file, content in replace.items():
            path = os.path.join(self.assets, rel_file)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            mode = "wb" if isinstance(content, bytes) else "w"
            with open(path, mode) as f:
                f.write(content)

    def take_away(self, rel_file):
        """Removes one file of the copy while a game may be running on it."""
        os.unlink(os.path.join(self.assets, rel_file))

    def put_back(self, rel_file):
        os.symlink(os.path.join(ASSETS, rel_file), os.path.join(self.assets, rel_file))

    def cleanup(self):
        shutil.rmtree(self.root, ignore_errors=True)


class GameTestCase(unittest.TestCase):
    """Gives each test a display for the whole class and cleans up its runs."""

    display = None

    @classmethod
    def setUpClass(cls):
        cls.display = VirtualDisplay().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.display.__exit__(None, None, None)

    def setUp(self):
        self.runs = []
        self.trees = []

    def tearDown(self):
        for run in self.runs:
            run.stop()
        for tree in self.trees:
            tree.cleanup()

    def start_game(self, tree=None):
        run = GameRun(self.display, workdir=tree.build if tree else None)
        self.runs.append(run)
        return run

    def scratch(self, **kwargs):
        tree = ScratchTree(**kwargs)
        self.trees.append(tree)
        return tree

