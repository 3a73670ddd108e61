"""The browser build in headless Chromium, served from 127.0.0.1: its console
transcript matches the desktop game's start, its picture shows the meadow, a
key pressed in the page reaches the game, and Escape ends it with the
desktop's closing lines; then the page's route replay plays the committed
winning route to the end and shows "Winner".

`make test` builds the page into build-web/ (`make web`) and the desktop game
first; run on its own, this test skips, exit code 77, when the page or
Chromium is missing."""

import functools
import http.server
import os
import subprocess
import sys
import threading
import time
import unittest

import cdp
from harness import SOURCE_DIR, GameRun, Picture, VirtualDisplay, near

WEB_DIR = os.environ.get("MH_WEB_DIR", os.path.join(SOURCE_DIR, "build-web"))
# Boxes in canvas pixels (x0, y0, x1, y1), top-left origin, of the 1024 x 768
# start view: sky above, meadow at the bottom corners, the HUD's lines for
# lives, time and items; "Winner" is drawn in (0.1, 0, 0.1) around the centre.
SKY = (300, 20, 700, 200)
MEADOW_LEFT = (40, 560, 330, 760)
MEADOW_RIGHT = (700, 560, 990, 760)
HUD_TEXT = (0, 60, 300, 190)
CENTRE = (380, 340, 650, 400)
WINNER_PURPLE = (25, 0, 25)
# Route frames in each browser frame of the replay: software-drawn frames are slow.
FRAMES_PER_STEP = 30


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}
    log_message = lambda *args: None


def share(picture, box, predicate):
    return picture.count(box, predicate) / ((box[2] - box[0]) * (box[3] - box[1]))


def desktop_transcript():
    """The desktop game's lines up to its first drawn frame, and those Escape then adds."""
    with VirtualDisplay() as display:
        run = GameRun(display)
        try:
            run.wait_for_window()
            run.wait_for_drawing(keep_seconds=0, colours=40)
            start = run.output().split("\n")
            run.quit_with_escape()
            return start, run.output().split("\n")[len(start):]
        finally:
            run.stop()


class BrowserGame(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                                     functools.partial(QuietHandler, directory=WEB_DIR))
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.desktop = desktop_transcript()
        cls.browser = cdp.Browser()
        cls.url = "http://127.0.0.1:%d/index.html" % cls.server.server_address[1]
        cls.browser.call("Page.navigate", url=cls.url)

    @classmethod
    def tearDownClass(cls):
        cls.browser.stop()
        cls.server.shutdown()

    def picture(self):
        """The canvas part of a page screenshot, or None while there is no canvas."""
        rect = self.browser.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [r.width, r.height, r.left, r.top].map(Math.round); })()")
        if rect:
            return Picture.from_ppm(subprocess.run(
                ["convert", "png:-", "-crop", "%dx%d+%d+%d" % tuple(rect), "+repage", "ppm:-"],
                input=self.browser.screenshot_png(), stdout=subprocess.PIPE, check=True).stdout)

    def wait_for_picture(self, condition, what, timeout=120):
        deadline = time.monotonic() + timeout
        while not condition(picture := self.picture()):
            if time.monotonic() > deadline:
                self.fail("the page never showed %s; console:\n%s" % (what, "\n".join(self.browser.lines()[-20:])))
            time.sleep(0.2)
        return picture

    def wait_for_scene(self):
        return self.wait_for_picture(lambda p: p and (p.width, p.height) == (1024, 768) and p.distinct_colours() > 40,
                                     "a scene")

    def test_1_transcript_and_picture_start_as_on_the_desktop(self):
        picture = self.wait_for_scene()
        lines = self.browser.lines()
        self.assertEqual(self.browser.errors, [], "the page reported errors")
        self.assertEqual(lines[:len(self.desktop[0])], self.desktop[0])
        self.assertGreater(share(picture, SKY, lambda c: c[2] > 150 and c[2] > c[0] + 40), 0.9)
        for box in (MEADOW_LEFT, MEADOW_RIGHT):
            self.assertGreater(share(picture, box, lambda c: c[1] > c[0] + 15 and c[1] > c[2] + 15), 0.9)

    def test_2_f4_reaches_the_game_and_hides_the_hud(self):
        self.wait_for_scene()
        start = len(self.browser.lines())
        dark = lambda c: max(c) < 60
        self.browser.press_until_console("F4", r"^HUD toggled to: 0$", start=start)
        # The HUD's text is gone from the next frames on, and back once F4 is pressed again.
        self.wait_for_picture(lambda p: p.count(HUD_TEXT, dark) < 20, "the HUD hidden", 60)
        self.browser.press_until_console("F4", r"^HUD toggled to: 1$", start=start)
        self.wait_for_picture(lambda p: p.count(HUD_TEXT, dark) > 200, "the HUD again", 60)

    def test_3_escape_ends_the_game_with_the_desktop_lines(self):
        self.wait_for_scene()
        start = len(self.browser.lines())
        self.browser.press_until_console("Escape", r"Deleting", start=start)
        closing = self.desktop[1]
        self.browser.wait_for_console("", start=start + len(closing) - 1)
        self.assertEqual(self.browser.lines()[start:start + len(closing)], closing)

    def test_4_the_winning_route_replays_to_winner(self):
        """"?route=win" plays the route's keys at 1/60 s a frame, whatever the
        browser's frame rate, and so wins as the desktop's frame-loop test does."""
        with open(os.path.join(SOURCE_DIR, "tests", "fixtures", "routes", "win.txt")) as route:
            frames = sum(1 for line in route if line.strip() and not line.lstrip().startswith("#"))
        start = len(self.browser.lines())
        self.browser.call("Page.navigate", url=self.url + "?route=win&frames=%d" % FRAMES_PER_STEP)
        # A few route frames a second under load: the deadline is generous.
        end = self.browser.wait_for_console(r"^Route 'win' replayed", timeout=900, start=start)
        self.assertEqual(self.browser.lines()[end], "Route 'win' replayed, %d frames: Winner" % frames)
        self.assertEqual(self.browser.errors, [], "the page reported errors")
        # The replay stops on its last frame, "Winner" drawn in the centre:
        # about 2,000 such pixels; "Game Over"'s blue has none this close.
        self.assertGreater(self.picture().count(CENTRE, near(WINNER_PURPLE, 12)), 1000)


if __name__ == "__main__":
    if not os.path.exists(os.path.join(WEB_DIR, "meadowhop.wasm")) or not cdp.CHROMIUM:
        print("SKIPPED: browser test: no page in %s (`make web`) or no Chromium" % WEB_DIR)
        sys.exit(77)
    unittest.main()
