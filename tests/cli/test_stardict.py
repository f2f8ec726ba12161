"""vartolik-cli export stardict, read back by Debian's sdcv (a real StarDict client): the words a
learner looks up are found with the expected text, a sample spread over the whole .idx and
.syn is found with its own article (so the order, offsets, sizes and counts are right), and bad
input writes nothing."""
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import unittest

CLI = os.path.abspath(sys.argv.pop(1))
DICTIONARY = os.path.abspath(sys.argv.pop(1))
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import hindi_codec as hc  # noqa: E402

HINDI_BOOK = "Вартолик: хинди-русский словарь"
RUSSIAN_BOOK = "Вартолик: русско-хинди словарь"


def export(out, *extra, env=None):
    p = subprocess.run([CLI, "export", "stardict", "--out", out, *extra], capture_output=True,
                       env=env, timeout=120)
    return p.returncode, p.stdout.decode("utf-8"), p.stderr.decode("utf-8", "replace")


def sdcv(folder, *words):
    """sdcv's exact matches for each word, as (book, word, definition) lists."""
    env = dict(os.environ, HOME=folder, LC_ALL="C.UTF-8")  # no user dictionaries, no history
    found = []
    for word in words:
        p = subprocess.run(["sdcv", "--data-dir", folder, "-x", "-n", "-e", "-j", "--utf8-output",
                            "--utf8-input", word], capture_output=True, env=env, check=True)
        found.append([(d["dict"], d["word"], d["definition"].lstrip("\n"))
                      for d in json.loads(p.stdout.decode("utf-8") or "[]")])
    return found


def idx_words(path):
    """The words of an .idx or .syn file in file order."""
    with open(path, "rb") as f:
        data = f.read()
    words, i = [], 0
    step = 8 if path.endswith(".idx") else 4
    while i < len(data):
        end = data.index(b"\0", i)
        words.append(data[i:end].decode("utf-8"))
        i = end + 1 + step
    return words


