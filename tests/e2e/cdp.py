"""A small Chrome DevTools Protocol client on the standard library alone:
starts headless Chromium, talks to one page over a WebSocket, and collects
the page's console lines. Used by the browser test and the web benchmark."""

import base64
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import tempfile
import threading
import time
import urllib.request


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


class WebSocket:
    """Client side of RFC 6455, text frames only, enough for DevTools."""

    def __init__(self, url):
        m = re.match(r"ws://([^:/]+):(\d+)(/.*)", url)
        host, port, path = m.group(1), int(m.group(2)), m.group(3)
        self.sock = socket.create_connection((host, port))
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall(("GET %s HTTP/1.1\r\nHost: %s:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                           "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n"
                           % (path, host, port, key)).encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(1)
            if not chunk:
                raise ConnectionError("WebSocket handshake cut off")
            head += chunk
        if b" 101 " not in head.split(b"\r\n", 1)[0]:
            raise ConnectionError("WebSocket handshake refused: %r" % head)

    def _exact(self, n):
        data = bytearray()
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise ConnectionError("WebSocket closed")
            data += chunk
        return bytes(data)

    def send(self, text):
        payload = text.encode()
        header = bytearray([0x81])
        n = len(payload)
        if n < 126:
            header.append(0x80 | n)
        elif n < 65536:
            header.append(0x80 | 126)
            header += struct.pack(">H", n)
        else:
            header.append(0x80 | 127)
            header += struct.pack(">Q", n)
        mask = os.urandom(4)
        header += mask
        self.sock.sendall(bytes(header) + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))

    def receive(self):
        message = b""
        while True:
            b0, b1 = self._exact(2)
            n = b1 & 0x7F
            if n == 126:
                n = struct.unpack(">H", self._exact(2))[0]
            elif n == 127:
                n = struct.unpack(">Q", self._exact(8))[0]
            data = self._exact(n)
            opcode = b0 & 0x0F
            if opcode == 0x8:
                raise ConnectionError("WebSocket closed by the browser")
            if opcode in (0x9, 0xA):
                continue
            message += data
            if b0 & 0x80:
                return message.decode()

    def close(self):
        try:
            self.sock.close()
        except OSError:
            pass


class Browser:
    """Headless Chromium with one page; console lines gather in `console`."""

    def __init__(self, width=1100, height=1000):
        self.profile = tempfile.mkdtemp(prefix="mh-chromium-")
        self.proc = subprocess.Popen(
            [find_chromium(), "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
             "--enable-unsafe-swiftshader", "--no-first-run", "--no-default-browser-check",
             "--remote-debugging-port=0", "--user-data-dir=" + self.profile,
             "--window-size=%d,%d" % (width, height), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        port = None
        deadline = time.monotonic() + 60
        for raw in self.proc.stderr:
            m = re.search(rb"DevTools listening on ws://[^:]+:(\d+)/", raw)
            if m:
                port = int(m.group(1))
                break
            if time.monotonic() > deadline:
                break
        if port is None:
            self.stop()
            raise RuntimeError("Chromium did not open its DevTools port")
        threading.Thread(target=self.proc.stderr.read, daemon=True).start()
        pages = json.load(urllib.request.urlopen("http://127.0.0.1:%d/json/list" % port))
        page = next(p for p in pages if p.get("type") == "page")
        self.ws = WebSocket(page["webSocketDebuggerUrl"])
        self.next_id = 0
        self.replies = {}
        self.console = []
        self.errors = []
        self.cond = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()
        self.call("Runtime.enable")
        self.call("Page.enable")
        # A headless page has no focus of its own; keys go only to a focused one.
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def _read(self):
        try:
            while True:
                message = json.loads(self.ws.receive())
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
        except (ConnectionError, OSError, ValueError):
            with self.cond:
                self.cond.notify_all()

    def call(self, method, timeout=60, **params):
        with self.cond:
            self.next_id += 1
            ident = self.next_id
        self.ws.send(json.dumps({"id": ident, "method": method, "params": params}))
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
        """Index of the first console line from `start` on matching `pattern`."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        with self.cond:
            while True:
                for i in range(start, len(self.console)):
                    if regex.search(self.console[i]):
                        return i
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise AssertionError("no console line matching %r; console ended with:\n%s\nerrors:\n%s"
                                         % (pattern, "\n".join(self.console[-20:]), "\n".join(self.errors[-10:])))
                self.cond.wait(min(remaining, 0.5))

    def lines(self):
        with self.cond:
            return list(self.console)

    # Virtual key codes of the keys the game reads.
    KEY_CODES = {"F2": 113, "F3": 114, "F4": 115, "F5": 116, "F6": 117, "F8": 119, "F10": 121,
                 "Escape": 27, "KeyW": 87, "KeyA": 65, "KeyS": 83, "KeyD": 68}

    def key(self, code, down=True):
        key = code[3:].lower() if code.startswith("Key") else code
        self.call("Input.dispatchKeyEvent", type="rawKeyDown" if down else "keyUp", code=code, key=key,
                  windowsVirtualKeyCode=self.KEY_CODES[code], nativeVirtualKeyCode=self.KEY_CODES[code])

    def press_until_console(self, code, pattern, start=0, timeout=60):
        """Holds a key until a console line answers it: the game reads the
        keys' state once a frame, and a software-rendered frame can be long."""
        self.key(code, True)
        try:
            return self.wait_for_console(pattern, timeout=timeout, start=start)
        finally:
            self.key(code, False)

    def screenshot_png(self):
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])

    def stop(self):
        if getattr(self, "ws", None):
            self.ws.close()
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
