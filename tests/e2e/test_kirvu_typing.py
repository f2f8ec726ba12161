"""kirvu.exe under Wine: clicks on its keys, its code panel and its buttons reach the
dictionary's main window (found by its class "My Window") as the right character and key
messages; without a dictionary it says so. The dictionary is stood in for by a recorder
window of that class, so the bytes that arrive can be compared one by one."""

import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import poll  # noqa: E402

DIST = os.environ.get("VARTOLIK_DIST", "build/windows/dist")
ARTEFACTS = os.environ.get("VARTOLIK_ARTEFACTS", tempfile.gettempdir())
DRIVER = os.path.join(os.path.dirname(os.path.abspath(DIST)), "companion-tools", "companion_driver.exe")


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def driver(*args, timeout=60):
    return subprocess.run(["wine", DRIVER] + list(args), capture_output=True, text=True,
                          timeout=timeout, cwd=DIST)


def window_exists(window_class):
    """True when the probe finds a top-level window of this class."""
    probe = os.environ.get("VARTOLIK_PROBE", os.path.join(os.path.dirname(DRIVER), "..", "e2e",
                                                          "vartolik_probe.exe"))
    with tempfile.TemporaryFile() as out:  # a file: Wine's helpers would hold a pipe open
        subprocess.run(["wine", probe, "find", window_class], stdout=out,
                       stderr=subprocess.DEVNULL, timeout=60)
        out.seek(0)
        return len(out.read().split()) == 12


def recorded(path):
    with open(path) as f:
        return [line.strip() for line in f if line.strip()]


def screenshot(name):
    if os.environ.get("DISPLAY"):
        os.makedirs(ARTEFACTS, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(ARTEFACTS, name)],
                       capture_output=True, timeout=60)


class KeyboardSupport(unittest.TestCase):
    def start_kirvu(self):
        kirvu = subprocess.Popen(["wine", "kirvu.exe"], cwd=DIST, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (driver("close"), kirvu.wait(timeout=60)))
        return kirvu

    def test_clicks_type_into_the_dictionary_window(self):
        out = tempfile.NamedTemporaryFile(suffix=".txt", delete=False).name
        self.addCleanup(os.remove, out)
        recorder = subprocess.Popen(["wine", DRIVER, "record", winpath(out), "30"], cwd=DIST,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        poll("the recorder window", lambda: window_exists("My Window"), 30, 0.5)
        self.start_kirvu()
        # A plain and a shifted key half, panel codes from both ends and the double danda,
        # the space bar, Backspace and Enter.
        tokens = ["6B", "4B", "80", "98", "BF", "7F", "20", "back", "enter"]
        run = driver("click", *tokens)
        self.assertEqual(run.returncode, 0, run.stderr)
        expected = ["6B", "4B", "80", "98", "BF", "7F", "20", "K08", "0D"]
        try:
            poll("the recorded bytes", lambda: len(recorded(out)) >= len(expected), 20, 0.5)
        finally:
            screenshot("kirvu_typing.png")
            driver("close")
            recorder.kill()
            recorder.wait(timeout=60)
        self.assertEqual(recorded(out), expected)

    def test_without_a_dictionary_it_says_so(self):
        self.start_kirvu()
        run = driver("click", "6B")  # waits for the keyboard support window itself
        self.assertEqual(run.returncode, 0, run.stderr)
        message = poll("kirvu's message box",
                       lambda: (lambda m: m if m.returncode == 0 else None)(driver("message")),
                       20, 0.5)
        text = bytes.fromhex(message.stdout.strip()).decode("cp1251")
        self.assertIn("vartolik.exe", text)
        self.assertIn("Hindi", text)


if __name__ == "__main__":
    unittest.main(verbosity=2)
