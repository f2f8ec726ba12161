"""vartolik-cli encode, decode and Devanagari searches, checked against the Python codec that
the dictionary build uses."""
import os
import subprocess
import sys
import tempfile
import unittest

CLI = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.environ["VARTOLIK_CLI"]
RUNNER = os.environ.get("VARTOLIK_CLI_RUNNER", "").split()  # scripts/wine-run.sh for the .exe
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import hindi_codec as hc  # noqa: E402

# A dictionary source in UTF-8: headword, transliteration in a note, Russian.
SOURCE = ("घर (ghar) дом, жилище\n"
          "प्रेम (prem) любовь\n"
          "किताब (kitab) книга\n"
          "धर्म (dharm) религия, долг\n"
          "रूस (rus) Россия\n")


def run(args, data=b"", folder=None):
    p = subprocess.run([*RUNNER, CLI, *args], input=data, capture_output=True, cwd=folder)
    return p.returncode, p.stdout, p.stderr.decode("utf-8", "replace")


class EncodeDecode(unittest.TestCase):
    def test_encode_matches_python_and_decode_restores(self):
        code, out, err = run(["encode"], SOURCE.encode("utf-8"))
        self.assertEqual(code, 0, err)
        expected = b"".join(hc.encode_line(l) + b"\n" for l in SOURCE.splitlines())
        self.assertEqual(out, expected)
        self.assertTrue(out.startswith(b"Gr (ghar) \xe4\xee\xec,"))  # घर as G r
        code, back, err = run(["decode"], out)
        self.assertEqual(code, 0, err)
        self.assertEqual(back.decode("utf-8"), SOURCE)
        self.assertEqual(back.decode("utf-8"), hc.decode_line(out))

    def test_decode_reads_tokens_like_the_result_list(self):
        cases = [
            # Latin letters in a note stay Latin; after the note they are Hindi again
            (b"kml (kamal) \xeb\xee\xf2\xee\xf1 kml\r\n", "कमल (kamal) лотос कमल\r\n"),
            # a token turns Hindi on any Hindi code; digits alone stay digits
            (b"k 12 a1 \xc0\n", "क 12 ा1 А\n"),
            # the first token of every line is the headword, even after a note left open
            (b"k (open\nm x", "क (open\nम ष"),
        ]
        for data, text in cases:
            code, out, _ = run(["decode"], data)
            self.assertEqual(out.decode("utf-8"), text, data)
            self.assertEqual(hc.decode_line(data), text, data)

    def test_refusal_names_line_and_character_and_stops_there(self):
        # encode streams: the lines before the refused one are out, nothing after it
        code, out, err = run(["encode"], "घर дом\nकळ x\nघर\n".encode("utf-8"))
        self.assertEqual(code, 2)
        self.assertEqual(out, hc.encode_line("घर дом") + b"\n")
        self.assertIn("line 2, character 1 (U+0933", err)
        code, out, err = run(["encode"], b"ok\n\xff\n")
        self.assertEqual(code, 2)
        self.assertEqual(out, b"ok\n")
        self.assertIn("line 2, character 0", err)
        self.assertIn("not valid UTF-8", err)


class DevanagariSearch(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        code, data, err = run(["encode"], SOURCE.replace("\n", "\r\n").encode("utf-8"))
        assert code == 0, err
        with open(os.path.join(self.folder, "dictiona.dat"), "wb") as f:
            f.write(data)

    def tearDown(self):
        self.dir.cleanup()

    def test_devanagari_query_finds_and_prints_unicode(self):
        cases = [
            ("प्रेम", ["प्रेम (prem) любовь"]),
            ("र्म", ["धर्म (dharm) религия, долг"]),   # reph is a code of its own
            ("रूस", ["रूस (rus) Россия"]),
            ("कि", ["किताब (kitab) книга"]),            # i sign stands before the consonant
            ("дом", ["घर (ghar) дом, жилище"]),
        ]
        for query, lines in cases:
            code, out, err = run(["search", query], folder=self.folder)
            self.assertEqual(code, 0, (query, err))
            self.assertEqual(out.decode("utf-8").splitlines(),
                             ["Dictionary has found %d words for you" % len(lines)] + lines, query)

    def test_query_without_glyphs_is_refused(self):
        code, out, err = run(["search", "ळ"], folder=self.folder)
        self.assertEqual(code, 2)
        self.assertIn("U+0933", err)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "f2.tc")))


if __name__ == "__main__":
    unittest.main()
