"""End to end: the real program on a virtual display, from the intro screen through GO and
the language dialog to the dictionary screen. Screenshots go to VARTOLIK_ARTEFACTS."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image

DIST = os.environ["VARTOLIK_DIST"]
PROBE = os.environ["VARTOLIK_PROBE"]
ARTEFACTS = os.environ.get("VARTOLIK_ARTEFACTS", tempfile.gettempdir())

WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CLOSE = 0x201, 0x202, 0x10
IDC_LANG_HINDI = 131

FACE = (200, 200, 200)
HIGHLIGHT = (250, 250, 250)
SHADOW = (16, 16, 16)
QUERY_FIELD = (200, 200, 100)
HINDI = (20, 100, 20)
RUSSIAN = (100, 20, 20)
LABEL = (10, 10, 60)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def probe(*args):
    # Output through a file: wineserver, when started by this call, inherits and keeps open
    # any pipe handed to it.
    with tempfile.TemporaryFile(mode="w+") as out:
        code = subprocess.run(["wine", PROBE, *map(str, args)], stdout=out,
                              stderr=subprocess.DEVNULL, timeout=60).returncode
        out.seek(0)
        return code, out.read()


def wait_for(what, timeout=60):
    end = time.time() + timeout
    while time.time() < end:
        value = what()
        if value:
            return value
        time.sleep(0.5)
    return None


def main_window():
    code, out = probe("window")
    if code != 0 or not out.strip():
        return None
    v = list(map(int, out.split()))
    return {"hwnd": v[0], "x": v[2], "y": v[3], "w": v[4], "h": v[5]}


def dialogs():
    code, out = probe("dialogs")
    return [line.split("\t") for line in out.splitlines() if line.strip()]


def screenshot(window, name):
    path = os.path.join(ARTEFACTS, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True, timeout=60)
    shot = Image.open(path).convert("RGB")
    client = shot.crop((window["x"], window["y"], window["x"] + window["w"],
                        window["y"] + window["h"]))
    client.save(os.path.join(ARTEFACTS, name + "_client.png"))
    return client


def close(a, b, tolerance=30):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def count(img, box, colour, tolerance=30):
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom) for x in range(left, right)
               if close(img.getpixel((x, y)), colour, tolerance))


def click(x, y):
    lparam = (y << 16) | x
    probe("post", 0, WM_LBUTTONDOWN, 1, lparam)
    probe("post", 0, WM_LBUTTONUP, 0, lparam)


def run(work):
    program = subprocess.Popen(["wine", "vartolik.exe"], cwd=work, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window = wait_for(main_window)
        if not window:
            check(False, "the main window did not open")
            return
        # Font-file messages at start would sit in front; none may show up while the screen
        # settles (looked for repeatedly, not once after a pause).
        box = wait_for(dialogs, timeout=2)
        check(not box, "no message box at start")
        screenshot(window, "e2e_intro")

        click(246, 486)  # GO
        language = wait_for(dialogs)
        check(bool(language), "GO opens the language dialog")
        if not language:
            return
        behind = wait_for(lambda: (lambda i: i if i.getpixel((1, 1)) == HIGHLIGHT else None)(
            screenshot(window, "e2e_language_dialog")), 30)
        if behind is None:
            behind = screenshot(window, "e2e_language_dialog")
        w, h = window["w"], window["h"]
        # The dictionary screen is painted behind the dialog: outer frame, query field.
        check(behind.getpixel((1, 1)) == HIGHLIGHT, "dictionary screen behind the dialog")
        check(count(behind, (14, 54, 40, 71), QUERY_FIELD, 5) > 50,
              "query field behind the dialog")
        check(count(behind, (15, 54, 150, 71), LABEL, 40) > 10,
              "the previous query is still shown behind the dialog")

        probe("press", language[0][0], IDC_LANG_HINDI)
        check(wait_for(lambda: not dialogs() or None, 30) is not None, "the dialog closes")
        window = main_window()
        # The screen reaches the display a little after the dialog has gone: look again
        # until the header shows the chosen language.
        img = wait_for(lambda: (lambda i: i if count(i, (133, 26, 200, 46), HINDI) > 10
                                else None)(screenshot(window, "e2e_dictionary_screen")), 30)
        if img is None:
            img = screenshot(window, "e2e_dictionary_screen")
        w, h = window["w"], window["h"]
        check(img.getpixel((1, 1)) == HIGHLIGHT, "raised outer frame")
        check(img.getpixel((6, 6)) == SHADOW, "header picture frame")
        check(count(img, (133, 26, 200, 46), HINDI, 30) > 10, "current language Hindi")
        check(count(img, (133, 26, 200, 46), RUSSIAN, 30) == 0, "no Russian name")
        check(count(img, (w - 58, 27, w - 11, 46), RUSSIAN, 30) > 5,
              "language button names Russian")
        # The query was emptied: the field holds the caret and no text.
        check(img.getpixel((15, 60)) == SHADOW, "caret at the start of the field")
        check(count(img, (20, 54, w - 104, 71), QUERY_FIELD, 5) >= (w - 124) * 17 - 5,
              "empty query field")
        # Pane: the canvas prompt, framed by the sunken results pane.
        check(img.getpixel((6, 130)) == SHADOW, "sunken results pane")
        pane = img.crop((8, 132, w - 8, h - 61))
        check(len(set(pane.getdata())) > 20, "canvas picture in the pane")
        check(img.getpixel((w - 99, h - 30)) == HIGHLIGHT, "Wait button")
    finally:
        if main_window():
            probe("post", 0, WM_CLOSE, 0, 0)
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            program.kill()


def main():
    os.makedirs(ARTEFACTS, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name in os.listdir(DIST):
            source = os.path.join(DIST, name)
            if os.path.isfile(source):
                shutil.copy(source, work)
        run(work)
    if failures:
        print(f"{len(failures)} checks failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
