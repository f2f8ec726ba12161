"""lemora1.exe under Wine, started alone in a working folder: with teacher lists it shows the
first Hindi word in the Devanagari face and leaves the lists untouched; with no lists it
explains how to fill them. Checked on screenshots of lemora's own window."""

import os
import subprocess
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import Vartolik, poll  # noqa: E402

ROOT = os.environ.get("VARTOLIK_ROOT", str(Path(__file__).resolve().parents[2]))
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import hindi_codec  # noqa: E402

WORDS = [("कमल", "лотос"), ("पानी", "вода"), ("घर", "дом")]
LEMORA = "Vartolik Lemora"


def run_lemora(lists, shot, drawn):
    """Starts lemora1.exe in a copy of the dist folder holding `lists` ({name: bytes}), waits
    for its window and until `drawn(screenshot of that window)` holds; returns the shot and
    the folder's files as they are then."""
    names = ("hin.tea", "rus.tea", "hintea.bak", "rustea.bak", "lemora.dat")
    app = Vartolik(remove=names, add=lists)
    try:
        app._stop_wine()
        app.process = subprocess.Popen(["wine", "lemora1.exe"], cwd=app.workdir, env=app.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = app.wait_top_window(LEMORA)
        image = poll("lemora's drawing", lambda: (lambda s: s if drawn(s) else None)(
            app.screenshot(window=window)), 20, 0.5)
        app.artefacts.mkdir(parents=True, exist_ok=True)
        image.save(app.artefacts / shot)
        files = {n: (app.workdir / n).read_bytes() for n in names if (app.workdir / n).exists()}
        return image, files
    finally:
        app.shutdown()


def count(image, test):
    return sum(1 for p in image.getdata() if test(p))


def green_ink(p):  # the Hindi word's colour, antialiased
    r, g, b = p
    return g > r + 40 and g > b + 40


def dark(p):
    return sum(p) < 200


@unittest.skipUnless(os.environ.get("DISPLAY"), "needs a display (run under xvfb-run)")
class Lemora(unittest.TestCase):
    def test_shows_saved_pairs_and_leaves_the_lists_alone(self):
        hin = b"".join(hindi_codec.to_codes(h) + b"\r\n" for h, _ in WORDS)
        rus = b"".join(r.encode("cp1251") + b"\r\n" for _, r in WORDS)
        lists = {"hin.tea": hin, "rus.tea": rus}
        shot, files = run_lemora(lists, "lemora_with_lists.png",
                                 lambda s: count(s, green_ink) > 300)
        self.assertEqual({n: files.get(n) for n in lists}, lists, "a list was changed")
        self.assertNotIn("lemora.dat", files, "progress is written only after an answer")

    def test_without_lists_explains_how_to_fill_them(self):
        shot, files = run_lemora({}, "lemora_without_lists.png",
                                 lambda s: count(s, dark) > 1000)
        self.assertEqual(count(shot, green_ink), 0)
        self.assertNotIn("hin.tea", files)


if __name__ == "__main__":
    unittest.main(verbosity=2)
