"""Asset files with broken content in place of the real ones: shaders and fonts
cut short or random, odd image sizes, settings that make no sense.

Nothing may crash or hang. What cannot start says why in one line and ends
with status 255 after two seconds; what can start draws and ends with 0 on
Escape, having reported what its loaders could not read. Nothing reaches
standard error.
"""

import concurrent.futures
import os
import random
import re
import struct
import subprocess
import tempfile
import time
import unittest
import zlib

from asset_reports import (COMPILE_ERROR, FONT_FAILED, LINK_ERROR, SKY_FACE_FAILED,
                           TEXTURE_FAILED, game_path, mismatches)
from harness import (ASSETS, GameRun, GameTestCase, ScratchTree, focus_lock, lane_origin,
                     loader_reports)

SMALL_WINDOW = "[window]\nwidth=320\nheight=240\n"
LANES = 2
WINDOW_FAILED = "Failed to create GLFW window"
GLYPH_FAILED = "ERROR::FREETYTPE: Failed to load Glyph"


def original(rel_file):
    with open(os.path.join(ASSETS, rel_file), "rb") as f:
        return f.read()


def cut_short(rel_file):
    data = original(rel_file)
    # Off the middle, so that a text file ends inside a line.
    return data[:len(data) // 2 + 3]


def random_bytes(size, seed):
    return random.Random(seed).randbytes(size)


def png(width, height, pixel=b"\x80\xc0\x40"):
    """An RGB PNG of one colour."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xffffffff))
    row = b"\x00" + pixel * width
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(row * height, 1))
            + chunk(b"IEND", b""))


def jpeg(width, height, *options):
    """A JPEG made by ImageMagick; options such as -colorspace Gray go before the output."""
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "image.jpg")
        subprocess.run(["convert", "-size", "%dx%d" % (width, height), "gradient:green-yellow",
                        *options, out], check=True, timeout=120)
        with open(out, "rb") as f:
            return f.read()


def texture(name_or_path):
    return re.escape(TEXTURE_FAILED + name_or_path) + "$"


def sky_face(rel_file):
    return re.escape(SKY_FACE_FAILED + game_path(rel_file)) + "$"


SHADER_REPORTS = [re.escape(COMPILE_ERROR) + "(VERTEX|FRAGMENT)$", re.escape(LINK_ERROR) + "$"]


class Case:
    """One broken tree. `required` reports must show, `allowed` ones may."""

    def __init__(self, name, replace, starts=True, required=(), allowed=(), small=True,
                 geometry=None):
        self.name = name
        self.replace = replace
        self.starts = starts
        self.required = list(required)
        self.allowed = list(allowed)
        # The settings cases bring their own window size.
        self.small = small
        self.geometry = geometry


def cases():
    model_png, model_jpg = "objects/carrot/carrot.png", "objects/map/grass.jpg"
    face, film2, film3 = "objects/skybox/top.jpg", "frames/frame2.jpg", "frames/frame3.jpg"
    shader, font = "shader/Lighting.frag", "fonts/Raleway-Bold.ttf"
    # Random and cut-short models, images and settings are the fuzz targets'
    # work; here only what reaches the game's own reporting or sizes.
    return [
        Case("png of random bytes", {model_png: random_bytes(8000, 3)}, required=[texture("carrot.png")]),
        Case("sky face cut short", {face: cut_short(face)}, allowed=[sky_face(face)]),
        Case("grey sky face", {face: jpeg(256, 256, "-colorspace", "Gray")}),
        Case("sky face of 1x1", {face: jpeg(1, 1)}),
        Case("film images broken while it plays",
             {film2: random_bytes(6000, 7), film3: cut_short(film3)},
             required=[texture(game_path(film2))], allowed=[texture(game_path(film3))]),
        Case("shader cut short", {shader: cut_short(shader)}, required=SHADER_REPORTS),
        Case("shader of random bytes", {shader: random_bytes(2000, 8)}, required=SHADER_REPORTS),
        Case("font of random bytes", {font: random_bytes(60000, 9)}, starts=False,
             required=[re.escape(FONT_FAILED) + "$"]),
        # FreeType reads a face's tables when it opens it, the glyphs later.
        Case("font cut short", {font: cut_short(font)}, starts=None,
             allowed=[re.escape(FONT_FAILED) + "$", re.escape(GLYPH_FAILED) + "$"]),
        Case("model image of 1x1", {model_png: png(1, 1)}),
        Case("model image of 8192x8192", {model_jpg: jpeg(8192, 8192)}),
        Case("settings with a line of 1 MB",
             {"settings.ini": "[window]\n; " + "x" * (1 << 20) + "\nwidth=320\nheight=240\n"
                              "title=" + "T" * (1 << 20) + "\n"}, small=False, geometry=(320, 240)),
        Case("settings with a width of -5", {"settings.ini": "[window]\nwidth=-5\n"}, starts=False,
             required=[re.escape(WINDOW_FAILED) + "$"], small=False),
    ]


class Outcome:
    def __init__(self, case):
        self.case = case
        self.code = None
        self.error = None
        self.drew = False
        self.geometry = None
        self.lines = []
        self.stderr = b""
        self.seconds = 0.0

    def describe(self):
        return "%s: status %s, %.1f s%s\n%s" % (
            self.case.name, self.code, self.seconds,
            ", " + self.error if self.error else "", "\n".join(self.lines[-25:]))


def run_case(display, case):
    replace = dict(case.replace)
    if case.small:
        replace.setdefault("settings.ini", SMALL_WINDOW)
    tree = ScratchTree(replace=replace)
    outcome = Outcome(case)
    started = time.monotonic()
    try:
        with focus_lock:
            run = GameRun(display, workdir=tree.build)
            if case.starts is False:
                outcome.code = run.wait_exit(timeout=30)
            else:
                try:
                    run.wait_for_window(timeout=30)
                except AssertionError:
                    if case.starts:
                        raise
                    # A start that may fail: it has to end on its own then.
                    outcome.code = run.wait_exit(timeout=30)
        if outcome.code is None:
            outcome.geometry = run.window_geometry()
            if case.small:
                run.move_window(*lane_origin())
            run.wait_for_drawing(keep_seconds=1.0, timeout=60)
            outcome.drew = True
            with focus_lock:
                outcome.code = run.quit_with_escape(timeout=30)
    except Exception as e:  # a hang or a crash is this case's finding
        outcome.error = "%s: %s" % (type(e).__name__, e)
    finally:
        run.stop()
        outcome.lines = list(run.lines)
        outcome.stderr = run.stderr
        outcome.seconds = time.monotonic() - started
        tree.cleanup()
    return outcome


class BrokenAssets(GameTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        started = time.monotonic()
        all_cases = cases()
        side_by_side = [c for c in all_cases if c.small]
        with concurrent.futures.ThreadPoolExecutor(LANES) as pool:
            outcomes = list(pool.map(lambda c: run_case(cls.display, c), side_by_side))
        # Windows of their own size could cover a neighbour's: one at a time.
        outcomes += [run_case(cls.display, c) for c in all_cases if not c.small]
        cls.outcomes = outcomes
        for o in outcomes:
            print("  %-36s status %4s, %s, %4.1f s, %d reports" % (
                o.case.name, o.code, "ran" if o.drew else "stopped", o.seconds,
                len(loader_reports(o.lines))))
        print("broken assets: %d cases in %.0f s" % (len(outcomes), time.monotonic() - started), flush=True)

    def test_each_broken_tree_starts_and_draws_or_says_why_it_cannot(self):
        for outcome in self.outcomes:
            case = outcome.case
            with self.subTest(case=case.name):
                self.assertIsNone(outcome.error, outcome.describe())
                self.assertEqual(outcome.stderr, b"", outcome.describe())
                if outcome.drew:
                    self.assertIn(case.starts, (True, None), outcome.describe())
                    self.assertEqual(outcome.code, 0, outcome.describe())
                    if case.geometry:
                        self.assertEqual(outcome.geometry, case.geometry)
                else:
                    self.assertIn(case.starts, (False, None), outcome.describe())
                    self.assertEqual(outcome.code, 255, outcome.describe())
                    self.assertGreaterEqual(outcome.seconds, 2.0)
                    # One line says why, and it is the last one.
                    reports = loader_reports(outcome.lines)
                    self.assertEqual(len(reports), 1, outcome.describe())
                    self.assertEqual(outcome.lines[-1], reports[0])
                problems = mismatches(loader_reports(outcome.lines), case.required, case.allowed)
                self.assertEqual(problems, [], outcome.describe())


if __name__ == "__main__":
    unittest.main(verbosity=2)
