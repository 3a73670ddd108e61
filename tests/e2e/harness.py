"""Drives the real game binary under Xvfb (started when no DISPLAY is set) for
the end-to-end tests. Every wait is for a condition; only key holds take real
time, because the game reads key state once a frame."""

import ctypes
import os
import re
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import types
import unittest

SOURCE_DIR = os.environ.get("MH_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BINARY_DIR = os.environ.get("MH_BINARY_DIR", os.path.join(SOURCE_DIR, "build"))
GAME = os.path.join(BINARY_DIR, "meadowhop")
ASSETS = os.path.join(SOURCE_DIR, "assets")
ARTIFACTS = os.path.join(BINARY_DIR, "e2e-artifacts")


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
        return dict(os.environ, DISPLAY=self.name)


class GameRun:

    def __init__(self, display, workdir=None, command=None, env=None):
        self.display = display
        self.lines = []
        env = dict(display.env(), **(env or {}))
        if os.environ.get("MH_GAME_PRELOAD"):
            # Sanitizer run only: the preload has to come before the runtime.
            env["LD_PRELOAD"] = os.environ["MH_GAME_PRELOAD"]
            env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "detect_leaks=1") + ":verify_asan_link_order=0"
        self.err = os.memfd_create("stderr")
        self.proc = subprocess.Popen([command or GAME], cwd=workdir or BINARY_DIR, env=env,
                                     stdout=subprocess.PIPE, stderr=self.err)
        self.reader = threading.Thread(target=self._read_stdout, daemon=True)
        self.reader.start()
        self.window = None

    def _read_stdout(self):
        for raw in self.proc.stdout:
            self.lines.append(raw.decode("utf-8", "replace").rstrip("\n"))

    @property
    def stderr(self):
        return os.pread(self.err, 1 << 24, 0)

    def wait_for_line(self, pattern, timeout=60, start=0):
        """Index of the first line from `start` on to match."""
        regex = re.compile(pattern)
        return self._poll(lambda: next((i for i in range(start, len(self.lines)) if regex.search(self.lines[i])), None),
                          "a line matching %r" % pattern, timeout)

    def output(self):
        return "\n".join(self.lines)

    def _poll(self, probe, what, timeout):
        """What probe() returns once it is not None; fails when the game's output ends first."""
        deadline = time.monotonic() + timeout
        while True:
            ended = not self.reader.is_alive()  # before the probe, so that the last lines count
            if (found := probe()) is not None:
                return found
            if ended:
                raise AssertionError("the game ended (status %s) while waiting for %s:\n%s"
                                     % (self.proc.wait(timeout=10), what, self.output()))
            if time.monotonic() > deadline:
                raise AssertionError("waited %d s in vain for %s; output ended:\n%s"
                                     % (timeout, what, "\n".join(self.lines[-40:])))
            time.sleep(0.1)

    def wait_for_window(self, timeout=60):
        # Polled rather than `search --sync`, which can miss a window created
        # after other clients came and went on the same display.
        def search():
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)],
                                   env=self.display.env(), capture_output=True, timeout=30, text=True).stdout.split()
            return found[0] if found else None
        self.window = self._poll(search, "a window", timeout)
        return self.window

    def wait_for_drawing(self, keep_seconds=1.0, timeout=60, colours=1):
        """Waits for the window to show more than `colours` colours, then, at
        least `keep_seconds` later, for a picture that differs from that one:
        frames are still being drawn. Returns the last picture."""
        first = self.wait_for_picture(lambda p: p.distinct_colours() > colours, "a drawing", timeout)
        first_at = time.monotonic()
        return self.wait_for_picture(lambda p: p.data != first.data and time.monotonic() - first_at >= keep_seconds,
                                     "a change", timeout)

    def wait_for_picture(self, condition, what, timeout=30):
        def probe():
            try:
                picture = self.picture()
            except subprocess.CalledProcessError:
                return None  # the window went away between the poll and the grab
            return picture if condition(picture) else None
        return self._poll(probe, what, timeout)

    def wait_exit(self, timeout=60):
        code = self.proc.wait(timeout=timeout)
        self.reader.join(timeout=10)
        return code

    def xdotool(self, *args):
        done = subprocess.run(["xdotool", *args], env=self.display.env(), timeout=30,
                              capture_output=True)
        # Once the game has closed its window (Escape), a key-up has nowhere to go.
        if done.returncode != 0 and self.proc.poll() is None:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(args), done.stderr.decode()))

    def key_down(self, key):
        self.xdotool("keydown", "--window", self.window, key)

    def key_up(self, key):
        # Once the window is gone (Escape closed it), the key is released on
        # the server itself, or the next game starts with it held.
        self.xdotool("keyup", *(["--window", self.window] if self.proc.poll() is None else []), key)

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
                self.xdotool("keyup", "Escape")

    def request_close(self):
        """Sends WM_DELETE_WINDOW, as a window manager's close button does."""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        dpy = ctypes.c_void_p(x11.XOpenDisplay(self.display.name.encode()))
        window = int(self.window, 0)
        # An XClientMessageEvent (type 33, format 32) in an XEvent's 24 longs.
        event = struct.pack("@iLiPLLi5l", 33, 0, 0, 0, window, x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0), 32,
                            x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0), 0, 0, 0, 0).ljust(192, b"\0")
        x11.XSendEvent(dpy, ctypes.c_ulong(window), 0, ctypes.c_long(0), event)
        x11.XCloseDisplay(dpy)

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
        return Picture.from_ppm(self._grab("-depth", "8", "ppm:-"))

    def window_geometry(self):
        out = subprocess.run(["xwininfo", "-id", self.window], env=self.display.env(),
                             capture_output=True, text=True, check=True, timeout=30).stdout
        return tuple(int(re.search(name + r":\s+(\d+)", out).group(1)) for name in ("Width", "Height"))

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=10)
        self.reader.join(timeout=10)
        self.proc.stdout.close()


