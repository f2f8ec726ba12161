"""The help helpo.htm of the dist folder: well-formed HTML with its charset declared, links
that lead somewhere, every key, menu command and match mode of the dictionary described, and
the keyboard chart complete against the Hindi code table."""

import html
import html.parser
import os
import re
import shutil
import subprocess
import sys
import unittest

DIST = os.environ.get("VARTOLIK_DIST", "build/windows/dist")
ROOT = os.environ.get("VARTOLIK_ROOT", ".")
sys.path.insert(0, os.path.join(ROOT, "docs"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import devanagari_ru  # noqa: E402
import readings  # noqa: E402

VOID = {"meta", "br", "hr", "img", "link", "input", "col", "wbr"}


class StrictParser(html.parser.HTMLParser):
    """Checks that every element is closed, in order, and collects ids, links and text."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors, self.ids, self.links, self.text = [], [], set(), [], []
        self.meta_charset = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "meta" and "charset" in a:
            self.meta_charset = a["charset"].lower()
        if "id" in a:
            if a["id"] in self.ids:
                self.errors.append("duplicate id %s" % a["id"])
            self.ids.add(a["id"])
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        if tag not in VOID:
            self.stack.append((tag, self.getpos()))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        if tag in VOID:
            self.errors.append("end tag for void <%s> at %s" % (tag, self.getpos()))
            return
        if not self.stack or self.stack[-1][0] != tag:
            self.errors.append("</%s> at %s closes %s" % (tag, self.getpos(), self.stack[-1] if self.stack else "nothing"))
            return
        self.stack.pop()

    def handle_data(self, data):
        self.text.append(data)


def check_balance(source):
    p = StrictParser()
    p.feed(source)
    p.close()
    errors = list(p.errors) + ["<%s> at %s never closed" % s for s in p.stack]
    return p, errors


class HelpDocument(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.path.join(DIST, "helpo.htm"), "rb") as f:
            cls.raw = f.read()
        cls.source = cls.raw.decode("utf-8")  # fails loudly on a wrongly encoded file
        cls.parser, cls.errors = check_balance(cls.source)
        cls.text = re.sub(r"\s+", " ", "".join(cls.parser.text))

    def test_the_balance_check_finds_faults(self):
        # The checker itself: a stray, a crossed and an unclosed tag are all reported.
        for bad in ("<p>a</b></p>", "<p><b>a</p></b>", "<div><p>a</p>", "<br></br>"):
            self.assertTrue(check_balance(bad)[1], bad)
        self.assertFalse(check_balance("<p>a<br><b>b</b></p>")[1])

    def test_well_formed_with_charset(self):
        self.assertEqual(self.errors, [])
        self.assertTrue(self.source.lstrip().lower().startswith("<!doctype html>"))
        self.assertEqual(self.parser.meta_charset, "utf-8")
        self.assertIn('lang="ru"', self.source)

    def test_internal_links_lead_to_sections(self):
        internal = [l[1:] for l in self.parser.links if l.startswith("#")]
        self.assertGreater(len(internal), 10)
        for target in internal:
            self.assertIn(target, self.parser.ids)

    def test_describes_every_key_command_and_mode(self):
        required = [
            # keys
            "F1", "F3", "F5", "F6", "Enter", "Esc", "Ctrl", "Page Up", "Page Down", "Backspace",
            "Delete", "Home", "End", "↑", "↓",
            # intro screen and dialogs
            "GO", "HELP", "LEARN", "Click HERE for Information On Hindi", "Choose language to search in",
            "Search options", "Hindi Keyboard Support", "About Program",
            # dictionary screen
            "Search", "Click here to type with the help of keyboard support (hindi)",
            "Yes, in the same language.", "Yes, in another language.", "Wait", "Exit",
            "Dictionary has found",
            # menu
            "Save to teacher", "Delet/view from teacher", "Title bar", "Status bar",
            "Quantity of words", "Lemora", "Keyboard help", "Change language", "Search Options",
            "Search language", "Rare hindi", "Help on dictionary", "Keyboard support", "About program",
            # match modes and the wildcard
            "SubString", "RightAppend", "LeftAppend", "Exact", "Phonetic", "*",
            # files
            "dictiona.dat", "f2.tc", "hin.tea", "rus.tea", "hintea.bak", "rustea.bak", "kirvu.exe",
            "lemora1.exe", "lemora.dat", "helpo.htm", "intro.doc", "Devass02.ttf", "Devass03.ttf",
            "Dvdivyan.ttf", "Dvnishan.ttf", "OFL.txt", "readme.txt", "vartolik-cli.exe",
            # the clipboard
            "Track clipboard", "F8", "Insert", "teacher export",
            # the compact header's keyboard button, F1's modeless language window
            "Kb", "Cancel", "немодальное",
            # reading the pronunciation, searching both ways, typing and the spelling of हिंदी
            "ки-та:б", "нъ-мъс-те:", "Phonetic", "हिन्दी", "льдом",
            "перед согласной", "под согласной", "над согласной", "после согласной",
        ]
        missing = [r for r in required if r not in self.text]
        self.assertEqual(missing, [])
        # Ctrl+Y is spelled as two keys.
        self.assertRegex(self.source, r"<kbd>Ctrl</kbd>\+<kbd>Y</kbd>")
        # Words a learner would learn wrong: not Russian, a reph drawn after its circle.
        # The query line holds 32 codes, not letters.
        for wrong in ("ледом", "\u25cc\u0930\u094d", "32 знак"):
            self.assertNotIn(wrong, self.source)
        # A dash never begins a line: the space before it does not break.
        self.assertNotIn(" \u2014", self.source)

    def test_typing_walkthrough_types_the_words(self):
        # Each word of the walkthrough, typed with the keys the help names (a key of the
        # upper half clicked in the keyboard support), gives the word's codes.
        sys.path.insert(0, os.path.join(ROOT, "hindi"))
        import hindi_codec
        section = self.source[self.source.index('id="typing"'):]
        section = section[:section.index("</table>")]
        rows = re.findall(r'<tr><td><span class="deva">(\S+)</span>.*?</td><td>(.*?)</td>',
                          section)
        self.assertEqual(len(rows), 6, section)
        plain = "".join(p for p, _ in ROWS_OF_KEYS)
        shifted = "".join(s for _, s in ROWS_OF_KEYS)
        for word, keys in rows:
            typed = bytearray()
            for m in re.finditer(r"<kbd>Shift</kbd>\+<kbd>(.)</kbd>|<kbd>(.)</kbd>|код ([0-9A-F]{2})",
                                 keys):
                if m.group(1):
                    typed.append(ord(shifted[plain.index(m.group(1))]))
                elif m.group(2):
                    typed.append(ord(m.group(2)))
                else:
                    typed.append(int(m.group(3), 16))
            with self.subTest(word=word):
                self.assertEqual(bytes(typed), hindi_codec.to_codes(word))

    def test_every_reading_is_the_dictionarys(self):
        body = self.source[self.source.index("<body"):]
        text = re.sub(r"</(td|th|tr|p|li|h\d)>", "\n", body)  # cells and rows apart
        pairs = readings.found_readings(html.unescape(re.sub(r"<[^>]+>", "", text)))
        self.assertGreater(len(pairs), 15)
        self.assertEqual(readings.wrong_readings(pairs), [])

    def test_keyboard_support_panel_holds_the_codes_no_key_types(self):
        keyed = {ord(c) for row in ROWS_OF_KEYS for keys in row for c in keys}
        panel = [codes[0] for codes, _, _, _ in devanagari_ru.encoding_rows()
                 if len(codes) == 1 and codes[0] not in keyed]
        said = re.search(r"кодами 0x([0-9A-F]{2})–0x([0-9A-F]{2})", self.text)
        self.assertEqual((int(said.group(1), 16), int(said.group(2), 16)), (min(panel), max(panel)))

    def test_keyboard_chart_holds_every_hindi_code(self):
        rows = devanagari_ru.encoding_rows()
        singles = {codes[0]: text for codes, _, text, _ in rows if len(codes) == 1}
        chart = self.source[self.source.index('<table class="keys">'):]
        # Every code that a key types sits on that key; the others are in the panel with their
        # number.
        for code, text in singles.items():
            if 0x21 <= code <= 0x7E:
                found = '<span class="lat">%s</span>' % html_escape(chr(code)) in chart
            else:
                found = '<span class="lat">%02X</span>' % code in chart
            self.assertTrue(found, "code %02X is missing from the chart" % code)
            self.assertTrue(text in chart, "sign of code %02X is missing" % code)
        # Sequences of several codes are listed with their codes.
        for codes, _, text, _ in rows:
            if len(codes) > 1:
                self.assertIn(" ".join("%02X" % c for c in codes), chart)

    @unittest.skipUnless(shutil.which("tidy"), "tidy is not installed")
    def test_tidy_finds_no_errors(self):
        run = subprocess.run(["tidy", "-q", "-e", "-utf8", os.path.join(DIST, "helpo.htm")],
                             capture_output=True, text=True)
        # tidy exits with 2 on errors, 1 on warnings only.
        self.assertLess(run.returncode, 2, run.stderr)


ROWS_OF_KEYS = [("`1234567890-=", "~!@#$%^&*()_+"), ("qwertyuiop[]\\", "QWERTYUIOP{}|"),
                ("asdfghjkl;'", "ASDFGHJKL:\""), ("zxcvbnm,./", "ZXCVBNM<>?")]


def html_escape(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


if __name__ == "__main__":
    unittest.main(verbosity=2)
