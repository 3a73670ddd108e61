"""The browser build in headless Chromium, served from 127.0.0.1: its console
transcript matches the desktop game's start, its picture shows the meadow,
and Escape pressed in the page ends the game with the desktop's closing
lines; then the page's route replay plays the committed winning route to the
end and shows "Winner"."""

import base64
import functools
import http.server
import json
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from harness import SOURCE_DIR, GameRun, GameTestCase, Picture, near

CHROMIUM = shutil.which("chromium")
WEB_DIR = os.environ.get("MH_WEB_DIR", os.path.join(SOURCE_DIR, "build-web"))
# Boxes in canvas pixels (x0, y0, x1, y1), top-left origin, of the 1024 x 768
# start view: sky above, meadow at the bottom corners; "Winner" is drawn in
# (0.1, 0, 0.1) around the centre.
SKY = (300, 20, 700, 200)
MEADOW_LEFT = (40, 560, 330, 760)
MEADOW_RIGHT = (700, 560, 990, 760)
CENTRE = (380, 340, 650, 400)
WINNER_PURPLE = (25, 0, 25)
# Route frames in each browser frame of the replay: software-drawn frames are slow.
FRAMES_PER_STEP = 30


class Browser:
    """Headless Chromium with one page, driven over the DevTools protocol's
    pipe. The page's console lines gather in `console`, its errors and
    uncaught exceptions in `errors`, whenever a call or a wait reads the pipe."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="mh-chromium-")
        commands_in, self.commands = os.pipe()
        self.answers, answers_out = os.pipe()
        # Chromium reads the protocol's messages on descriptor 3 and answers on 4
        # (bash: the pipes' own numbers may have two digits).
        self.proc = subprocess.Popen(
            ["/bin/bash", "-c", 'exec "$0" "$@" 3<&%d 4>&%d' % (commands_in, answers_out), CHROMIUM,
             "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--no-first-run", "--no-default-browser-check", "--remote-debugging-pipe",
             "--user-data-dir=" + self.profile, "--window-size=1100,1000", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(commands_in, answers_out))
        os.close(commands_in)
        os.close(answers_out)
        self.next_id = 0
        self.unread = b""
        self.replies = {}
        self.console = []
        self.errors = []
        self.session = None
        deadline = time.monotonic() + 60
        while not (pages := [t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page"]):
            if time.monotonic() > deadline:
                raise RuntimeError("Chromium opened no page")
        self.session = self.call("Target.attachToTarget", targetId=pages[0]["targetId"], flatten=True)["sessionId"]
        self.call("Runtime.enable")
        # A headless page has no focus of its own; keys go only to a focused one.
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def _read_until(self, done, timeout, what):
        deadline = time.monotonic() + timeout
        while not done():
            ready = select.select([self.answers], [], [], max(0.0, deadline - time.monotonic()))[0]
            chunk = os.read(self.answers, 1 << 16) if ready else b""
            if not chunk:
                raise AssertionError("no %s; console ended with:\n%s\nerrors:\n%s"
                                     % (what, "\n".join(self.console[-20:]), "\n".join(self.errors[-10:])))
            *messages, self.unread = (self.unread + chunk).split(b"\0")
            for message in map(json.loads, messages):
                params = message.get("params", {})
                if "id" in message:
                    self.replies[message["id"]] = message
                elif message.get("method") == "Runtime.consoleAPICalled":
                    text = " ".join(str(a.get("value", a.get("description", ""))) for a in params["args"])
                    (self.errors if params["type"] == "error" else self.console).append(text)
                elif message.get("method") == "Runtime.exceptionThrown":
                    self.errors.append(json.dumps(params["exceptionDetails"])[:2000])

    def call(self, method, timeout=60, **params):
        self.next_id += 1
        ident = self.next_id
        message = {"id": ident, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        self._read_until(lambda: ident in self.replies, timeout, "answer to " + method)
        reply = self.replies.pop(ident)
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"]))
        return reply.get("result", {})

    def wait_for_console(self, pattern, timeout=120, start=0):
        """Index of the first console line from `start` on to match."""
        regex = re.compile(pattern)
        found = lambda: next((i for i in range(start, len(self.console)) if regex.search(self.console[i])), None)
        self._read_until(lambda: found() is not None, timeout, "console line matching %r" % pattern)
        return found()

    def stop(self):
        os.close(self.commands)
        self.proc.terminate()
        self.proc.wait(30)
        shutil.rmtree(self.profile, ignore_errors=True)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    log_message = lambda *args: None


def share(picture, box, predicate):
    return picture.count(box, predicate) / ((box[2] - box[0]) * (box[3] - box[1]))


class BrowserGame(GameTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        # The desktop game's lines up to its first drawn frame, and those Escape then adds.
        desktop = GameRun(cls.display)
        cls.addClassCleanup(desktop.stop)
        desktop.wait_for_window()
        desktop.wait_for_drawing(keep_seconds=0, colours=40)
        cls.desktop_start = desktop.output().split("\n")
        desktop.quit_with_escape()
        cls.desktop_closing = desktop.output().split("\n")[len(cls.desktop_start):]
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                                     functools.partial(QuietHandler, directory=WEB_DIR))
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.addClassCleanup(cls.server.shutdown)
        cls.browser = Browser()
        cls.addClassCleanup(cls.browser.stop)
        cls.url = "http://127.0.0.1:%d/index.html" % cls.server.server_address[1]
        cls.browser.call("Page.navigate", url=cls.url)

    def picture(self):
        """The canvas part of a page screenshot, or None while there is no canvas."""
        rect = self.browser.call("Runtime.evaluate", returnByValue=True, expression=(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [r.width, r.height, r.left, r.top].map(Math.round); })()"))["result"].get("value")
        if rect:
            png = base64.b64decode(self.browser.call("Page.captureScreenshot", format="png")["data"])
            crop = ["-crop", "%dx%d+%d+%d" % tuple(rect), "+repage"]
            return Picture.from_ppm(subprocess.run(["convert", "png:-", *crop, "ppm:-"], input=png,
                                                   stdout=subprocess.PIPE, check=True).stdout)

    def wait_for_scene(self):
        deadline = time.monotonic() + 120
        while not ((p := self.picture()) and (p.width, p.height) == (1024, 768) and p.distinct_colours() > 40):
            if time.monotonic() > deadline:
                self.fail("the page never showed a scene; console:\n%s" % "\n".join(self.browser.console[-20:]))
            time.sleep(0.2)
        return p

    def test_1_transcript_and_picture_start_as_on_the_desktop(self):
        picture = self.wait_for_scene()
        self.assertEqual(self.browser.errors, [], "the page reported errors")
        self.assertEqual(self.browser.console[:len(self.desktop_start)], self.desktop_start)
        self.assertGreater(share(picture, SKY, lambda c: c[2] > 150 and c[2] > c[0] + 40), 0.9)
        for box in (MEADOW_LEFT, MEADOW_RIGHT):
            self.assertGreater(share(picture, box, lambda c: c[1] > c[0] + 15 and c[1] > c[2] + 15), 0.9)

    def test_2_escape_ends_the_game_with_the_desktop_lines(self):
        self.wait_for_scene()
        start = len(self.browser.console)
        # Held until the game answers: it reads the keys once a frame, and a
        # software-drawn frame can be long.
        escape = dict(code="Escape", key="Escape", windowsVirtualKeyCode=27, nativeVirtualKeyCode=27)
        self.browser.call("Input.dispatchKeyEvent", type="rawKeyDown", **escape)
        self.browser.wait_for_console(r"Deleting", timeout=60, start=start)
        self.browser.call("Input.dispatchKeyEvent", type="keyUp", **escape)
        closing = self.desktop_closing
        self.browser.wait_for_console("", start=start + len(closing) - 1)
        self.assertEqual(self.browser.console[start:start + len(closing)], closing)

    def test_3_the_winning_route_replays_to_winner(self):
        """"?route=win" plays the route's keys at 1/60 s a frame, whatever the
        browser's frame rate, and so wins as the desktop's frame-loop test does."""
        with open(os.path.join(SOURCE_DIR, "tests", "fixtures", "routes", "win.txt")) as route:
            frames = sum(1 for line in route if line.strip() and not line.lstrip().startswith("#"))
        start = len(self.browser.console)
        self.browser.call("Page.navigate", url=self.url + "?route=win&frames=%d" % FRAMES_PER_STEP)
        # A few route frames a second under load: the deadline is generous.
        end = self.browser.wait_for_console(r"^Route 'win' replayed", timeout=900, start=start)
        self.assertEqual(self.browser.console[end], "Route 'win' replayed, %d frames: Winner" % frames)
        self.assertEqual(self.browser.errors, [], "the page reported errors")
        # The replay stops on its last frame, "Winner" drawn in the centre:
        # about 2,000 such pixels; "Game Over"'s blue has none this close.
        self.assertGreater(self.picture().count(CENTRE, near(WINNER_PURPLE, 12)), 1000)


if __name__ == "__main__":
    if not os.path.exists(os.path.join(WEB_DIR, "meadowhop.wasm")) or not CHROMIUM:
        print("SKIPPED: browser test: no page in %s (`make web`) or no Chromium" % WEB_DIR)
        sys.exit(77)
    unittest.main()
