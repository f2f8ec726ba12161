"""The clipboard between the program and other programs: Unicode pasted into the query line
with Ctrl+V and Shift+Insert, the first shown entry copied with Ctrl+C, and "Track clipboard"
looking up what another program copies. The other program is xclip on the virtual display;
Wine carries the X clipboard to and from the Windows one. Results are checked in f2.tc, on
the X clipboard and on the screen."""
import os
import subprocess
import sys
import time
from pathlib import Path

from PIL import Image, ImageChops

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import E2eError, Vartolik, colorref, poll, run_tests, _root  # noqa: E402
from screen_text import FONT_UI, match_at, reference  # noqa: E402
from test_input_flows import (CANCEL, COMPANIONS, OK, RUSSIAN_BUTTON,  # noqa: E402
                              answer_save, expect_search, go_and_choose, header_language,
                              settled)

sys.path.insert(0, str(_root() / "hindi"))
from hindi_codec import decode_line  # noqa: E402

TRACK_CLIPBOARD = 211
TITLE_BAR, LANGUAGE_RUSSIAN = 132, 123
WM_SYSCOMMAND, SC_MINIMIZE = 0x0112, 0xF020
LANGUAGE_BOX = "Choose language to search in"
ACTION = colorref(0x00641414)
TEXTURE = (228, 213, 172)
WATER = "\u092a\u093e\u0928\u0940"   # पानी, "panY" in the face's codes
HOUSE = "\u0918\u0930"               # घर, "Gr"


class Clipboard:
    """The X clipboard, owned by xclip processes this test starts and ends."""

    def __init__(self, app):
        self.app, self.owners = app, []

    def put(self, text):
        # -quiet keeps xclip in the foreground, serving the selection until another owner
        # takes it or the test ends it.
        p = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                             env=self.app.env, stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        p.stdin.write(text.encode("utf-8"))
        p.stdin.close()
        self.owners.append(p)

    def get(self):
        r = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-target", "UTF8_STRING"],
                           env=self.app.env, capture_output=True, timeout=10)
        return r.stdout.decode("utf-8", errors="replace") if r.returncode == 0 else None

    def close(self):
        for p in self.owners:
            if p.poll() is None:
                p.kill()
            p.wait()


def result_file(app):
    path = app.workdir / "f2.tc"
    return path.read_bytes() if path.exists() else None


def stamp(app):
    path = app.workdir / "f2.tc"
    return path.stat().st_mtime_ns if path.exists() else None


def untouched(app, before, settle=2.5):
    """True when f2.tc is not rewritten within `settle` seconds (a lookup takes well under
    one here)."""
    end = time.monotonic() + settle
    while time.monotonic() < end:
        if stamp(app) != before:
            return False
        time.sleep(0.2)
    return True


def status_score(app, shot, text):
    return match_at(shot, 10, 99, reference(app, FONT_UI, text, 0.4), [ACTION], (100, 119),
                    background=TEXTURE, level=0.4)[0]


def expect_lookup(app, before, first):
    """Waits until a lookup of a copied word rewrote f2.tc, in Phonetic's order, with a first
    line that `first` accepts; returns the lines."""
    poll("f2.tc rewritten by the lookup",
         lambda: stamp(app) != before and first((result_file(app) or b"").split(b"\r\n")[0]),
         15)
    return result_file(app).split(b"\r\n")[:-1]


def status_says(app, shot, text, other):
    """The status line shows `text` rather than `other` (both bytes)."""
    mine, theirs = status_score(app, shot, text), status_score(app, shot, other)
    return mine >= 0.7 and mine > theirs + 0.15, (mine, theirs)


def query_field(shot):
    w = shot.size[0]
    return shot.crop((13, 53, w - 103, 72)).tobytes()


def options_menu(app):
    """The whole screen with the Options menu open (Alt+O), then the menu closed again."""
    app.key("alt+o")
    time.sleep(0.8)
    path = app.tmp / "menu.png"
    subprocess.run(["import", "-window", "root", str(path)], env=app.env, check=True,
                   capture_output=True)
    shot = Image.open(path).convert("RGB")
    app.key("Escape", "Escape")
    time.sleep(0.3)
    return shot


