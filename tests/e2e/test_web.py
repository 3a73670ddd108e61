"""The browser build in headless Chromium: served from 127.0.0.1, its console
transcript matches the desktop game's start, its picture shows the meadow, a
key pressed in the page reaches the game, and Escape ends it with the
desktop's closing lines. The page's route replay plays the committed winning
route to the end and shows "Winner".

`make test` builds the page into build-web/ (`make web`) before the tests run;
run on its own, this test skips, exit code 77, when the page or Chromium is missing."""

import functools
import http.server
import os
import re
import subprocess
import sys
import threading
import time
import unittest

import cdp
from harness import (GAME, MEADOW_LEFT, MEADOW_RIGHT, SKY, SOURCE_DIR, GameRun, Picture,
                     VirtualDisplay, is_grass, is_sky, near, share)

WEB_DIR = os.environ.get("MH_WEB_DIR", os.path.join(SOURCE_DIR, "build-web"))
SKIP_CODE = 77
STONE_LINE = re.compile(r"^-?\d+\.\d{6} -?\d+\.\d{6}$")
STONE_COUNT = 35
ROUTES = os.path.join(SOURCE_DIR, "tests", "fixtures", "routes")
# "Winner" is drawn in (0.1, 0, 0.1) around the centre of the 1024 x 768 canvas.
CENTRE = (380, 340, 650, 400)
WINNER_PURPLE = (25, 0, 25)


