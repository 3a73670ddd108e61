"""A small Chrome DevTools Protocol client on the standard library alone:
starts headless Chromium, talks to its one page over the debugging pipe, and
collects the page's console lines."""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

from harness import first_match


CHROMIUM = shutil.which("chromium")


class Browser:
    """Headless Chromium with one page; console lines gather in `console`, and
    errors and uncaught exceptions in `errors`."""

    def __init__(self, width=1100, height=1000):
        self.profile = tempfile.mkdtemp(prefix="mh-chromium-")
        commands_in, self.commands = os.pipe()
        self.answers, answers_out = os.pipe()
        # Chromium reads the protocol's messages on descriptor 3 and answers on 4.
        self.proc = subprocess.Popen(
            ["/bin/sh", "-c", 'exec "$0" "$@" 3<&%d 4>&%d' % (commands_in, answers_out), CHROMIUM,
             "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--no-first-run", "--no-default-browser-check", "--remote-debugging-pipe",
             "--user-data-dir=" + self.profile, "--window-size=%d,%d" % (width, height), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(commands_in, answers_out))
        os.close(commands_in)
        os.close(answers_out)
        self.next_id = 0
        self.replies = {}
        self.console = []
        self.errors = []
        self.session = None
        self.cond = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()
        deadline = time.monotonic() + 60
        while not self.session:
            pages = [t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page"]
            if pages:
                self.session = self.call("Target.attachToTarget", targetId=pages[0]["targetId"],
                                         flatten=True)["sessionId"]
            elif time.monotonic() > deadline:
                raise RuntimeError("Chromium opened no page")
        self.call("Runtime.enable")
        self.call("Page.enable")
        # A headless page has no focus of its own; keys go only to a focused one.
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def _read(self):
        pending = b""
        with open(self.answers, "rb", buffering=0) as pipe:
            for chunk in iter(lambda: pipe.read(1 << 16), b""):
                *messages, pending = (pending + chunk).split(b"\0")
                for raw in messages:
                    self._take(json.loads(raw))
        with self.cond:
            self.cond.notify_all()

    def _take(self, message):
        with self.cond:
            if "id" in message:
                self.replies[message["id"]] = message
            elif message.get("method") == "Runtime.consoleAPICalled":
                args = message["params"]["args"]
                text = " ".join(str(a.get("value", a.get("description", ""))) for a in args)
                (self.errors if message["params"]["type"] == "error" else self.console).append(text)
            elif message.get("method") == "Runtime.exceptionThrown":
                self.errors.append(json.dumps(message["params"]["exceptionDetails"])[:2000])
            self.cond.notify_all()

    def call(self, method, timeout=60, **params):
        with self.cond:
            self.next_id += 1
            ident = self.next_id
        message = {"id": ident, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self.cond:
            while ident not in self.replies:
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise TimeoutError(method)
                self.cond.wait(remaining)
            reply = self.replies.pop(ident)
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"]))
        return reply.get("result", {})

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        return result.get("result", {}).get("value")

    def wait_for_console(self, pattern, timeout=120, start=0):
        return first_match(self.cond, self.console, pattern, timeout, start,
                           lambda: "console ended with:\n%s\nerrors:\n%s"
                           % ("\n".join(self.console[-20:]), "\n".join(self.errors[-10:])))

    def lines(self):
        with self.cond:
            return list(self.console)

    def press_until_console(self, key, pattern, start=0, timeout=60):
        """Holds a key until a console line answers it: the game reads the
        keys' state once a frame, and a software-rendered frame can be long."""
        code = {"F4": 115, "Escape": 27}[key]  # the virtual key codes of the keys the test presses
        event = dict(code=key, key=key, windowsVirtualKeyCode=code, nativeVirtualKeyCode=code)
        self.call("Input.dispatchKeyEvent", type="rawKeyDown", **event)
        try:
            return self.wait_for_console(pattern, timeout=timeout, start=start)
        finally:
            self.call("Input.dispatchKeyEvent", type="keyUp", **event)

    def screenshot_png(self):
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])

    def stop(self):
        os.close(self.commands)
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