def test_paste_and_copy():
    with Vartolik(remove=COMPANIONS) as app:
        clip = Clipboard(app)
        try:
            go_and_choose(app, RUSSIAN_BUTTON)
            settled(app)
            # Devanagari with spaces and a line end around it: the language turns Hindi.
            clip.put(f"  {WATER} \n")
            app.key("ctrl+v")
            shot = settled(app)
            assert header_language(shot) == "Hindi", "the paste did not switch to Hindi"
            app.key("Return")
            lines = expect_search(app, b"panY", 0)
            app.screenshot("clipboard_pasted_hindi")

            # Ctrl+C: the first shown entry, as another program reads it.
            app.key("ctrl+c")
            expected = decode_line(lines[0])
            got = poll("the entry on the X clipboard", lambda: (lambda t: t if t == expected
                                                                 else None)(clip.get()), 10)
            assert WATER in got, got
            assert status_says(app, app.screenshot(), b"The first entry is on the clipboard",
                               b"Dictionary has found %d words for you" % len(lines))[0]

            # On the teacher view: the first pair, the word and the query with a tab between.
            app.key("F3")
            answer_save(app, OK)
            app.key("F6")
            app.key("ctrl+Insert")
            # After a Hindi search F3 saves the entry's first translation with the headword.
            saved = (app.workdir / "rus.tea").read_bytes().decode("cp1251").splitlines()[-1]
            pair = decode_line(lines[0].split(b" ", 1)[0]) + "\t" + saved
            poll(f"the pair {pair!r} on the X clipboard", lambda: clip.get() == pair, 10)
            app.key("Escape")

            # Shift+Insert of a Russian word replaces the Hindi line and turns the language.
            clip.put("\u00a0\u0434\u043e\u043c\t")
            app.key("shift+Insert")
            poll("Russian in the header", lambda: header_language(app.screenshot()) == "Russian")
            app.key("Return")
            expect_search(app, "\u0434\u043e\u043c".encode("cp1251"), 0)

            # Too long for the 32-byte line: refused with a message, the line as it was.
            before = settled(app)
            clip.put("\u0434" * 40)
            app.key("ctrl+v")
            message = b"Too long for the query line (32 bytes): not pasted"
            shot = poll("the refusal on the status line",
                        lambda: (lambda s: s if status_says(app, s, message, b"Dictionary has "
                                                            b"found")[0] else None)(
                            app.screenshot()), 10)
            app.screenshot("clipboard_refused")
            assert query_field(shot) == query_field(before), "a refused paste changed the line"

            # Every paste, refusal and change of language says its own outcome on the status
            # line, whatever it said before. (clipboard text or a menu command, the status
            # text, a text it must not show, whether the line changes)
            outcomes = [
                ("\u0434\u0432\u0430", b"Pasted into the query line", message, True),
                (f"{WATER} water", b"Text mixes Hindi with Russian or Latin: not pasted",
                 b"Pasted into the query line", False),
                (HOUSE, b"Pasted; the search language is now Hindi", b"Dictionary has found",
                 True),
                # (the line's bytes stay, drawn in the other language's face)
                (LANGUAGE_RUSSIAN, b"The search language is now Russian", b"Pasted;", True),
            ]
            for given, said, not_said, changes in outcomes:
                before = settled(app)
                if given == LANGUAGE_RUSSIAN:
                    app.command(given)
                else:
                    clip.put(given)
                    app.key("ctrl+v")
                shot = poll(f"{said!r} on the status line", lambda: (lambda s: s if status_says(
                    app, s, said, not_said)[0] else None)(app.screenshot()), 10)
                assert (query_field(shot) != query_field(before)) == changes, given
                # The whole window painted again (the compact header and back) says the same.
                app.command(TITLE_BAR)
                settled(app)
                app.command(TITLE_BAR)
                assert status_says(app, settled(app), said, not_said)[0], f"{said!r} repainted"
            app.screenshot("clipboard_status_after_language")
        finally:
            clip.close()


