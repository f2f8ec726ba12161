"""Drives the real vartolik.exe under Wine on the virtual display, for end-to-end tests.

Typical use:

    from vartolik_e2e import Vartolik

    with Vartolik() as app:              # copies dist to a temp folder and starts the program
        app.click(250, 485)              # client coordinates
        box = app.wait_dialog("Choose language to search in")
        app.press(box, 131)              # the "Hindi" button
        shot = app.screenshot("after_go")  # PIL image of the client area, saved to artefacts
        app.close()                      # WM_CLOSE through Alt+F4
        assert app.wait_exit() == 0

Coordinates: the Wine prefix draws the windows' own frames (HKCU\\Software\\Wine\\X11 Driver
"Managed"="N", set by scripts/setup.sh), so X screen coordinates are the Windows screen
coordinates; the probe (tests/e2e/probe.cpp) reports the client origin with ClientToScreen,
and every click and pixel here is in client coordinates.

Environment: VARTOLIK_DIST (the dist folder), VARTOLIK_PROBE (the probe .exe), VARTOLIK_ROOT,
VARTOLIK_ARTEFACTS (screenshots go there), DISPLAY (the virtual display). The Wine variables
come from scripts/wine-env.sh unless they are set already. Nothing sleeps for long: every wait
polls with a timeout.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from PIL import Image

ERROR_CAPTION = "\u041e\u0448\u0438\u0431\u043a\u0430"  # the start-up failure boxes' caption
FONT_FILES = ("Devass03.ttf", "Devass02.ttf", "Dvdivyan.ttf", "Dvnishan.ttf")
WM_CLOSE = 0x0010
WM_DESTROY = 0x0002
WM_COMMAND = 0x0111


class E2eError(AssertionError):
    pass


def _root():
    return Path(os.environ.get("VARTOLIK_ROOT", Path(__file__).resolve().parents[2]))


def wine_environment():
    """The environment of scripts/wine-env.sh on top of ours."""
    env = dict(os.environ)
    if "WINEPREFIX" not in env:
        script = _root() / "scripts" / "wine-env.sh"
        out = subprocess.run(["bash", "-c", f'. "{script}" && env -0'], capture_output=True,
                             check=True).stdout
        for item in out.split(b"\0"):
            if b"=" in item:
                k, v = item.split(b"=", 1)
                env[k.decode()] = v.decode(errors="replace")
    return env


def poll(what, fn, timeout=20.0, interval=0.2):
    """Calls fn until it returns something true; raises E2eError after timeout seconds."""
    end = time.monotonic() + timeout
    while True:
        value = fn()
        if value:
            return value
        if time.monotonic() > end:
            raise E2eError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class Dialog:
    """A visible dialog or message box: its window handle, caption and control texts."""

    def __init__(self, hwnd, title, texts):
        self.hwnd, self.title, self.texts = hwnd, title, texts

    @property
    def text(self):
        """The longest control text: a message box's message."""
        return max(self.texts, key=len, default="")

    def __repr__(self):
        return f"Dialog({self.hwnd}, {self.title!r}, {self.texts!r})"


class TopWindow:
    """A companion program's top-level window as the probe saw it: handle, process, client
    origin on the screen, client size, window rectangle, visibility, minimised."""

    def __init__(self, fields):
        v = [int(x) for x in fields]
        self.hwnd, self.pid = v[0], v[1]
        self.origin, self.client_size = (v[2], v[3]), (v[4], v[5])
        self.window_rect = tuple(v[6:10])
        self.visible, self.iconic = v[10] == 1, v[11] == 1

    def __repr__(self):
        return (f"TopWindow({self.hwnd}, origin={self.origin}, size={self.client_size}, "
                f"visible={self.visible}, iconic={self.iconic})")


