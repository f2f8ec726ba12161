"""intro.doc of the dist folder: an RTF document with balanced groups, plain ASCII with
Unicode escapes, holding the whole Devanagari alphabet and the grammar sections; when
LibreOffice is installed it is also converted to PDF and the PDF's text is checked."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

DIST = os.environ.get("VARTOLIK_DIST", "build/windows/dist")
ROOT = os.environ.get("VARTOLIK_ROOT", ".")
ARTEFACTS = os.environ.get("VARTOLIK_ARTEFACTS", tempfile.gettempdir())
sys.path.insert(0, os.path.join(ROOT, "docs"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import devanagari_ru  # noqa: E402
import readings  # noqa: E402


def rtf_groups_balanced(data):
    """True when every { has its }, ignoring escaped braces; the whole file is one group."""
    depth = 0
    i = 0
    closed_at_end = False
    while i < len(data):
        c = data[i]
        if c == "\\":
            i += 2
            continue
        if c == "{":
            depth += 1
        elif c == "}":
            depth -= 1
            if depth < 0:
                return False
            closed_at_end = depth == 0 and data[i + 1:].strip() == ""
            if depth == 0 and not closed_at_end:
                return False
        i += 1
    return depth == 0 and closed_at_end


def rtf_text(data):
    """The document's characters: \\uN escapes decoded (their one-byte fallback skipped) and
    \\'xx read as Windows-1251; a tab after each table cell, a line end after each row and
    paragraph; other control words dropped."""
    out = []
    i = 0
    while i < len(data):
        m = re.match(r"\\u(-?\d+)(\\'[0-9a-f]{2}|.)", data[i:])
        if m:
            n = int(m.group(1))
            out.append(chr(n + 65536 if n < 0 else n))
            i += m.end()
            continue
        m = re.match(r"\\'([0-9a-f]{2})", data[i:])
        if m:
            out.append(bytes([int(m.group(1), 16)]).decode("cp1251"))
            i += m.end()
            continue
        m = re.match(r"\\(cell|row|par)(?![a-z]) ?", data[i:])
        if m:                                 # cells apart, each row and paragraph a line
            out.append("\t" if m.group(1) == "cell" else "\n")
            i += m.end()
            continue
        if data.startswith("\\~", i):          # the non-breaking space
            out.append("\u00a0")
            i += 2
            continue
        m = re.match(r"\\[a-z]+-?\d* ?|\\[^a-z]", data[i:])
        if m:
            i += m.end()
            continue
        if data[i] not in "{}\r\n":
            out.append(data[i])
        i += 1
    return "".join(out)


class IntroDocument(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.path = os.path.join(DIST, "intro.doc")
        with open(cls.path, "rb") as f:
            cls.raw = f.read()
        cls.data = cls.raw.decode("ascii")  # all text outside ASCII is escaped
        cls.text = rtf_text(cls.data)

    def test_checkers_catch_faults(self):
        self.assertTrue(rtf_groups_balanced(r"{\rtf1 a{\b b}\{c\}}"))
        for bad in (r"{\rtf1 a{\b b}", r"{\rtf1 a}}", r"{\rtf1 a}{b}"):
            self.assertFalse(rtf_groups_balanced(bad), bad)
        self.assertEqual(rtf_text(r"{\f1 \u2325?\u2350?} \'e4\'ee\'ec"), "कम дом")

    def test_reading_check_finds_faults(self):
        # (text, readings found, of which wrong): a reading is the dictionary's or a fault.
        cases = [
            ("प्रेम (пре:м) — любовь", 1, 0),
            ("प्रेम (прем)", 1, 1),                      # the long e without its colon
            ("को (ко)", 1, 1),
            ("मित्र (мит-р)", 1, 1),                      # the final short a after a cluster
            ("कमल\u00a0— «къ-мъл», а не «къ-мъ-лъ»", 1, 0),
            ("ट — «Т», त — «т»", 2, 0),                   # a letter quoted by its sound
            ("ट — «Тх»", 1, 1),
            ("शांति (ша:н-ти), बैंक (бэ:нк)", 2, 0),    # a loan's anusvara before a stop
            ("आँख (а:нкх)", 1, 1),                       # a chandrabindu is a nasal vowel
            ("मैं (мэ:н)", 1, 1),
            ("पानी (вода), पानी (молоко)", 2, 1),       # a translation from the entry
            ("-ा (-а:), स् (на клавиатуре её нет)", 0, 0),  # an ending, a half form
            ("хинди\tчтение\t\nये, वे\tйе, ве\t\n", 2, 2),
            ("хинди\tчтение\t\nये, वे\tйе:, ве:\t\n", 2, 0),
        ]
        for text, found, wrong in cases:
            with self.subTest(text=text):
                pairs = readings.found_readings(text)
                self.assertEqual((len(pairs), len(readings.wrong_readings(pairs))),
                                 (found, wrong))

    def test_every_reading_is_the_dictionarys(self):
        pairs = readings.found_readings(self.text)
        self.assertGreater(len(pairs), 80)
        self.assertEqual(readings.wrong_readings(pairs), [])

    def test_vowels_read_as_the_dictionary_writes_them(self):
        # Each vowel, letter or sign, reads as a dictionary line writes it after a consonant
        # (के ке:, को ко:), length mark included.
        sign_of = {vowel: sign for sign, vowel, _ in devanagari_ru.MATRAS}
        for letter, reading, _ in devanagari_ru.VOWELS:
            with self.subTest(letter=letter):
                written = readings.transcription.transcribe("\u0915" + sign_of.get(letter, ""))
                self.assertEqual("\u043a" + reading, written)
                if letter in sign_of:
                    self.assertEqual(devanagari_ru.MATRA_SOUND[sign_of[letter]], reading)

    def test_is_rtf_with_balanced_groups(self):
        self.assertTrue(self.data.startswith("{\\rtf1"))
        self.assertIn("\\ansicpg1251", self.data)
        self.assertTrue(rtf_groups_balanced(self.data))
        self.assertIn(b"\r\n", self.raw)

    def test_holds_the_alphabet_with_readings(self):
        for letter, reading, _ in devanagari_ru.VOWELS:
            self.assertIn(letter, self.text)
        for letter, _, _ in devanagari_ru.CONSONANTS:
            # "क का" in the table of rows, "य" and "йа" in cells of their own elsewhere
            self.assertRegex(self.text, re.escape(letter) + "[ \t]?" +
                             re.escape(devanagari_ru.reading(letter)))
        for letter, _, _ in devanagari_ru.NUKTA_CONSONANTS:
            self.assertIn(letter, self.text)
        for _, vowel, _ in devanagari_ru.MATRAS:
            self.assertIn(vowel, self.text)
        self.assertIn(devanagari_ru.DIGITS[0], self.text)
        self.assertIn(devanagari_ru.DIGITS[9], self.text)

    def test_holds_the_grammar(self):
        for heading in ("Информация о языке хинди", "Гласные", "Согласные", "Сочетания согласных",
                        "Род", "Послелоги", "Глагол", "инфинитив", "Местоимения"):
            self.assertIn(heading, self.text)
        for word in ("लड़का", "लड़की", "करना", "में", "को"):
            self.assertIn(word, self.text)

    def test_corrections_a_teacher_asked_for(self):
        present = [
            "छुट्टी", "अतः", "-ते", "तुम и आप", "тот, та, то", "наряду с английским",
            "носовой гласный", "हिन्दी", "Phonetic", "ме:~", "мэ:~", "ки-та:б",
            "перед согласной", "под согласной", "над согласной", "после согласной",
            "полугласные", "свистящий", "произносится как श", "губно-зубное",
        ]
        self.assertEqual([p for p in present if p not in self.text], [])
        absent = ["चिट्ठी", "государственный язык", "открытого «о»", "шипящие и х",
                  "каждая буква, огласовка и лигатура — один байт"]
        self.assertEqual([a for a in absent if a in self.text.replace("\u00a0", " ")], [])

    def test_languages_and_typography_for_word_processors(self):
        self.assertIn("\\deflang1049", self.data)
        # Every Devanagari run is marked Hindi: each \\f1 group carries \\lang1081.
        runs = re.findall(r"\{\\f1\\af1(\\lang\d+)?", self.data)
        self.assertGreater(len(runs), 100)
        self.assertEqual(set(runs), {"\\lang1081"})
        # A dash and the parts of "м. р." are held to the word before them.
        self.assertNotIn(" \u2014", self.text)
        self.assertIn("м.\u00a0р.", self.text)

    @unittest.skipUnless(shutil.which("soffice") and shutil.which("pdftotext"),
                         "LibreOffice or poppler-utils not installed")
    def test_word_processor_opens_it(self):
        out = os.path.join(ARTEFACTS, "intro_doc")
        os.makedirs(out, exist_ok=True)
        profile = tempfile.mkdtemp(prefix="lo-profile-")
        try:
            subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless",
                            "--convert-to", "pdf", "--outdir", out, self.path],
                           check=True, capture_output=True, timeout=300)
        finally:
            shutil.rmtree(profile, ignore_errors=True)
        pdf = os.path.join(out, "intro.pdf")
        text = subprocess.run(["pdftotext", pdf, "-"], check=True, capture_output=True,
                              text=True).stdout
        self.assertIn("Гласные", text)
        self.assertIn("Послелоги", text)
        pages = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        self.assertGreaterEqual(int(re.search(r"Pages:\s+(\d+)", pages).group(1)), 3)
        if shutil.which("pdftoppm"):  # a page to look at
            subprocess.run(["pdftoppm", "-r", "60", "-png", "-f", "1", "-l", "2", pdf,
                            os.path.join(out, "intro-page")], check=False)


if __name__ == "__main__":
    unittest.main(verbosity=2)