def test_tracking():
    dictionary = (Path(os.environ.get("VARTOLIK_DIST", _root() / "build/windows/dist"))
                  / "dictiona.dat").read_bytes()
    # A first line short enough that copying it would itself be a lookup.
    with Vartolik(remove=COMPANIONS, add={"dictiona.dat": b"Gr (ghar)\r\n" + dictionary}) as app:
        clip = Clipboard(app)
        try:
            app.focus()
            unchecked = options_menu(app)  # off at start
            app.key("F8")  # on the intro screen
            checked = options_menu(app)
            diff = ImageChops.difference(unchecked, checked).getbbox()
            assert diff and diff[2] - diff[0] < 20 and diff[3] - diff[1] < 20, \
                f"no check mark, or more than a check mark changed: {diff}"
            # From the intro screen straight to the results, without the language dialog; a
            # copied word is looked up in Phonetic whatever the mode (SubString here), the
            # word itself first.
            before = stamp(app)
            clip.put(f"\u00ab{WATER}\u00bb\u0964")
            expect_lookup(app, before, lambda line: line.startswith(b"panY ("))
            assert app.no_dialog(LANGUAGE_BOX, 0.5)
            shot = settled(app)
            app.screenshot("clipboard_tracked_hindi")
            assert header_language(shot) == "Hindi"
            assert status_says(app, shot, b"Phonetic has found ", b"Dictionary has found ")[0]

            before = stamp(app)
            clip.put("(\u0434\u043e\u043c),")
            house = "\u0434\u043e\u043c".encode("cp1251")
            # The first line is an entry whose first translation is the word.
            expect_lookup(app, before, lambda line: house in line.partition(b") ")[2]
                          .split(b";")[0].split(b",")[0])
            assert header_language(settled(app)) == "Russian"

            # The program's own copy is no lookup (the copied line would be one).
            before = stamp(app)
            clip.put(HOUSE)
            lines = expect_lookup(app, before, lambda line: line.startswith(b"Gr ("))
            assert lines[0] == b"Gr (ghar)", lines[0]
            before = stamp(app)
            app.focus()
            app.key("ctrl+c")
            poll("the copy on the X clipboard", lambda: clip.get() == HOUSE + " (ghar)", 10)
            assert untouched(app, before), "the program's own copy started a lookup"

            # A paragraph is ignored.
            clip.put(" ".join([WATER] * 100))
            assert untouched(app, before), "500 characters were looked up"

            # A sentence: each word's entry once, in the order of the text, through inflections;
            # the word with no entry named on the last line; the first word in the query line.
            clip.put("लड़कियों ने "
                     "किताबें पढ़ीं, "
                     "किताबें ग्लोर"
                     "्फ़िन।")
            poll("the sentence glossed", lambda: stamp(app) != before, 10)
            lines = result_file(app).split(b"\r\n")
            heads = [decode_line(line).split(" ")[0] for line in lines if line]
            assert heads == ["लड़की", "ने",
                             "किताब", "पढ़ना",
                             "?"], heads
            assert decode_line(lines[4]).endswith("ग्लोर्"
                                                  "फ़िन"), lines[4]
            poll("the sentence's count on the status line",
                 lambda: status_says(app, app.screenshot(), b"Sentence: 6 words, 5 found",
                                     b"Dictionary has found ")[0], 10)
            app.screenshot("clipboard_sentence")
            before = stamp(app)

            # A word copied while a box is open (F3's question) is looked up once it closes.
            app.focus()
            app.key("F3")
            box = app.wait_dialog("Attention")
            clip.put(WATER)
            assert untouched(app, before, 1.5), "looked up behind the box"
            app.press(box, CANCEL)
            expect_lookup(app, before, lambda line: line.startswith(b"panY ("))
            before = stamp(app)

            # What Phonetic found for a copied word is said on the status line.
            clip.put("qqzx")
            poll("the Phonetic search", lambda: stamp(app) != before, 10)
            message = b"Phonetic has found "
            poll("the Phonetic note on the status line",
                 lambda: status_says(app, app.screenshot(), message, b"Dictionary has found ")[0],
                 10)
            app.screenshot("clipboard_phonetic_note")

            # Minimised: the lookup brings the window back.
            app.post(WM_SYSCOMMAND, SC_MINIMIZE, 0)
            poll("the window minimised", lambda: app.find("My Window").iconic)
            before = stamp(app)
            clip.put(WATER)
            expect_lookup(app, before, lambda line: line.startswith(b"panY ("))
            poll("the window restored", lambda: not app.find("My Window").iconic, 10)

            # Read in another program: the window comes up over it, the keyboard stays there.
            notepad = subprocess.Popen(["wine", "notepad"], cwd=app.workdir, env=app.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                other = app.wait_top_window("Notepad")
                poll("notepad in front", lambda: app.probe("foreground").strip() == str(other.hwnd)
                     and app.probe("above", other.hwnd).strip() == "0", 10)
                before = stamp(app)
                clip.put(HOUSE)
                expect_lookup(app, before, lambda line: line.startswith(b"Gr ("))
                poll("the dictionary over notepad",
                     lambda: app.probe("above", other.hwnd).strip() == "1", 10)
                app.screenshot("clipboard_over_another_program", window=other)
                assert app.probe("foreground").strip() == str(other.hwnd), "the keyboard moved"
            finally:
                notepad.kill()
                notepad.wait()

            # Off again: the check mark goes, and nothing is looked up.
            app.focus()
            app.key("Escape")  # the prompt, so that only the menu differs between the shots
            checked = options_menu(app)
            before = stamp(app)
            app.command(TRACK_CLIPBOARD)
            time.sleep(0.5)
            diff = ImageChops.difference(options_menu(app), checked).getbbox()
            assert diff and diff[2] - diff[0] < 20 and diff[3] - diff[1] < 20, \
                f"the check mark stayed, or more than it changed: {diff}"
            clip.put(WATER)
            assert untouched(app, before), "a lookup with tracking off"
        finally:
            clip.close()


if __name__ == "__main__":
    if subprocess.run(["which", "xclip"], capture_output=True).returncode != 0:
        raise E2eError("xclip is missing: run scripts/setup.sh")
    run_tests([test_paste_and_copy, test_tracking])
