#!/usr/bin/env python3
"""Long run of the real game with keys held in turn, watching its memory.

The game sets no swap interval and Xvfb has no vertical blank to wait for,
so frames run uncapped. (Mesa's vblank_mode variable is left alone: setting
it makes Mesa print a notice on standard error.) The game runs from a private
copy of the asset tree, so that the film's
image opens can be watched with inotify without seeing other games' opens.
Each second the resident set size (VmRSS) is sampled and the film's opens
are counted. The game has no console line for a GL texture, so textures are
judged by memory: on the software renderer a texture's storage lives in the
process, and a film image left behind at every change would grow the
resident set by megabytes a second.

Passes when every sample after the first minute lies within 5 % of the one
taken at that minute, the film kept changing in every ten-second stretch and
went through all its images, and the game ends with 0 on Escape with nothing
on standard error. Usage: soak.py [--seconds N] [--build DIR]
"""

import argparse
import ctypes
import os
import shutil
import struct
import sys
import tempfile
import time

SOURCE_DIR = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402
WARM_UP_SECONDS = 60
TOLERANCE = 0.05
FILM_STRETCH_SECONDS = 10
# Held in turn, a second each; W and S cancel out, so the rabbit stays on the meadow.
KEY_CYCLE = ["w", "a", "d", "space", "s"]
IN_OPEN = 0x20
IN_NONBLOCK = 0o4000


class FilmWatch:
    """Counts opens of the film's images in one folder (inotify)."""

    def __init__(self, folder):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(IN_NONBLOCK)
        if self.fd < 0 or self.libc.inotify_add_watch(self.fd, folder.encode(), IN_OPEN) < 0:
            raise OSError(ctypes.get_errno(), "inotify on " + folder)
        self.opens = 0
        self.names = set()

    def poll(self):
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return
            pos = 0
            while pos < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, pos)
                name = data[pos + 16:pos + 16 + length].rstrip(b"\0").decode()
                pos += 16 + length
                if mask & IN_OPEN and name.startswith("frame"):
                    self.opens += 1
                    self.names.add(name)

    def close(self):
        os.close(self.fd)


def jpeg_size(path):
    """Width and height from a JPEG's frame header."""
    with open(path, "rb") as f:
        data = f.read()
    pos = 2
    while pos + 9 < len(data):
        marker, length = data[pos + 1], struct.unpack(">H", data[pos + 2:pos + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[pos + 5:pos + 9])
            return width, height
        pos += 2 + length
    return 0, 0


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def private_tree(root):
    """assets/ copied (links followed) beside a build/ folder to start from."""
    shutil.copytree(os.path.join(SOURCE_DIR, "assets"), os.path.join(root, "assets"), symlinks=False)
    os.makedirs(os.path.join(root, "build"))
    os.symlink("../assets", os.path.join(root, "build", "assets"))
    return os.path.join(root, "build")


def soak(game, seconds):
    root = tempfile.mkdtemp(prefix="meadowhop-soak-")
    failures = []
    try:
        workdir = private_tree(root)
        frames = os.path.join(root, "assets", "frames")
        film_count = len([n for n in os.listdir(frames) if n.startswith("frame")])
        width, height = jpeg_size(os.path.join(frames, "frame1.jpg"))
        with VirtualDisplay() as display:
            watch = FilmWatch(frames)
            run = GameRun(display, workdir=workdir, command=game)
            try:
                run.wait_for_window()
                samples = []  # (seconds, RSS KiB, film opens so far)
                started = time.monotonic()
                tick = 0
                while time.monotonic() - started < seconds and run.proc.poll() is None:
                    key = KEY_CYCLE[tick % len(KEY_CYCLE)]
                    run.key_down(key)
                    tick += 1
                    time.sleep(max(0.0, started + tick - time.monotonic()))
                    run.key_up(key)
                    watch.poll()
                    if run.proc.poll() is None:
                        samples.append((time.monotonic() - started, resident_kib(run.proc.pid), watch.opens))
                if run.proc.poll() is not None:
                    failures.append("the game ended by itself with status %d" % run.proc.returncode)
                code = run.quit_with_escape() if run.proc.poll() is None else run.proc.returncode
            finally:
                run.stop()
                watch.poll()
                watch.close()
        if code != 0:
            failures.append("exit status %d" % code)
        if run.stderr:
            failures.append("standard error: %r" % run.stderr[:500])
        failures += judge(samples, watch, film_count, width, height, seconds)
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return failures


def judge(samples, watch, film_count, width, height, seconds):
    failures = []
    if not samples:
        return ["no samples"]
    rss = [kib for _, kib, _ in samples]
    settled = [s for s in samples if s[0] >= min(WARM_UP_SECONDS, seconds / 2)]
    base = settled[0][1] if settled else rss[-1]
    later = [kib for _, kib, _ in settled]
    growth = (rss[-1] - base) / base * 100.0
    spread = (max(later) - base) / base * 100.0, (min(later) - base) / base * 100.0
    changes_per_second = samples[-1][2] / samples[-1][0]
    # What one film image left behind would cost: RGBA storage plus mipmaps.
    leak_mib_per_minute = width * height * 4 * 4 / 3 * changes_per_second * 60 / (1 << 20)
    print("soak: %.0f s, %d samples" % (samples[-1][0], len(samples)))
    print("soak: RSS start %.1f MiB, at %.0f s %.1f MiB, end %.1f MiB, max %.1f MiB"
          % (rss[0] / 1024, settled[0][0] if settled else 0, base / 1024, rss[-1] / 1024,
             max(rss) / 1024))
    print("soak: growth after warm-up %+.2f %% (samples from %+.2f %% to %+.2f %%)"
          % (growth, spread[1], spread[0]))
    print("soak: film %d image changes (%.1f a second), %d of %d images seen; a texture left "
          "behind per change would add about %.0f MiB a minute"
          % (samples[-1][2], changes_per_second, len(watch.names), film_count, leak_mib_per_minute))
    if max(later) > base * (1 + TOLERANCE) or min(later) < base * (1 - TOLERANCE):
        failures.append("resident memory left the 5 %% band after warm-up (%+.2f %% .. %+.2f %%)"
                        % (spread[1], spread[0]))
    for i, (at, _, opens) in enumerate(samples):
        ahead = [s for s in samples[i:] if s[0] >= at + FILM_STRETCH_SECONDS]
        if ahead and ahead[0][2] == opens:
            failures.append("the film stood still from %.0f s to %.0f s" % (at, ahead[0][0]))
            break
    if len(watch.names) < film_count:
        failures.append("the film showed only %d of %d images" % (len(watch.names), film_count))
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float,
                        default=float(os.environ.get("SOAK_SECONDS", "600")))
    parser.add_argument("--build", default=os.path.join(SOURCE_DIR, "build"))
    args = parser.parse_args()
    failures = soak(os.path.join(os.path.abspath(args.build), "meadowhop"), args.seconds)
    for failure in failures:
        print("soak: FAILED: " + failure)
    print("soak: " + ("FAILED" if failures else "passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
