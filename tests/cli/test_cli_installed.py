"""`cmake --install` of a native build into a scratch prefix: the installed vartolik-cli finds
the installed dictionary from a folder that has none and leaves that folder alone."""
import os
import subprocess
import sys
import tempfile
import unittest

BUILD = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.environ["VARTOLIK_BUILD"]
CMAKE = sys.argv.pop(1) if len(sys.argv) > 1 else "cmake"


class Installed(unittest.TestCase):
    def test_installed_cli_finds_its_dictionary_from_any_folder(self):
        with tempfile.TemporaryDirectory() as tmp:
            prefix = os.path.join(tmp, "prefix")
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True,
                           capture_output=True)
            cli = os.path.join(prefix, "bin", "vartolik-cli")
            installed = os.path.join(prefix, "share", "vartolik", "dictiona.dat")
            with open(installed, "rb") as f:
                lines = f.read().count(b"\n")
            elsewhere = os.path.join(tmp, "elsewhere")
            os.mkdir(elsewhere)
            p = subprocess.run([cli, "count"], cwd=elsewhere, capture_output=True, text=True)
            self.assertEqual((p.returncode, p.stdout),
                             (0, f"Found {lines} words in data file of dictionary\n"), p.stderr)
            p = subprocess.run([cli, "search", "дом"], cwd=elsewhere, capture_output=True)
            self.assertEqual(p.returncode, 0, p.stderr)
            first = p.stdout.decode("utf-8").splitlines()[0]
            self.assertRegex(first, r"^Dictionary has found [1-9]\d* words for you$")
            self.assertEqual(os.listdir(elsewhere), [])  # no f2.tc beside the user's files


if __name__ == "__main__":
    unittest.main()
