"""A headless Chromium driven through its DevTools protocol over a pipe.

The browser reads commands from its file descriptor 3 and writes answers and
events to descriptor 4, one JSON message per NUL-terminated record, so no
network port and no WebSocket library are needed.
"""

import base64
import fcntl
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

# Names of Debian's headless Chromium packages' programs, the smaller first.
BROWSER_NAMES = ("chromium-headless-shell", "chromium")


def find_browser():
    """The browser program: $QUORBEL_CHROMIUM, else the first one on PATH."""
    named = os.environ.get("QUORBEL_CHROMIUM")
    if named:
        return shutil.which(named)
    for name in BROWSER_NAMES:
        found = shutil.which(name)
        if found:
            return found
    return None


class Browser:
    """One browser process and one page (tab) in it."""

    def __init__(self, program, width, height, scale):
        self._profile = tempfile.mkdtemp(prefix="quorbel-browser-")
        commands = os.pipe()
        answers = os.pipe()
        # The child's ends above 2..4, so that moving them to 3 and 4 never
        # overwrites one with the other.
        child_ends = [fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10) for fd in (commands[0], answers[1])]

        def place_child_ends():
            os.dup2(child_ends[0], 3)
            os.dup2(child_ends[1], 4)

        arguments = [
            program,
            "--headless",
            "--no-sandbox",  # the tests may run as root, where the sandbox refuses to start
            "--disable-gpu",
            "--disable-dev-shm-usage",  # containers often have a small /dev/shm
            "--hide-scrollbars",
            "--allow-file-access-from-files",  # the frame page reaches into its frames' documents
            "--remote-debugging-pipe",
            "--user-data-dir=" + self._profile,
            "about:blank",
        ]
        self._process = subprocess.Popen(
            arguments,
            pass_fds=(3, 4),
            preexec_fn=place_child_ends,
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        for fd in (*child_ends, commands[0], answers[1]):
            os.close(fd)
        self._out = commands[1]
        self._in = answers[0]
        self._buffer = b""
        self._last_id = 0
        self.events = []
        self.session = None
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.call(
            "Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale, mobile=False
        )
        # A headless page has no window focus of its own; without it a
        # focused list would not receive key events.
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def close(self):
        try:
            os.close(self._out)
            os.close(self._in)
        finally:
            self._process.kill()
            self._process.wait()
            shutil.rmtree(self._profile, ignore_errors=True)

    def call(self, method, timeout=30, **params):
        """Sends one command to the page (or to the browser before a page
        is attached) and returns its result."""
        self._last_id += 1
        message = {"id": self._last_id, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        os.write(self._out, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            answer = self._receive(deadline, method)
            if answer.get("id") == self._last_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error'].get('message')}")
                return answer.get("result", {})
            self.events.append(answer)

    def _receive(self, deadline, method):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self._in], [], [], left)[0]:
                raise TimeoutError(f"the browser did not answer {method}")
            chunk = os.read(self._in, 1 << 20)
            if not chunk:
                raise RuntimeError(f"the browser ended while answering {method}")
            self._buffer += chunk
        record, _, self._buffer = self._buffer.partition(b"\0")
        return json.loads(record)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the top document."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            raise RuntimeError(f"script failed: {text}\n{expression}")
        return result["result"].get("value")

    def wait_for(self, expression, what, timeout=10):
        """Polls a JavaScript expression until it is true; fails naming what
        was awaited and the expression's last value."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value is True:
                return
            if time.monotonic() > deadline:
                raise AssertionError(f"{what}: still {value!r} after {timeout} s")
            time.sleep(0.05)

    def navigate(self, url):
        """Loads url; returns the browser's error text, or None."""
        return self.call("Page.navigate", url=url).get("errorText")

    def press(self, key, code, key_code):
        """Presses and releases one key in the focused element."""
        common = {"key": key, "code": code, "windowsVirtualKeyCode": key_code, "nativeVirtualKeyCode": key_code}
        self.call("Input.dispatchKeyEvent", type="rawKeyDown", **common)
        self.call("Input.dispatchKeyEvent", type="keyUp", **common)

    def screenshot(self):
        """The page as PNG bytes."""
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])
