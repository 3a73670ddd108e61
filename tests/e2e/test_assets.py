"""The game with one asset file taken away or broken, a file of each kind its
loaders treat differently (random and cut-short bytes are the fuzz targets'
work). Nothing may crash, hang or write to standard error. Without the
settings or a font start-up ends with its line, and status 255 after two
seconds; otherwise the game reports what it could not read, draws, and ends
with 0 on Escape. Two games run at a time."""

import concurrent.futures
import os
import re
import subprocess
import tempfile
import time
import unittest

from harness import ASSETS, GameRun, GameTestCase, ScratchTree, focus_lock, lane_origin, loader_reports

SMALL_WINDOW = "[window]\nwidth=320\nheight=240\n"
FONT = "fonts/Raleway-Bold.ttf"
TEXTURE = "Texture failed to load at path: "
FONT_FAILED = "ERROR::FREETYPE: Failed to load font"
SHADER_REPORTS = ["ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ", "ERROR::SHADER_COMPILATION_ERROR of type: VERTEX",
                  "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT", "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM"]
# Images taken away while the film plays, each put back once reported.
FILM_GAPS = ("frames/frame9.jpg", "frames/frame40.jpg", "frames/frame72.jpg")


def cut_short(rel_file):
    with open(os.path.join(ASSETS, rel_file), "rb") as f:
        data = f.read()
    return data[:len(data) // 2 + 3]


def big_jpeg(side):
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "big.jpg")
        subprocess.run(["convert", "-size", "%dx%d" % (side, side), "xc:green", out], check=True, timeout=120)
        with open(out, "rb") as f:
            return f.read()


# What is changed, the status (None: either), and the reports: the exact
# set of them, or with `maybe` a set they must stay within.
CASES = [
    ("no settings", {"remove": {"settings.ini"}}, 255,
     ["WARNING: ../assets/settings.ini not found! Using defaults instead.", "Failed to load 'settings.ini'"]),
    ("no font", {"remove": {FONT}}, 255, [FONT_FAILED]),
    # FreeType reads a face's tables when it opens it, the glyphs later.
    ("font cut short", {"replace": {FONT: cut_short(FONT)}}, None,
     {"maybe": [FONT_FAILED, "ERROR::FREETYTPE: Failed to load Glyph"]}),
    ("no model", {"remove": {"objects/star/star.obj"}}, 0,
     ['ERROR::ASSIMP:: Unable to open file "../assets/objects/star/star.obj".']),
    ("no material", {"remove": {"objects/rabbit/rabbit.mtl"}}, 0, []),
    # Named by its material and loaded by its path as well.
    ("no wall texture", {"remove": {"objects/wall/brickwall.jpg"}}, 0,
     [TEXTURE + "brickwall.jpg", TEXTURE + "../assets/objects/wall/brickwall.jpg"]),
    ("no sky face", {"remove": {"objects/skybox/top.jpg"}}, 0,
     ["Skybox texture failed to load: ../assets/objects/skybox/top.jpg"]),
    ("no shader", {"remove": {"shader/Lighting.frag"}}, 0, SHADER_REPORTS),
    ("no first film image", {"remove": {"frames/frame1.jpg"}}, 0, [TEXTURE + "../assets/frames/frame1.jpg"]),
    ("model image of 8192x8192", {"replace": {"objects/map/grass.jpg": big_jpeg(8192)}}, 0, []),
]


class Outcome:
    def __init__(self, name):
        self.name, self.code, self.error, self.lines, self.stderr = name, None, None, [], b""

    def describe(self):
        return "%s: status %s, %.1f s, %s\n%s" % (self.name, self.code, self.seconds, self.error,
                                                  "\n".join(self.lines[-25:]))


def play(display, name, tree_args, code=0, during=None):
    """One game on a changed tree; `during` gets the run and the tree while it draws."""
    tree_args = dict(tree_args)
    if "settings.ini" not in tree_args.get("remove", ()):
        tree_args["replace"] = dict(tree_args.get("replace", {}), **{"settings.ini": SMALL_WINDOW})
    tree = ScratchTree(**tree_args)
    outcome = Outcome(name)
    started = time.monotonic()
    try:
        with focus_lock:
            run = GameRun(display, workdir=tree.build)
            if code == 255:
                outcome.code = run.wait_exit(timeout=30)
            else:
                run.wait_for_window(timeout=30)
        if outcome.code is None:
            run.move_window(*lane_origin())
            run.wait_for_drawing(keep_seconds=1.0, timeout=60)
            if during:
                during(run, tree)
            with focus_lock:
                outcome.code = run.quit_with_escape(timeout=30)
    except Exception as e:  # a hang or a crash is this case's finding
        if code is None and run.proc.poll() is not None:
            outcome.code = run.wait_exit()  # a start that may fail ended on its own
        else:
            outcome.error = "%s: %s" % (type(e).__name__, e)
    finally:
        run.stop()
        outcome.lines, outcome.stderr = list(run.lines), run.stderr
        outcome.seconds = time.monotonic() - started
        tree.cleanup()
    return outcome


def take_film_images_away(run, tree):
    for rel_file in FILM_GAPS:
        start = run.line_count()
        tree.take_away(rel_file)
        try:
            run.wait_for_line(re.escape(TEXTURE + "../assets/" + rel_file) + "$", timeout=60, start=start)
        finally:
            tree.put_back(rel_file)
    run.wait_for_drawing(keep_seconds=1.0, timeout=30)


class Assets(GameTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            film = pool.submit(play, cls.display, "film gaps", {}, during=take_film_images_away)
            cls.outcomes = list(pool.map(lambda c: play(cls.display, c[0], c[1], c[2]), CASES))
            cls.film = film.result()

    def check(self, outcome, code):
        self.assertIsNone(outcome.error, outcome.describe())
        self.assertEqual(outcome.stderr, b"", outcome.describe())
        self.assertIn(outcome.code, (0, 255) if code is None else (code,), outcome.describe())
        reports = loader_reports(outcome.lines)
        if outcome.code == 255:
            # Start-up says why in its last line, after two seconds, with no scene set up.
            self.assertEqual(reports[-1:], outcome.lines[-1:], outcome.describe())
            self.assertGreaterEqual(outcome.seconds, 2.0)
            self.assertFalse(any("Creating" in line for line in outcome.lines), outcome.describe())
        return reports

    def test_each_changed_tree_reports_what_it_lacks(self):
        for (name, _, code, expected), outcome in zip(CASES, self.outcomes):
            with self.subTest(case=name):
                reports = self.check(outcome, code)
                if isinstance(expected, dict):
                    self.assertLessEqual(set(reports), set(expected["maybe"]), outcome.describe())
                else:
                    self.assertEqual(sorted(set(reports)), sorted(expected), outcome.describe())

    def test_film_images_taken_away_while_it_plays_are_each_reported_once(self):
        reports = self.check(self.film, 0)
        self.assertEqual(sorted(reports), sorted(TEXTURE + "../assets/" + f for f in FILM_GAPS))


if __name__ == "__main__":
    unittest.main(verbosity=2)
