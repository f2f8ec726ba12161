"""lemora1.exe under Wine, started alone in a working folder: with teacher lists it shows the
first Hindi word in the Devanagari face and leaves the lists untouched; with no lists it
explains how to fill them. Checked on screenshots of the virtual display."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

DIST = os.environ.get("VARTOLIK_DIST", "build/windows/dist")
ROOT = os.environ.get("VARTOLIK_ROOT", ".")
ARTEFACTS = os.environ.get("VARTOLIK_ARTEFACTS", tempfile.gettempdir())
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import hindi_codec  # noqa: E402
from PIL import Image  # noqa: E402

WORDS = [("कमल", "лотос"), ("पानी", "вода"), ("घर", "дом")]


def run_lemora(folder, shot):
    """Starts lemora1.exe in folder, screenshots the display, then ends it."""
    for name in ("lemora1.exe", "Devass02.ttf", "Devass03.ttf", "Dvdivyan.ttf", "Dvnishan.ttf"):
        shutil.copy(os.path.join(DIST, name), folder)
    proc = subprocess.Popen(["wine", "lemora1.exe"], cwd=folder, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(6)
        os.makedirs(ARTEFACTS, exist_ok=True)
        path = os.path.join(ARTEFACTS, shot)
        subprocess.run(["import", "-window", "root", path], check=True, timeout=60)
        return Image.open(path).convert("RGB")
    finally:
        subprocess.run(["wineserver", "-k"], capture_output=True)
        proc.wait(timeout=60)


def count(image, test):
    return sum(1 for p in image.getdata() if test(p))


def green_ink(p):  # the Hindi word's colour, antialiased
    r, g, b = p
    return g > r + 40 and g > b + 40


def dark(p):
    return sum(p) < 200


@unittest.skipUnless(os.environ.get("DISPLAY"), "needs a display (run under xvfb-run)")
class Lemora(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="lemora-e2e-")
        self.addCleanup(shutil.rmtree, self.folder, True)

    def test_shows_saved_pairs_and_leaves_the_lists_alone(self):
        hin = b"".join(hindi_codec.to_codes(h) + b"\r\n" for h, _ in WORDS)
        rus = b"".join(r.encode("cp1251") + b"\r\n" for _, r in WORDS)
        for name, data in (("hin.tea", hin), ("rus.tea", rus)):
            with open(os.path.join(self.folder, name), "wb") as f:
                f.write(data)
        shot = run_lemora(self.folder, "lemora_with_lists.png")
        self.assertGreater(count(shot, green_ink), 300, "no Hindi word on the screen")
        for name, data in (("hin.tea", hin), ("rus.tea", rus)):
            with open(os.path.join(self.folder, name), "rb") as f:
                self.assertEqual(f.read(), data, name + " was changed")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "lemora.dat")),
                         "progress is written only after an answer")

    def test_without_lists_explains_how_to_fill_them(self):
        shot = run_lemora(self.folder, "lemora_without_lists.png")
        self.assertEqual(count(shot, green_ink), 0)
        self.assertGreater(count(shot, dark), 2000, "no explanation on the screen")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "hin.tea")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
