"""scripts/wine-run.sh with a stand-in wine on the PATH: a run Wine fails to start (an error
status and no output, or only a wine client error) is run once more; a program's own failure,
which says something, is not."""
import os
import subprocess
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RUNNER = os.path.join(ROOT, "scripts", "wine-run.sh")

# The stand-in: its first run does what FIRST says, every later run prints "ran" and exits 0.
WINE = """#!/bin/sh
n=$(cat "$RUNS" 2>/dev/null || echo 0); echo $((n + 1)) > "$RUNS"
if [ "$n" -eq 0 ]; then %s; fi
echo ran
"""


class Retry(unittest.TestCase):
    def test_only_wines_own_failures_run_again(self):
        # (what the first run does, runs expected, exit status, stdout)
        cases = [
            ("exit 5", 2, 0, "ran\n"),                                   # nothing at all
            ("echo 'wine client error:0: recvmsg' >&2; exit 1", 2, 0, "ran\n"),
            ("echo 'cannot open' >&2; exit 2", 1, 2, ""),                 # the program's own
            ("echo failed; exit 1", 1, 1, "failed\n"),
            ("echo ok; exit 0", 1, 0, "ok\n"),
        ]
        for first, runs, status, out in cases:
            with self.subTest(first=first), tempfile.TemporaryDirectory() as d:
                with open(os.path.join(d, "wine"), "w") as f:
                    f.write(WINE % first)
                os.chmod(os.path.join(d, "wine"), 0o755)
                env = dict(os.environ, PATH=d + os.pathsep + os.environ["PATH"],
                           RUNS=os.path.join(d, "runs"), DISPLAY=":0",
                           VARTOLIK_WINEPREFIX=d)
                done = subprocess.run([RUNNER, "program.exe"], env=env, capture_output=True,
                                      text=True)
                with open(env["RUNS"]) as f:
                    self.assertEqual(int(f.read()), runs)
                self.assertEqual((done.returncode, done.stdout), (status, out))


if __name__ == "__main__":
    unittest.main()