class Export(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.out = os.path.join(cls.tmp.name, "stardict")
        code, cls.report, err = export(cls.out, "--dictionary", DICTIONARY)
        assert code == 0, err

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_a_learner_finds_the_words(self):
        # word looked up, book, headword of the article shown, texts it must hold
        cases = [
            ("पानी", HINDI_BOOK, "पानी", ["(па:-ни:)\nм.\n1) вода;\n2) дождь; ~ पीना пить воду"]),
            ("लड़कियाँ", HINDI_BOOK, "लड़की", ["(лъР-ки:)\nж. девочка, девушка; дочь"]),
            ("दूध", HINDI_BOOK, "दूध", ["(ду:дх)\nм. молоко; ~ पीना пить молоко"]),
            ("है", HINDI_BOOK, "होना", ["(хо:-на:)", "1) быть, являться;"]),  # a pointer line
            ("पढ़िए", HINDI_BOOK, "पढ़ना", ["читать"]),
            ("дом", RUSSIAN_BOOK, "дом", ["घर (гхър) м. дом, жилище", "मकान (мъ-ка:н) м. дом, здание"]),
        ]
        for (word, book, head, texts), found in zip(cases, sdcv(self.out, *[c[0] for c in cases])):
            hits = [(w, d) for b, w, d in found if b == book]
            self.assertEqual([w for w, _ in hits], [head], (word, found))
            for text in texts:
                self.assertIn(text, hits[0][1], word)
        # Russian articles put the entries that translate the word by itself first.
        heads = [line.split(" ")[0] for line in sdcv(self.out, "дом")[0][0][2].splitlines()]
        self.assertLess(heads.index("मकान"), heads.index("अतिथिगृह"))  # "гостевой дом"

    def test_a_sample_over_the_whole_index_finds_its_own_article(self):
        # A client bisects .idx and .syn: a word out of StarDict's order, a wrong offset or size
        # or a wrong count in the .ifo shows up here as a word not found or a foreign article.
        with open(DICTIONARY, "rb") as f:
            readings = {}
            for raw in f.read().split(b"\r\n"):
                if raw:
                    head = hc.decode_line(raw.split(b" ", 1)[0])
                    readings.setdefault(head, raw.split(b" (", 1)[1].split(b")", 1)[0].decode("cp1251"))
        base = os.path.join(self.out, "vartolik-hin-rus")
        heads = idx_words(base + ".idx")
        forms = idx_words(base + ".syn")
        rng = random.Random(22)
        sample = [heads[0], heads[-1]] + rng.sample(heads, 60)
        for word, found in zip(sample, sdcv(self.out, *sample)):
            hits = [d for b, w, d in found if b == HINDI_BOOK and w == word]
            self.assertTrue(hits, word)
            self.assertTrue(any(d.startswith("(" + readings[word] + ")") for d in hits), word)
        syn_sample = [forms[0], forms[-1]] + rng.sample(forms, 60)
        for word, found in zip(syn_sample, sdcv(self.out, *syn_sample)):
            self.assertTrue([d for b, w, d in found if b == HINDI_BOOK], word)
        russian = idx_words(os.path.join(self.out, "vartolik-rus-hin.idx"))
        ru_sample = [russian[0], russian[-1]] + rng.sample(russian, 40)
        for word, found in zip(ru_sample, sdcv(self.out, *ru_sample)):
            self.assertTrue([d for b, w, d in found if b == RUSSIAN_BOOK and w == word], word)
        # sdcv lists each book with the word count of its .ifo.
        env = dict(os.environ, HOME=self.out, LC_ALL="C.UTF-8")
        listing = subprocess.run(["sdcv", "--data-dir", self.out, "-x", "-l", "--utf8-output"],
                                 capture_output=True, env=env, check=True).stdout.decode("utf-8")
        self.assertIn("%s    %d" % (HINDI_BOOK, len(heads)), listing)
        self.assertIn("%s    %d" % (RUSSIAN_BOOK, len(russian)), listing)
        self.assertIn("vartolik-hin-rus: %d articles, %d further words" % (len(heads), len(forms)),
                      self.report)


class Refusals(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def test_bad_input_writes_nothing(self):
        garbage = os.path.join(self.dir, "garbage.dat")
        with open(garbage, "wb") as f:
            f.write(b"\x00\x01 not a dictionary\r\nat all\r\n")
        a_file = os.path.join(self.dir, "a-file")
        open(a_file, "w").close()
        out = os.path.join(self.dir, "out")
        cases = [
            (["--dictionary", os.path.join(self.dir, "missing.dat")], out, "Can not find"),
            (["--dictionary", self.dir], out, "is not a regular file"),
            (["--dictionary", garbage], out, "holds no dictionary entries"),
            (["--dictionary", DICTIONARY], a_file, "is not a folder"),
            ([], None, "--out DIR is needed"),
        ]
        for extra, target, message in cases:
            args = ["export", "stardict"] + (["--out", target] if target else []) + extra
            p = subprocess.run([CLI, *args], capture_output=True, cwd=self.dir)
            self.assertEqual(p.returncode, 2, extra)
            self.assertIn(message, p.stderr.decode("utf-8"), extra)
            self.assertFalse(os.path.exists(out), extra)
        self.assertEqual(os.path.getsize(a_file), 0)

    def test_export_again_replaces_only_its_own_files(self):
        out = os.path.join(self.dir, "out")
        self.assertEqual(export(out, "--dictionary", DICTIONARY)[0], 0)
        with open(os.path.join(out, "notes.txt"), "w") as f:
            f.write("mine")
        made = sorted(os.listdir(out))
        # Without dictzip on the PATH the text is left as .dict; the .dict.dz of the first
        # export must go, or clients would read it beside the new index.
        bare = os.path.join(self.dir, "bin")
        os.mkdir(bare)
        for tool in ("sh", "dash", "bash"):
            if shutil.which(tool):
                os.symlink(shutil.which(tool), os.path.join(bare, tool))
        code, report, err = export(out, "--dictionary", DICTIONARY, env={"PATH": bare})
        self.assertEqual(code, 0, err)
        now = sorted(os.listdir(out))
        self.assertEqual(now, sorted(n.replace(".dict.dz", ".dict") for n in made), report)
        with open(os.path.join(out, "notes.txt")) as f:
            self.assertEqual(f.read(), "mine")
        found = sdcv(out, "पानी")[0]
        self.assertIn("1) вода;", found[0][2])


if __name__ == "__main__":
    unittest.main(verbosity=2)