# Texts that a creation line leaves open ("Creating shader : " and
# "Creating model : " have no line end), so that a report runs into them.
_OPEN_CREATION_TEXT = re.compile(r"^(?:Creating (?:shader|model) : \S+?\.(?:vert|obj))+")
REPORT_PREFIXES = ("ERROR", "Texture failed", "Skybox texture failed", "Failed", "WARNING")


def loader_reports(lines):
    """The failure reports among the game's lines, open creation texts taken off."""
    return [r for r in (_OPEN_CREATION_TEXT.sub("", line) for line in lines) if r.startswith(REPORT_PREFIXES)]


class Picture:
    """RGB pixels, row 0 at the top as the screen shows them."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def from_ppm(cls, ppm):
        """From ImageMagick's binary PPM, with comment lines (the window's name) in its header."""
        header = re.match(rb"P6\n(?:#.*\n)*(\d+) (\d+)\n(?:#.*\n)*255\n", ppm)
        width, height = int(header[1]), int(header[2])
        return cls(width, height, ppm[header.end():header.end() + width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, box, predicate):
        """Pixels of box = (x0, y0, x1, y1) that satisfy predicate."""
        x0, y0, x1, y1 = box
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if predicate(self.pixel(x, y)))

    def distinct_colours(self):
        step = 3 * 7
        return len({self.data[i:i + 3] for i in range(0, len(self.data) - 2, step)})


def near(colour, tolerance=40):
    return lambda p: all(abs(a - b) <= tolerance for a, b in zip(p, colour))


class GameTestCase(unittest.TestCase):
    """One display for the class; each test's runs and trees cleaned up after it."""

    @classmethod
    def setUpClass(cls):
        cls.display = cls.enterClassContext(VirtualDisplay())

    def start_game(self, tree=None, **kwargs):
        run = GameRun(self.display, **{"workdir": tree and tree.build, **kwargs})
        self.addCleanup(run.stop)
        return run

    def scratch(self, replace=None, remove=()):
        """The asset tree linked file by file beside a build/ folder to run the game
        from, with the files in `replace` written instead and those in `remove` left out."""
        root = tempfile.mkdtemp(prefix="meadowhop-e2e-")
        self.addCleanup(shutil.rmtree, root, True)
        tree = types.SimpleNamespace(build=os.path.join(root, "build"), assets=os.path.join(root, "assets"))
        shutil.copytree(ASSETS, tree.assets, copy_function=os.symlink)
        os.makedirs(tree.build)
        # As in the real build folder: assets/ under the working directory too.
        os.symlink("../assets", os.path.join(tree.build, "assets"))
        for rel_file in {*remove, *(replace or {})}:
            os.unlink(os.path.join(tree.assets, rel_file))
        for rel_file, content in (replace or {}).items():
            with open(os.path.join(tree.assets, rel_file), "wb" if isinstance(content, bytes) else "w") as f:
                f.write(content)
        return tree
