"""vartolik-cli run in a scratch folder: exit codes, output, and the files it leaves.

Given vartolik-cli.exe, the same tests run the Windows build under Wine (VARTOLIK_CLI_RUNNER,
e.g. scripts/wine-run.sh): its output, redirected to a file, must be the same UTF-8 bytes."""
import atexit
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest

CLI = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.environ["VARTOLIK_CLI"]
RUNNER = os.environ.get("VARTOLIK_CLI_RUNNER", "").split()
WINDOWS = CLI.endswith(".exe")
if WINDOWS:
    # vartolik-cli.exe reads the dictionary beside it when the current folder has none: the
    # tests run a copy alone in a folder, as the Linux build is alone in the build folder.
    _alone = tempfile.mkdtemp(prefix="vartolik_cli_")
    atexit.register(shutil.rmtree, _alone, True)
    CLI = shutil.copy(CLI, _alone)

DICTIONARY = ("Gar (ghar) дом, жилище\r\n"
              "kama (kam) работа, дело\r\n"
              "baat (bat) слово, дело\r\n").encode("cp1251")


# The headwords are Hindi font codes; the printed lines show them as Devanagari.
SHOWN = {"Gar": "\u0918\u093e\u0930", "kama": "\u0915\u093e\u092e\u093e",
         "baat": "\u092c\u093e\u093e\u0924"}


def shown(line):
    head, _, rest = line.partition(" ")
    return SHOWN[head] + " " + rest