def missing():
    if not os.path.exists(os.path.join(WEB_DIR, "meadowhop.wasm")):
        return "no web build in %s (run `make web`)" % WEB_DIR
    if not cdp.find_chromium():
        return "no Chromium on this machine (`make web` installs it)"
    return None


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(QuietHandler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def picture_of(png, origin, size):
    """The canvas part of a page screenshot, as the harness's Picture."""
    x, y = origin
    ppm = subprocess.run(["convert", "png:-", "-crop", "%dx%d+%d+%d" % (size[0], size[1], x, y), "+repage",
                          "ppm:-"], input=png, stdout=subprocess.PIPE, check=True).stdout
    return Picture.from_ppm(ppm)


def desktop_transcript():
    """The desktop game's lines up to its first drawn frame and those Escape
    then adds, or None without a desktop build."""
    if not os.path.exists(GAME):
        return None
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
        cls.server = serve(WEB_DIR)
        cls.browser = cdp.Browser()
        cls.url = "http://127.0.0.1:%d/index.html" % cls.server.server_address[1]
        cls.browser.call("Page.navigate", url=cls.url)

    @classmethod
    def tearDownClass(cls):
        cls.browser.stop()
        cls.server.shutdown()

    def canvas(self):
        rect = self.browser.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)]; })()")
        if not rect:
            # Still navigating: no canvas yet.
            return (0, 0), (0, 0)
        return (rect[0], rect[1]), (rect[2], rect[3])

    def wait_for_scene(self, timeout=120):
        deadline = time.monotonic() + timeout
        while True:
            origin, size = self.canvas()
            if size == (1024, 768):
                picture = picture_of(self.browser.screenshot_png(), origin, size)
                if picture.distinct_colours() > 40:
                    return picture
            if time.monotonic() > deadline:
                self.fail("the page drew no scene; console:\n" + "\n".join(self.browser.lines()[-20:]))
            time.sleep(0.5)

    def test_1_transcript_starts_as_on_the_desktop(self):
        picture = self.wait_for_scene()
        lines = self.browser.lines()
        self.assertEqual(self.browser.errors, [], "the page reported errors")
        stones = lines[:STONE_COUNT]
        self.assertEqual(len(stones), STONE_COUNT)
        for line in stones:
            self.assertRegex(line, STONE_LINE)
        desktop = desktop_transcript()
        self.__class__.desktop = desktop
        if desktop is None:
            print("no desktop build: the set-up lines are checked for their kinds only", file=sys.stderr)
            self.assertTrue(any(line.startswith("Creating shader") for line in lines[STONE_COUNT:]))
        else:
            self.assertEqual(lines[:len(desktop[0])], desktop[0])
        self.__class__.start_picture = picture

    def test_2_picture_shows_sky_and_meadow(self):
        picture = getattr(self.__class__, "start_picture", None) or self.wait_for_scene()
        self.assertGreater(share(picture, SKY, is_sky), 0.9)
        for box in (MEADOW_LEFT, MEADOW_RIGHT):
            self.assertGreater(share(picture, box, is_grass), 0.9)

    def test_3_f4_reaches_the_game_and_hides_the_hud(self):
        self.wait_for_scene()
        start = len(self.browser.lines())
        self.browser.press_until_console("F4", r"^HUD toggled to: 0$", start=start)
        # The HUD's text is gone from the next frames on: the black lines for
        # lives, time and items leave the sky in the top left corner.
        origin, size = self.canvas()
        text_box = (0, 60, 300, 190)
        dark = lambda c: max(c) < 60

        def dark_text_until(holds):
            deadline = time.monotonic() + 60
            while True:
                count = picture_of(self.browser.screenshot_png(), origin, size).count(text_box, dark)
                if holds(count) or time.monotonic() > deadline:
                    return count
                time.sleep(0.2)

        hidden = dark_text_until(lambda count: count < 20)
        self.browser.press_until_console("F4", r"^HUD toggled to: 1$", start=start)
        shown = dark_text_until(lambda count: count > 200)
        self.assertGreater(shown, 200)
        self.assertLess(hidden, shown // 10)

    def test_4_escape_ends_the_game_with_the_desktop_lines(self):
        self.wait_for_scene()
        start = len(self.browser.lines())
        self.browser.press_until_console("Escape", r"Deleting", start=start)
        desktop = getattr(self.__class__, "desktop", None)
        if desktop is None:
            return
        closing = desktop[1]
        deadline = time.monotonic() + 60
        while len(self.browser.lines()) < start + len(closing) and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertEqual(self.browser.lines()[start:start + len(closing)], closing)


def route_frames(name):
    with open(os.path.join(ROUTES, name + ".txt")) as route:
        return sum(1 for line in route if line.strip() and not line.lstrip().startswith("#"))


class RouteReplay(unittest.TestCase):
    """The page given "?route=win" plays the route's keys at 1/60 s a frame,
    whatever the browser's frame rate, and so wins as the desktop's
    frame-loop test does with the same route."""

    # Route frames in each browser frame: software-drawn frames are slow.
    FRAMES_PER_STEP = 30

    @classmethod
    def setUpClass(cls):
        cls.server = serve(WEB_DIR)
        cls.browser = cdp.Browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.stop()
        cls.server.shutdown()

    def test_winning_route_ends_on_winner(self):
        url = "http://127.0.0.1:%d/index.html?route=win&frames=%d" % (self.server.server_address[1],
                                                                        self.FRAMES_PER_STEP)
        started = time.monotonic()
        self.browser.call("Page.navigate", url=url)
        # A few route frames a second under load: the deadline is generous.
        end = self.browser.wait_for_console(r"^Route 'win' replayed", timeout=900)
        print("the route replayed in %.0f s" % (time.monotonic() - started), file=sys.stderr)
        self.assertEqual(self.browser.lines()[end],
                         "Route 'win' replayed, %d frames: Winner" % route_frames("win"))
        self.assertEqual(self.browser.errors, [], "the page reported errors")
        # The replay stops on its last frame, "Winner" drawn in the centre.
        rect = self.browser.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)]; })()")
        picture = picture_of(self.browser.screenshot_png(), (rect[0], rect[1]), (rect[2], rect[3]))
        # About 2,000 such pixels; "Game Over"'s blue has none this close.
        self.assertGreater(picture.count(CENTRE, near(WINNER_PURPLE, 12)), 1000)


if __name__ == "__main__":
    reason = missing()
    if reason:
        print("SKIPPED: browser test: " + reason)
        sys.exit(SKIP_CODE)
    unittest.main()