class Vartolik:
    """One run of the program in a fresh copy of the dist folder."""

    def __init__(self, remove=(), add=None, dismiss_startup_errors=True, timeout=30.0,
                 folder=None):
        """remove: file names to delete from the working copy; add: {name: bytes} to write.
        folder: run the program where it lies (an installed copy) instead of in a copy of dist.
        dismiss_startup_errors: press OK on the "Ошибка" boxes shown while the window opens
        (until the font files are in dist), record them in startup_errors and wait for the
        window; when False, start() returns at once and the caller handles the boxes and
        calls wait_window()."""
        self.dist = Path(os.environ.get("VARTOLIK_DIST", _root() / "build/windows/dist"))
        self.probe_exe = os.environ.get(
            "VARTOLIK_PROBE", str(self.dist.parent / "e2e" / "vartolik_probe.exe"))
        self.driver_exe = str(self.dist.parent / "companion-tools" / "companion_driver.exe")
        self.artefacts = Path(os.environ.get("VARTOLIK_ARTEFACTS", tempfile.gettempdir()))
        self.env = wine_environment()
        self.timeout = timeout
        self.tmp = Path(tempfile.mkdtemp(prefix="vartolik_e2e_"))
        self.workdir = Path(folder) if folder else self.tmp / "dist"
        if not folder:
            shutil.copytree(self.dist, self.workdir)
        for name in remove:
            (self.workdir / name).unlink(missing_ok=True)
        for name, data in (add or {}).items():
            (self.workdir / name).write_bytes(data)
        self.dismiss_startup_errors = dismiss_startup_errors
        self.startup_errors = []
        self.process = None
        self.hwnd = None
        self.origin = (0, 0)
        self.client_size = (0, 0)
        self.exit_code = None
        self._last_focus = 0.0

    # ---- lifetime -------------------------------------------------------------------------
    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.shutdown()
        return False

    def start(self):
        # A Wine session left from an earlier run may belong to another (gone) display; its
        # desktop process would make every new program hang. Start from a fresh one.
        self._stop_wine()
        self.process = subprocess.Popen(["wine", "vartolik.exe"], cwd=self.workdir, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Without dismissing, start-up boxes may hold the window back: the caller handles
        # them and then calls wait_window() itself.
        if self.dismiss_startup_errors:
            self._open_through_startup_errors()
        return self

    def _open_through_startup_errors(self):
        def step():
            self._check_running()
            for box in self.dialogs():
                if box.title == ERROR_CAPTION:
                    self.startup_errors.append(box.text)
                    self.press(box, 1)
                    self._wait_gone(box)
            return self._find_window()
        poll("the main window", step, self.timeout)

    def shutdown(self):
        """Ends the program if it still runs and stops the Wine session; keeps nothing."""
        if self.process and self.process.poll() is None:
            self.process.kill()
        self._stop_wine()
        if self.process:
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        shutil.rmtree(self.tmp, ignore_errors=True)

    def _stop_wine(self):
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-k"], env=self.env, **quiet)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=30, **quiet)

    def wait_exit(self, timeout=None):
        """Waits for the program to end and returns its exit code."""
        try:
            self.exit_code = self.process.wait(timeout=timeout or self.timeout)
        except subprocess.TimeoutExpired:
            raise E2eError("the program did not end") from None
        return self.exit_code

    def running(self):
        return self.process is not None and self.process.poll() is None

    def _check_running(self):
        if self.process.poll() is not None:
            raise E2eError(f"the program ended early with exit code {self.process.returncode}")

    # ---- the probe ------------------------------------------------------------------------
    # Probe commands that only look: running one again is harmless.
    _READ_ONLY_PROBES = {"window", "find", "acp", "dialogs", "rect", "checked"}

    def _run_probe(self, args):
        # Output goes through a file, not a pipe: Wine's helper processes that a probe may
        # start inherit its handles, and a pipe would stay open until they end.
        with tempfile.TemporaryFile(dir=self.tmp) as out:
            r = subprocess.run(["wine", self.probe_exe, *map(str, args)], env=self.env,
                               stdout=out, stderr=subprocess.DEVNULL, timeout=60)
            out.seek(0)
            return r.returncode, out.read().decode("ascii", errors="replace")

    def probe(self, *args, check=True):
        code, text = self._run_probe(args)
        # Now and then Wine fails to start a process at all; a look is simply taken again.
        if code != 0 and check and str(args[0]) in self._READ_ONLY_PROBES:
            time.sleep(0.5)
            code, text = self._run_probe(args)
        if check and code != 0:
            raise E2eError(f"probe {' '.join(map(str, args))} failed with {code}")
        return text

    def _find_window(self):
        out = self.probe("window", check=False).split()
        if len(out) != 11 or out[10] != "1":  # not there, or still being created
            return False
        v = [int(x) for x in out]
        self.hwnd = v[0]
        self.origin = (v[2], v[3])
        self.client_size = (v[4], v[5])
        self.window_rect = tuple(v[6:10])
        return True

    def wait_window(self, timeout=None):
        def step():
            self._check_running()
            return self._find_window()
        poll("the main window", step, timeout or self.timeout)

    def find(self, window_class):
        """The top-level window of this class (a companion program's), or None."""
        out = self.probe("find", window_class, check=False).split()
        return TopWindow(out) if len(out) == 12 else None

    def wait_top_window(self, window_class, timeout=None):
        """Waits for a visible top-level window of this class and returns it."""
        return poll(f"a window of class {window_class!r}",
                    lambda: (lambda w: w if w and w.visible else None)(self.find(window_class)),
                    timeout or self.timeout)

    def wait_top_window_gone(self, window_class, timeout=None):
        poll(f"the window of class {window_class!r} to close",
             lambda: self.find(window_class) is None, timeout or self.timeout)

    def driver(self, *args):
        """Runs the companion driver (tests/e2e/companion_driver.cpp) in this Wine session and
        returns its output; raises when it fails."""
        with tempfile.TemporaryFile(dir=self.tmp) as out:
            r = subprocess.run(["wine", self.driver_exe, *map(str, args)], env=self.env,
                               cwd=self.workdir, stdout=out, stderr=subprocess.DEVNULL,
                               timeout=60)
            out.seek(0)
            text = out.read().decode("ascii", errors="replace")
        if r.returncode != 0:
            raise E2eError(f"companion driver {' '.join(map(str, args))} failed with "
                           f"{r.returncode}")
        return text

    def dialogs(self):
        """Every visible dialog and message box."""
        result = []
        for line in self.probe("dialogs").splitlines():
            parts = line.split("\t")
            if not parts or not parts[0].strip():
                continue
            decode = lambda h: bytes.fromhex(h).decode("cp1251", errors="replace")
            result.append(Dialog(int(parts[0]), decode(parts[1]), [decode(p) for p in parts[2:]]))
        return result

    def wait_dialog(self, title, timeout=None):
        """The first visible dialog or message box with this caption, waiting for it."""
        def step():
            return next((d for d in self.dialogs() if d.title == title), None)
        return poll(f'a box titled "{title}"', step, timeout or self.timeout)

    def no_dialog(self, title, settle=1.0):
        """True when no box with this caption shows up within `settle` seconds."""
        end = time.monotonic() + settle
        while time.monotonic() < end:
            if any(d.title == title for d in self.dialogs()):
                return False
            time.sleep(0.2)
        return True

    def press(self, dialog, control_id=1):
        """Clicks a control of a dialog (1 is a message box's OK)."""
        self.probe("press", dialog.hwnd, control_id)

    def dismiss(self, title, control_id=1, timeout=None):
        """Waits for a box with this caption, presses its control, waits until it is gone."""
        box = self.wait_dialog(title, timeout)
        self.press(box, control_id)
        self._wait_gone(box)
        return box

    def _wait_gone(self, box):
        poll(f"box {box.title!r} to close",
             lambda: all(d.hwnd != box.hwnd for d in self.dialogs()), 10)

    def click_control(self, dialog, control_id):
        """Clicks a dialog's control with the mouse, in its middle, as a person does."""
        left, top, right, bottom = map(int, self.probe("rect", dialog.hwnd, control_id).split())
        self.move_to((left + right) // 2, (top + bottom) // 2, "click", 1)

    def checked(self, dialog, control_id):
        return self.probe("checked", dialog.hwnd, control_id).strip() == "1"

    def send(self, message, wparam=0, lparam=0, hwnd=0):
        """SendMessage to the main window (or hwnd); returns the result."""
        return int(self.probe("send", hwnd, message, wparam, lparam).strip() or 0)

    def post(self, message, wparam=0, lparam=0, hwnd=0):
        self.probe("post", hwnd, message, wparam, lparam)

    def type_bytes(self, data):
        """Delivers each byte as a WM_CHAR to the main window, each handled before the next.
        For Windows-1251 text, which xdotool cannot type into Wine on the virtual display."""
        if data:
            self.probe("chars", 0, bytes(data).hex())

    def type_russian(self, text):
        self.type_bytes(text.encode("cp1251"))

    def command(self, identifier):
        """Posts WM_COMMAND with a menu command identifier, as the menu would."""
        self.post(WM_COMMAND, identifier, 0)

    # ---- mouse and keyboard ---------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def move_to(self, sx, sy, *then):
        """Moves the pointer to screen (sx, sy), waiting until it is there, then runs the
        further xdotool commands `then` (e.g. "click", 1). The pointer first steps one pixel
        aside: a synchronous move to where the pointer already is would wait for a motion
        that never comes."""
        self.xdotool("mousemove", sx + 1, sy, "mousemove", "--sync", sx, sy, *then)

    def screen_point(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def click_screen(self, sx, sy, button=1):
        """Press and release at screen (sx, sy): for other programs' windows."""
        self.move_to(sx, sy, "click", button)

    def click(self, x, y, button=1):
        """Press and release at client (x, y)."""
        sx, sy = self.screen_point(x, y)
        self.move_to(sx, sy, "click", button)

    def mouse_down(self, x, y, button=1):
        sx, sy = self.screen_point(x, y)
        self.move_to(sx, sy, "mousedown", button)

    def mouse_up(self, button=1):
        self.xdotool("mouseup", button)

    def focus(self):
        """Gives the main window the keyboard focus (clicking its caption bar). Two of these
        clicks within the double-click time would maximise the window, so a second one
        waits until that time has passed."""
        wait = self._last_focus + 0.6 - time.monotonic()
        if wait > 0:
            time.sleep(wait)
        left, top, right, _ = self.window_rect
        self.click_screen((left + right) // 2, top + 8)
        self._last_focus = time.monotonic()

    def key(self, *keys):
        """X key names, e.g. "Return", "F1", "alt+F4", "Page_Down"."""
        self.xdotool("key", "--delay", 60, *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", 60, text)

    def close(self):
        """Closes the window the way a user does: Alt+F4, which Wine turns into WM_CLOSE."""
        self.focus()
        self.key("alt+F4")

    # ---- pixels ---------------------------------------------------------------------------
    def screenshot(self, name=None, window=None):
        """The client area as a PIL RGB image; also saved as artefacts/<name>.png. window: a
        TopWindow whose client area to take instead of the main window's."""
        path = self.tmp / "screen.png"
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True,
                       capture_output=True)
        screen = Image.open(path).convert("RGB")
        x, y = window.origin if window else self.origin
        w, h = window.client_size if window else self.client_size
        client = screen.crop((x, y, x + w, y + h))
        if name:
            self.artefacts.mkdir(parents=True, exist_ok=True)
            screen.save(self.artefacts / f"{name}_screen.png")
            client.save(self.artefacts / f"{name}.png")
        return client

    def wait_pixel(self, x, y, rgb, timeout=10.0):
        """Waits until the client pixel (x, y) has the colour rgb; returns the screenshot."""
        def step():
            shot = self.screenshot()
            return shot if shot.getpixel((x, y)) == tuple(rgb) else None
        return poll(f"pixel ({x}, {y}) to become {rgb}", step, timeout, 0.3)


FACE, HIGHLIGHT, SHADOW = (200, 200, 200), (250, 250, 250), (16, 16, 16)


def frame_look(shot, box):
    """"raised", "sunken" or None for the 3-D frame (left, top, right, bottom) in a shot."""
    left, top, right, bottom = box
    corners = shot.getpixel((left + 1, top + 1)), shot.getpixel((right - 1, bottom - 1))
    return {(HIGHLIGHT, SHADOW): "raised", (SHADOW, HIGHLIGHT): "sunken"}.get(corners)


def expected_result_file(dictionary, query, mode):
    """The bytes of f2.tc that a search of `dictionary` (bytes) for `query` (bytes) under
    match mode 0-3 must write: every line holding one of the first 100 accepted matches, in
    file order, once each, with CR LF. Computed by the dictionary tools in data/, which share
    no code with the program."""
    sys.path.insert(0, str(_root() / "data"))
    import expected_hits
    found, lines = expected_hits.search(dictionary, query, mode)
    return b"".join(lines[i] + b"\r\n" for i in sorted(set(found)))


def colorref(value):
    """A Windows COLORREF (0x00BBGGRR) as an (r, g, b) tuple."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


def run_tests(tests):
    """Runs test functions in order, each reported; exits 1 when any failed."""
    failed = 0
    for test in tests:
        name = test.__name__
        try:
            test()
            print(f"PASS {name}")
        except Exception as e:  # report every kind of failure and go on with the next test
            failed += 1
            print(f"FAIL {name}: {type(e).__name__}: {e}")
    sys.exit(1 if failed else 0)