def run(folder, *args, cli=CLI):
    p = subprocess.run([*RUNNER, cli, *args], cwd=folder, capture_output=True, timeout=60)
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
            # Latin gr is ghar without its aspiration: a tolerant match
            (["--raw", "--mode", "phonetic", "gr"], 1, ["Gar (ghar) дом, жилище"]),
            (["--raw", "--mode", "phonetic", "kr"], 0, []),
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

    def test_fallback_searches_once_more_by_sound(self):
        note = "Not found as typed; Phonetic has found 1 words\n"
        cases = [
            (["--fallback", "--mode", "whole-word", "ghaar"], 1, note),
            (["--mode", "whole-word", "ghaar"], 0, ""),  # only when asked for
            (["--fallback", "дом"], 1, ""),  # found as typed: no second search
            (["--fallback", "--mode", "phonetic", "qqq"], 0, ""),
            (["--fallback", "zqzqzq"], 0, ""),  # nothing either way: as without it
        ]
        for args, found, message in cases:
            code, out, err = run(self.folder, "search", *args)
            self.assertEqual(code, 0, (args, err))
            self.assertEqual(err, message, args)
            self.assertEqual(out.splitlines()[0], f"Dictionary has found {found} words for you",
                             args)
            self.assertEqual(self.result_file().count(b"\r\n"), found, args)

    @unittest.skipIf(WINDOWS, "a Windows command line holds Unicode text, not raw bytes")
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

    def test_unusable_dictionary_or_result_is_refused_and_f2_kept(self):
        # A folder or a pipe where a file should be: refused at once (a pipe would block the
        # search for ever), with a message, exit 2, and the old f2.tc untouched.
        dictionary = os.path.join(self.folder, "dictiona.dat")
        result = os.path.join(self.folder, "f2.tc")
        cases = [
            (dictionary, os.mkdir, ["search", "дом"], "not a regular file"),
            (dictionary, os.mkdir, ["count"], "not a regular file"),
            (dictionary, os.mkfifo, ["search", "дом"], "not a regular file"),
            (dictionary, os.mkfifo, ["count"], "not a regular file"),
            (result, os.mkfifo, ["search", "дом"], "f2.tc in the current directory is not a regular"),
        ]
        for path, make, args, message in cases:
            if WINDOWS and make is os.mkfifo:
                continue  # Windows has no named pipes in the file system
            with self.subTest(args=args, make=make.__name__, path=os.path.basename(path)):
                for name in ("dictiona.dat", "f2.tc"):
                    p = os.path.join(self.folder, name)
                    if os.path.isdir(p):
                        os.rmdir(p)
                    elif os.path.lexists(p):
                        os.remove(p)
                with open(dictionary, "wb") as f:
                    f.write(DICTIONARY)
                if path == dictionary:
                    with open(result, "wb") as f:
                        f.write(b"previous\r\n")
                if os.path.exists(path):
                    os.remove(path)
                make(path)
                code, out, err = run(self.folder, *args)
                self.assertEqual((code, out), (2, ""))
                self.assertIn(message, err)
                if path == dictionary:
                    self.assertEqual(self.result_file(), b"previous\r\n")

    @unittest.skipIf(WINDOWS, "/dev/full and a closed stdout do not reach a program under Wine")
    def test_output_failures_are_reported(self):
        # A full disk, a closed stdout and a folder as stdin: each command says what failed
        # and exits 2 instead of 0.
        encoded = "घर дом\n".encode("utf-8")
        folder_fd = os.open(self.folder, os.O_RDONLY)
        self.addCleanup(os.close, folder_fd)
        cases = [
            (["search", "дело"], None, "/dev/full", "cannot write the output"),
            (["count"], None, "/dev/full", "cannot write the output"),
            (["decode"], DICTIONARY, "/dev/full", "cannot write the output"),
            (["encode"], encoded, "/dev/full", "cannot write the output"),
            (["search", "дело"], None, "closed", "cannot write the output"),
            (["encode"], encoded, "closed", "cannot write the output"),
            (["decode"], folder_fd, "/dev/null", "cannot read the input"),
            (["encode"], folder_fd, "/dev/null", "cannot read the input"),
        ]
        for args, stdin, stdout, message in cases:
            with self.subTest(args=args, stdout=stdout, stdin=type(stdin).__name__):
                command = [CLI, *args]
                if stdout == "closed":
                    command = ["sh", "-c", 'exec "$0" "$@" >&-', *command]
                    out = None
                else:
                    out = open(stdout, "wb")
                    self.addCleanup(out.close)
                p = subprocess.run(command, cwd=self.folder, stdout=out, stderr=subprocess.PIPE,
                                   input=stdin if isinstance(stdin, bytes) else None,
                                   stdin=stdin if isinstance(stdin, int) else None, timeout=60)
                self.assertEqual(p.returncode, 2)
                self.assertIn(message, p.stderr.decode("utf-8", "replace"))

    def test_dictionary_given_or_installed(self):
        # An installed layout: PREFIX/bin/vartolik-cli finds PREFIX/share/vartolik/dictiona.dat
        # (on Windows vartolik-cli.exe the dictionary beside it) from a folder that has none,
        # and then writes no f2.tc there unless asked to.
        prefix = os.path.join(self.folder, "prefix")
        if WINDOWS:
            installed = os.path.join(prefix, "vartolik-cli.exe")
            dictionary = os.path.join(prefix, "dictiona.dat")
        else:
            installed = os.path.join(prefix, "bin", "vartolik-cli")
            dictionary = os.path.join(prefix, "share", "vartolik", "dictiona.dat")
        os.makedirs(os.path.dirname(installed), exist_ok=True)
        os.makedirs(os.path.dirname(dictionary), exist_ok=True)
        shutil.copy(CLI, installed)
        os.rename(os.path.join(self.folder, "dictiona.dat"), dictionary)
        elsewhere = os.path.join(self.folder, "elsewhere")
        os.mkdir(elsewhere)
        f2 = os.path.join(elsewhere, "f2.tc")

        code, out, err = run(elsewhere, "search", "дом", cli=installed)
        self.assertEqual((code, out.splitlines()[0]), (0, "Dictionary has found 1 words for you"), err)
        self.assertFalse(os.path.exists(f2))
        self.assertEqual(run(elsewhere, "count", cli=installed)[:2],
                         (0, "Found 3 words in data file of dictionary\n"))
        code, out, err = run(elsewhere, "search", "--write-result", "дом", cli=installed)
        with open(f2, "rb") as f:
            self.assertEqual(f.read(), "Gar (ghar) дом, жилище\r\n".encode("cp1251"))
        # A dictionary in the current folder comes first; --dictionary before both.
        with open(os.path.join(elsewhere, "dictiona.dat"), "wb") as f:
            f.write("kama (kam) дом\r\n".encode("cp1251"))
        code, out, err = run(elsewhere, "search", "дом", cli=installed)
        self.assertEqual(out.splitlines()[1:], [shown("kama (kam) дом")])
        code, out, err = run(self.folder, "search", "--dictionary", dictionary, "дело")
        self.assertEqual((code, out.splitlines()[0]), (0, "Dictionary has found 2 words for you"))
        shutil.copy(dictionary, os.path.join(self.folder, "словарь.dat"))
        code, out, err = run(self.folder, "count", "--dictionary", "словарь.dat")
        self.assertEqual((code, out), (0, "Found 3 words in data file of dictionary\n"), err)
        # Without an installed copy and without ./dictiona.dat, the program's message.
        os.remove(os.path.join(elsewhere, "dictiona.dat"))
        os.remove(dictionary)
        self.assertEqual(run(elsewhere, "count", cli=installed)[0], 2)

    def test_terminal_shows_the_text(self):
        # On a terminal (under Wine, a Windows console in code page 866 for Russian) the lines
        # and a message read as in a file: the console is switched to UTF-8 for the run.
        cases = [
            (["search", "--mode", "phonetic", "ghar"], shown("Gar (ghar) дом, жилище")),
            (["count", "--dictionary", "нет.dat"], 'Can not find "нет.dat"'),
        ]
        for args, text in cases:
            command = shlex.join([CLI, *args])
            if WINDOWS:  # wine itself, not the runner, which hands the output over in files
                wine_env = os.path.join(os.path.dirname(RUNNER[0]), "wine-env.sh")
                # The set-up script is bash; script(1) runs the command with $SHELL, often sh.
                inner = f". {shlex.quote(wine_env)} && exec wine {command}"
                command = f"exec bash -c {shlex.quote(inner)}"
            p = subprocess.run(["script", "-qec", command, "/dev/null"], cwd=self.folder,
                               capture_output=True, timeout=60)
            # Wine's console draws a space as "cursor one right" and adds cursor controls.
            screen = re.sub(rb"\x1b\[1C", b" ", p.stdout)
            screen = re.sub(rb"\x1b\[[?0-9;]*[A-Za-z]|\x1b\][^\x07]*\x07", b"", screen)
            self.assertIn(text, screen.decode("utf-8", "replace"), args)

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
        # hin.tea holds face codes, rus.tea Windows-1251 text.
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
                # rus.tea is Windows-1251: Latin stays Latin, and so do the face's codes that
                # earlier versions saved there after a Hindi search (not पाानेे, not घर).
                + SHOWN["baat"] + "\tpaanee\tbat\tслово\n"
                + SHOWN["Gar"] + "\tGar\tghar\tдом\n")
        hindi = [b"Gar", b"kama", b"la", b"baat", b"Gar"]
        russian = [w.encode("cp1251") for w in ("дом", "работа", "слово")] + [b"paanee", b"Gar"]
        cases = [
            ("aligned", hindi, russian, [], 0, self.HEADER + rows, ""),
            ("misaligned", hindi + [b"Gar"], russian, [], 1, self.HEADER + rows,
             "hin.tea has 6 lines and rus.tea 5"),
            ("to a file", hindi[:1], russian[:1], ["--out", "cards.txt"], 0, "",
             ""),
            # a name in Cyrillic (on Windows: a UTF-8 argument opened as it is)
            ("to a file named in Russian", hindi[:1], russian[:1], ["--out", "карточки.txt"], 0,
             "", ""),
            ("no rus.tea", hindi, None, [], 2, "", 'Can not find "rus.tea"'),
            ("no hin.tea", None, russian, [], 2, "", 'Can not find "hin.tea"'),
            ("no dictionary", hindi, russian, ["--dictionary", "none.dat"], 2, "",
             'Can not find "none.dat"'),
        ]
        for name, h, r, options, code, out, err in cases:
            with self.subTest(name):
                for f in ("hin.tea", "rus.tea", "cards.txt", "карточки.txt"):
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
                    out_file = options[options.index("--out") + 1]
                    with open(os.path.join(self.folder, out_file), "rb") as f:
                        self.assertEqual(f.read(), (self.HEADER + SHOWN["Gar"]
                                                    + "\tдом\tghar\tдом\n").encode("utf-8"))


