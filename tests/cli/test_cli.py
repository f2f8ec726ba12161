"""vartolik-cli run in a scratch folder: exit codes, output, and the files it leaves."""
import os
import subprocess
import sys
import tempfile
import unittest

CLI = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.environ["VARTOLIK_CLI"]

DICTIONARY = ("Gar (ghar) дом, жилище\r\n"
              "kama (kam) работа, дело\r\n"
              "baat (bat) слово, дело\r\n").encode("cp1251")


# The headwords are Hindi font codes; the printed lines show them as Devanagari.
SHOWN = {"Gar": "\u0918\u093e\u0930", "kama": "\u0915\u093e\u092e\u093e",
         "baat": "\u092c\u093e\u093e\u0924"}


def shown(line):
    head, _, rest = line.partition(" ")
    return SHOWN[head] + " " + rest


def run(folder, *args):
    p = subprocess.run([CLI, *args], cwd=folder, capture_output=True)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


class Search(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        with open(os.path.join(self.folder, "dictiona.dat"), "wb") as f:
            f.write(DICTIONARY)

    def tearDown(self):
        self.dir.cleanup()

    def result_file(self):
        with open(os.path.join(self.folder, "f2.tc"), "rb") as f:
            return f.read()

    def test_modes_by_every_name(self):
        # "дело" ends both second and third lines; "дел" is a word start only.
        cases = [
            (["дел"], 2, ["kama (kam) работа, дело", "baat (bat) слово, дело"]),
            (["--mode", "whole-word", "дел"], 0, []),
            (["--mode", "Exact", "дело"], 2, ["kama (kam) работа, дело", "baat (bat) слово, дело"]),
            (["--mode", "3", "дом"], 1, ["Gar (ghar) дом, жилище"]),
            (["--mode", "word-start", "лов"], 0, []),
            (["--mode", "RightAppend", "сл"], 1, ["baat (bat) слово, дело"]),
            (["--mode", "word-end", "бот"], 0, []),
            (["--mode", "2", "бота"], 1, ["kama (kam) работа, дело"]),
            # Phonetic: Latin, Devanagari or Russian that sounds like the entry, inflected or not
            (["--mode", "phonetic", "ghar"], 1, ["Gar (ghar) дом, жилище"]),
            (["--mode", "Phonetic", "GHAAR"], 1, ["Gar (ghar) дом, жилище"]),
            (["--mode", "4", "घर"], 1, ["Gar (ghar) дом, жилище"]),
            (["--mode", "phonetic", "ДОМА"], 1, ["Gar (ghar) дом, жилище"]),
            (["--mode", "phonetic", "делами"], 2, ["kama (kam) работа, дело", "baat (bat) слово, дело"]),
            (["--mode", "phonetic", "kaamon"], 1, ["kama (kam) работа, дело"]),
            (["--mode", "phonetic", "bat"], 1, ["baat (bat) слово, дело"]),
            (["--mode", "phonetic", "kam*"], 1, ["kama (kam) работа, дело"]),
            (["--raw", "--mode", "phonetic", "Gar"], 1, ["Gar (ghar) дом, жилище"]),
            (["--raw", "--mode", "phonetic", "gr"], 0, []),
            (["--mode", "phonetic", "жилищный"], 0, []),
            (["--mode", "phonetic", "kitab"], 0, []),
            (["--raw", "kam"], 2, ["kama (kam) работа, дело"]),
            (["--", "-"], 0, []),
            (["д" * 32], 0, []),  # 64 bytes of UTF-8 but 32 in the dictionary's code page
        ]
        for args, found, lines in cases:
            code, out, err = run(self.folder, "search", *args)
            self.assertEqual(code, 0, (args, err))
            self.assertEqual(out.splitlines(), [f"Dictionary has found {found} words for you"]
                             + [shown(l) for l in lines], args)
            expected = "".join(l + "\r\n" for l in lines).encode("cp1251")
            self.assertEqual(self.result_file(), expected, args)

    def test_raw_takes_bytes_as_they_are(self):
        code, out, _ = run(self.folder, "search", "--raw", "д".encode("cp1251"))
        self.assertEqual(code, 0)
        self.assertTrue(out.startswith("Dictionary has found 3 words for you"))

    def test_refusals_change_nothing(self):
        with open(os.path.join(self.folder, "f2.tc"), "wb") as f:
            f.write(b"previous\r\n")
        cases = [
            (["search", "a" * 33], "33 bytes"),
            (["search", "д" * 33], "33 bytes"),  # counted in Windows-1251 bytes
            (["search", "中"], "U+4E2D"),
            (["search", "--mode", "fuzzy", "a"], "unknown mode"),
            (["search"], "no query"),
            (["search", "a", "b"], "one query"),
            (["nonsense"], "unknown command"),
        ]
        for args, message in cases:
            code, out, err = run(self.folder, *args)
            self.assertEqual(code, 2, args)
            self.assertIn(message, err, args)
            self.assertEqual(self.result_file(), b"previous\r\n", args)

    def test_missing_dictionary(self):
        os.remove(os.path.join(self.folder, "dictiona.dat"))
        with open(os.path.join(self.folder, "f2.tc"), "wb") as f:
            f.write(b"previous\r\n")
        code, out, err = run(self.folder, "search", "дом")
        self.assertEqual((code, out, err.strip()), (2, "", 'Can not find "dictiona.dat"'))
        self.assertEqual(self.result_file(), b"previous\r\n")
        code, out, err = run(self.folder, "count")
        self.assertEqual((code, out), (2, ""))
        self.assertIn("dictiona.dat", err)

    def test_count(self):
        code, out, _ = run(self.folder, "count")
        self.assertEqual((code, out), (0, "Found 3 words in data file of dictionary\n"))

    def test_help(self):
        for args in (["--help"], ["search", "--help"], ["count", "--help"]):
            code, out, _ = run(self.folder, *args)
            self.assertEqual(code, 0, args)
            self.assertIn("usage: vartolik-cli", out)
        self.assertIn("example", run(self.folder, "search", "--help")[1])


class TeacherExport(unittest.TestCase):
    """The teacher lists out to flashcard programs: byte-exact UTF-8 lines, the lists untouched."""
    HEADER = "#separator:tab\n#columns:Hindi\tRussian\tTransliteration\tTranslation\n"

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        self.write("dictiona.dat", DICTIONARY + "kama (kaam) дело; работа\r\n".encode("cp1251"))

    def tearDown(self):
        self.dir.cleanup()

    def write(self, name, data):
        with open(os.path.join(self.folder, name), "wb") as f:
            f.write(data)

    def lists(self, hindi, russian):
        # hin.tea holds face codes, rus.tea the queries as typed (Russian, or Hindi codes).
        if hindi is not None:
            self.write("hin.tea", b"".join(w + b"\r\n" for w in hindi))
        if russian is not None:
            self.write("rus.tea", b"".join(w + b"\r\n" for w in russian))

    def unchanged(self):
        for name in ("hin.tea", "rus.tea"):
            path = os.path.join(self.folder, name)
            if os.path.exists(path):
                with open(path, "rb") as f:
                    self.assertEqual(f.read(), self.saved[name], name)

    def test_cases(self):
        rows = (SHOWN["Gar"] + "\tдом\tghar\tдом\n"
                + SHOWN["kama"] + "\tработа\tkam\tработа\n"      # the first of two lines
                + "\u0932\u093e\tслово\t\t\n"                      # not in the dictionary
                + SHOWN["baat"] + "\t" + SHOWN["Gar"] + "\tbat\tслово\n")  # a Hindi query
        hindi = [b"Gar", b"kama", b"la", b"baat"]
        russian = [w.encode("cp1251") for w in ("дом", "работа", "слово")] + [b"Gar"]
        cases = [
            ("aligned", hindi, russian, [], 0, self.HEADER + rows, ""),
            ("misaligned", hindi + [b"Gar"], russian, [], 1, self.HEADER + rows,
             "hin.tea has 5 lines and rus.tea 4"),
            ("to a file", hindi[:1], russian[:1], ["--out", "cards.txt"], 0, "",
             ""),
            ("no rus.tea", hindi, None, [], 2, "", 'Can not find "rus.tea"'),
            ("no hin.tea", None, russian, [], 2, "", 'Can not find "hin.tea"'),
            ("no dictionary", hindi, russian, ["--dictionary", "none.dat"], 2, "",
             'Can not find "none.dat"'),
        ]
        for name, h, r, options, code, out, err in cases:
            with self.subTest(name):
                for f in ("hin.tea", "rus.tea", "cards.txt"):
                    if os.path.exists(os.path.join(self.folder, f)):
                        os.remove(os.path.join(self.folder, f))
                self.lists(h, r)
                self.saved = {}
                for f in ("hin.tea", "rus.tea"):
                    p = os.path.join(self.folder, f)
                    if os.path.exists(p):
                        with open(p, "rb") as fh:
                            self.saved[f] = fh.read()
                got = run(self.folder, "teacher", "export", *options)
                self.assertEqual(got[0], code, got[2])
                self.assertEqual(got[1], out)
                self.assertIn(err, got[2])
                self.unchanged()
                if "--out" in options:
                    with open(os.path.join(self.folder, "cards.txt"), "rb") as f:
                        self.assertEqual(f.read(), (self.HEADER + SHOWN["Gar"]
                                                    + "\tдом\tghar\tдом\n").encode("utf-8"))


if __name__ == "__main__":
    unittest.main()
