"""Every file of the asset tree taken away in turn.

Without the settings or the font the game stops at start-up with its line and
status 255 after two seconds; without any other file it reports the loss the
way that file's loader does, draws, and ends with 0 on Escape. The film's
images are taken away one at a time while one game plays the film, since the
game only opens them as the film reaches them. Two games run at a time.
"""

import concurrent.futures
import math
import re
import time
import unittest

from asset_reports import (SETTINGS, TEXTURE_FAILED, asset_files, expected_reports, film_files,
                           game_path, is_fatal, mismatches)
from harness import GameRun, GameTestCase, ScratchTree, focus_lock, lane_origin, loader_reports

# A small window keeps each run short on a software renderer.
SMALL_WINDOW = "[window]\nwidth=320\nheight=240\n"
LANES = 2
# The next image taken away lies this many images ahead of the one just
# reported, so it is gone before the film reaches it.
FILM_LEAD = 5
# How long a game without one file has to keep drawing.
DRAWING_SECONDS = 2.0


class Outcome:
    def __init__(self, what):
        self.what = what
        self.code = None
        self.error = None
        self.lines = []
        self.stderr = b""
        self.seconds = 0.0

    def collect(self, run, started):
        run.stop()
        self.lines = list(run.lines)
        self.stderr = run.stderr
        self.seconds = time.monotonic() - started

    def describe(self):
        return "%s: status %s, %.1f s%s\n%s" % (
            self.what, self.code, self.seconds,
            ", " + self.error if self.error else "", "\n".join(self.lines[-25:]))


def run_without(display, rel_file):
    replace = {} if rel_file == SETTINGS else {SETTINGS: SMALL_WINDOW}
    tree = ScratchTree(replace=replace, remove={rel_file})
    outcome = Outcome(rel_file)
    started = time.monotonic()
    try:
        with focus_lock:
            run = GameRun(display, workdir=tree.build)
            if is_fatal(rel_file):
                # Its window, if it gets that far, still takes the focus.
                outcome.code = run.wait_exit(timeout=30)
            else:
                run.wait_for_window(timeout=30)
        if not is_fatal(rel_file):
            run.move_window(*lane_origin())
            run.wait_for_drawing(keep_seconds=DRAWING_SECONDS, timeout=30)
            with focus_lock:
                outcome.code = run.quit_with_escape(timeout=30)
    except Exception as e:  # a hang or a crash is this file's finding, not the test's end
        outcome.error = "%s: %s" % (type(e).__name__, e)
    finally:
        outcome.collect(run, started)
        tree.cleanup()
    return outcome


def play_film_with_gaps(display, frames):
    """One game; each image is taken away ahead of the film, awaited in its
    report, and put back before the next one goes."""
    tree = ScratchTree(replace={SETTINGS: SMALL_WINDOW})
    outcome = Outcome("the film's %d images" % len(frames))
    started = time.monotonic()
    with focus_lock:
        run = GameRun(display, workdir=tree.build)
        run.wait_for_window(timeout=30)
    try:
        run.move_window(*lane_origin())
        run.wait_for_drawing(keep_seconds=0, timeout=30)
        stride = next(s for s in range(FILM_LEAD, FILM_LEAD + len(frames) + 1)
                      if math.gcd(s, len(frames)) == 1)
        for i in range(len(frames)):
            rel_file = frames[(i * stride) % len(frames)]
            start = run.line_count()
            tree.take_away(rel_file)
            try:
                run.wait_for_line(re.escape(TEXTURE_FAILED + game_path(rel_file)) + "$",
                                  timeout=60, start=start)
            finally:
                tree.put_back(rel_file)
        run.wait_for_drawing(keep_seconds=1.0, timeout=30)
        with focus_lock:
            outcome.code = run.quit_with_escape(timeout=30)
    except Exception as e:
        outcome.error = "%s: %s" % (type(e).__name__, e)
    finally:
        outcome.collect(run, started)
        tree.cleanup()
    return outcome


class MissingAssets(GameTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        started = time.monotonic()
        cls.frames = film_files()
        # The film's first image is the only one opened at set-up.
        cls.at_start = [f for f in asset_files() if f not in cls.frames[1:]]
        with concurrent.futures.ThreadPoolExecutor(LANES) as pool:
            film = pool.submit(play_film_with_gaps, cls.display, cls.frames)
            runs = pool.map(lambda f: run_without(cls.display, f), cls.at_start)
            cls.outcomes = {o.what: o for o in runs}
            cls.film = film.result()
        cls.seconds = time.monotonic() - started
        print("missing assets: %d files removed (%d before start-up, %d film images while "
              "it plays) in %.0f s" % (len(set(cls.at_start) | set(cls.frames)), len(cls.at_start),
                                       len(cls.frames), cls.seconds), flush=True)

    def check_silent_stderr_and_reports(self, outcome, expected):
        self.assertEqual(outcome.stderr, b"", outcome.describe())
        problems = mismatches(loader_reports(outcome.lines), expected)
        self.assertEqual(problems, [], outcome.describe())

    def test_without_settings_or_font_start_up_ends_with_its_line(self):
        fatal = [f for f in self.at_start if is_fatal(f)]
        self.assertEqual(len(fatal), 2)
        for rel_file in fatal:
            with self.subTest(removed=rel_file):
                outcome = self.outcomes[rel_file]
                self.assertIsNone(outcome.error, outcome.describe())
                self.assertEqual(outcome.code, 255, outcome.describe())
                self.assertGreaterEqual(outcome.seconds, 2.0)
                self.assertLess(outcome.seconds, 10.0)
                self.check_silent_stderr_and_reports(outcome, expected_reports(rel_file))
                # Start-up says why and nothing else: no scene was set up.
                self.assertFalse(any("Creating" in line for line in outcome.lines), outcome.describe())

    def test_without_any_other_file_the_game_reports_it_and_draws(self):
        others = [f for f in self.at_start if not is_fatal(f)]
        self.assertGreater(len(others), 50)
        for rel_file in others:
            with self.subTest(removed=rel_file):
                outcome = self.outcomes[rel_file]
                self.assertIsNone(outcome.error, outcome.describe())
                self.assertEqual(outcome.code, 0, outcome.describe())
                self.check_silent_stderr_and_reports(outcome, expected_reports(rel_file))

    def test_film_images_taken_away_one_at_a_time_while_it_plays(self):
        outcome = self.film
        self.assertIsNone(outcome.error, outcome.describe())
        self.assertEqual(outcome.code, 0, outcome.describe())
        self.assertEqual(outcome.stderr, b"")
        reports = loader_reports(outcome.lines)
        # Each image was reported once, while it was away, and nothing else was.
        expected = sorted(TEXTURE_FAILED + game_path(f) for f in self.frames)
        self.assertEqual(sorted(reports), expected)


if __name__ == "__main__":
    unittest.main(verbosity=2)