class Gloss(unittest.TestCase):
    """A text glossed word by word: the entry chosen for each word, the summary, bad input."""
    LINES = ["लड़की (лъР-ки:) ж. девочка",
             "किताब (ки-та:б) ж. книга",
             "अध्याय (ъдх-йа:й) м. глава книги",
             "पढ़ना (пъРх-на:) гл. читать",
             "हिंदी (хин-ди:) ж. хинди",
             "हिन्दी (хин-ди:) см. हिंदी - вариант написания"]

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        encoded = subprocess.run([*RUNNER, CLI, "encode"], input="\n".join(self.LINES).encode(),
                                 capture_output=True, check=True).stdout
        with open(os.path.join(self.folder, "dictiona.dat"), "wb") as f:
            f.write(encoded.replace(b"\n", b"\r\n") + b"\r\n")

    def tearDown(self):
        self.dir.cleanup()

    def test_cases(self):
        entry = {line.split(" ")[0]: line for line in self.LINES}
        cases = [
            ("inflected forms and an unknown word", "लड़कियों ने किताबें पढ़ीं।".encode(), [],
             0, "लड़कियों\t%s\nने\t\nकिताबें\t%s\nपढ़ीं\t%s\n"
             % (entry["लड़की"], entry["किताब"], entry["पढ़ना"]),
             "4 words, 4 distinct; glossed 75.0 % of the words, 75.0 % of the distinct words"),
            ("a pointer shows its target", "हिन्दी".encode(), [], 0,
             "हिन्दी\t%s\n" % entry["हिंदी"], "1 words"),
            ("Russian through the Russian parts", "книги".encode(), [], 0,
             "книги\t%s\n" % entry["किताब"], "glossed 100.0 %"),
            ("invalid UTF-8 skipped with its offset", b"\xff\xc3 " + "किताब".encode(), [], 0,
             "किताब\t%s\n" % entry["किताब"], "byte 0: not valid UTF-8, skipped"),
            ("flashcards: each glossed word once", "किताब किताबें किताब ने".encode(), ["--tsv"], 0,
             TeacherExport.HEADER + "किताब\tкнига\tки-та:б\tкнига\n"
             + "किताब\tкнига\tки-та:б\tкнига\n", "4 words, 3 distinct"),
            ("no dictionary", "किताब".encode(), ["--dictionary", "none.dat"], 2, "",
             'cannot read the dictionary "none.dat"'),
        ]
        for name, text, options, code, out, err in cases:
            with self.subTest(name):
                p = subprocess.run([*RUNNER, CLI, "gloss", *options], cwd=self.folder, input=text,
                                   capture_output=True, timeout=60)
                self.assertEqual(p.returncode, code, p.stderr)
                self.assertEqual(p.stdout.decode(), out)
                self.assertIn(err, p.stderr.decode())


if __name__ == "__main__":
    unittest.main()
