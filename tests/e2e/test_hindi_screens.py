"""Hindi on the real program's screens: the canvas words of the intro, a Hindi query, a result
list with Hindi headwords and examples, and the keyboard dialog, each compared pixel by pixel
with the same codes drawn by GDI in the program's fonts (screen_text.py)."""
import sys
from pathlib import Path

from PIL import Image

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "data"))
import expected_hits  # noqa: E402
from screen_text import (ACTION, CANVAS_HINDI, CYRILLIC, FONT_CANVAS_HINDI,  # noqa: E402
                         FONT_HEADWORD, FONT_HINDI, FONT_KEYBOARD_DIALOG, FONT_NOTE, FONT_UI,
                         HEADWORD_BLUE, HINDI_GREY, LABEL, MATCH_GREEN, found_count_scores,
                         locate, match_at, reference)
from vartolik_e2e import Vartolik, poll, run_tests  # noqa: E402

IDM_TITLE_BAR = 132
QUERY_FIELD = (200, 200, 100)
PANE_ROWS = (131, 440)        # inside the results pane of the full header, 512 x 504 client
SEARCH_MODE_SUBSTRING = 0
READING = "ча:-хи-э:".encode("cp1251")     # चाहिए as its line reads it, in parentheses


def expected_lines(app, query, mode):
    """The dictionary lines a search must select, with CR LF, in file order, and the count of
    matches, from the independent search of data/expected_hits.py."""
    data = (app.workdir / "dictiona.dat").read_bytes()
    found, lines = expected_hits.search(data, query, mode)
    return b"".join(lines[n] + b"\r\n" for n in sorted(set(found))), len(found)


def open_dictionary(app, language_button):
    app.click(250, 485)  # GO
    box = app.wait_dialog("Choose language to search in")
    app.press(box, language_button)
    poll("the language dialog to close", lambda: all(d.hwnd != box.hwnd for d in app.dialogs()))


def test_intro_canvas_words_are_devanagari():
    words = [(b"iktab", 30, 50), (b"Ca\x81", 80, 150), (b"Anuvad", 30, 240)]
    latin = (CYRILLIC,) + FONT_CANVAS_HINDI[1:]
    with Vartolik() as app:
        shot = app.screenshot("hindi_intro")
        for codes, x, y in words:
            score, *_ = match_at(shot, x, y, reference(app, FONT_CANVAS_HINDI, codes),
                                 [CANVAS_HINDI])
            assert score > 0.9, f"{codes!r} at ({x}, {y}): {score:.2f}"
            # The same bytes as Latin letters, or another of the words, do not fit.
            as_latin, *_ = match_at(shot, x, y, reference(app, latin, codes), [CANVAS_HINDI])
            assert as_latin < 0.4, f"{codes!r} looks like Latin letters ({as_latin:.2f})"
            for other, *_ in words:
                if other != codes:
                    s, *_ = match_at(shot, x, y, reference(app, FONT_CANVAS_HINDI, other),
                                     [CANVAS_HINDI])
                    assert s < 0.5, f"{codes!r} also fits {other!r} ({s:.2f})"


def test_hindi_query_results_and_keyboard_dialog():
    with Vartolik() as app:
        open_dictionary(app, 131)  # Hindi
        w, h = app.client_size
        # Hindi codes are Latin letters: typed on the keyboard.
        app.focus()
        app.type_text("panY")
        shot = poll("the query पानी", lambda: (lambda s: s if match_at(
            s, 15, 52, reference(app, FONT_HINDI, b"panY"), [LABEL],
            background=QUERY_FIELD)[0] > 0.9 else None)(app.screenshot()))
        as_latin, *_ = match_at(shot, 15, 52, reference(app, FONT_UI, b"panY"), [LABEL],
                                background=QUERY_FIELD)
        assert as_latin < 0.4, f"the query is drawn in a Latin face ({as_latin:.2f})"

        app.key("Return")
        lines, count = expected_lines(app, b"panY", SEARCH_MODE_SUBSTRING)
        poll("f2.tc", lambda: (app.workdir / "f2.tc").exists()
             and (app.workdir / "f2.tc").read_bytes() == lines, 10)
        # The lines come from the dictionary as it grows: चाहिए (whose example holds पानी)
        # first, पानी's own entry among them, and few enough for one screen of the list.
        assert 1 < count < 10 and lines.startswith(b"caihF ") and b"\r\npanY (" in lines, lines
        shot = poll("the found count", lambda: (lambda s: s if found_count_scores(
            app, s, [count])[count] > 0.85 else None)(app.screenshot()))
        shot = app.screenshot("hindi_results_paani")
        scores = found_count_scores(app, shot, range(1, 10))
        assert max(scores, key=scores.get) == count, scores

        # The first headword at the top left of the pane, large and blue; पानी itself in its
        # own line's headword is all match, green; in the examples, मुझे in grey and
        # the match पानी in green; the reading in italic Cyrillic.
        checks = [
            ("headword चाहिए", FONT_HEADWORD, b"caihF", [HEADWORD_BLUE], (8, 128, 13, 133)),
            ("headword पानी, matched", FONT_HEADWORD, b"panY", [MATCH_GREEN], (8, 132, 14, 260)),
            ("example मुझे", FONT_HINDI, b"muJe", [HINDI_GREY], (20, 134, w - 20, 260)),
            ("example पानी, matched", FONT_HINDI, b"panY", [MATCH_GREEN], (20, 134, w - 20, 260)),
            ("reading in italics", FONT_NOTE, READING, [ACTION], (20, 134, 160, 145)),
            ("Russian text", FONT_UI, b"\xed\xf3\xe6\xed\xe0", [ACTION], (20, 134, w - 20, 260)),
        ]
        for what, font, codes, colours, box in checks:
            score, x, y = locate(shot, reference(app, font, codes), colours, box, PANE_ROWS)
            assert score > 0.85, f"{what}: best {score:.2f} at ({x}, {y})"
        upright, *_ = locate(shot, reference(app, FONT_UI, READING), [ACTION],
                             (20, 134, 160, 145), PANE_ROWS)
        assert upright < 0.6, f"the reading is not italic ({upright:.2f})"

        # A code of the upper half (the half स of दोस्त) goes in as a character message.
        app.probe("chars", 0, (b"\x19" + b"dae\xb2t").hex())
        poll("the query दोस्त", lambda: match_at(
            app.screenshot(), 15, 52, reference(app, FONT_HINDI, b"dae\xb2t"), [LABEL],
            background=QUERY_FIELD)[0] > 0.9)

        # The compact header's "Kb" opens the keyboard dialog, whose "oo" reads ओओ.
        app.command(IDM_TITLE_BAR)
        poll("the compact header", lambda: (lambda s: s.getpixel((6, 51)) == (16, 16, 16)
             and s.getpixel((w - 84, 11)) == (250, 250, 250))(app.screenshot()))
        app.click(w - 72, 22)
        box = app.wait_dialog("Hindi Keyboard Support")
        left, top, right, bottom = map(int, app.probe("rect", box.hwnd, 65535).split())
        app.screenshot("hindi_keyboard_dialog")
        full = Image.open(app.artefacts / "hindi_keyboard_dialog_screen.png").convert("RGB")
        dialog_text = full.crop((left, top, right, bottom))
        dialog_text.save(app.artefacts / "hindi_keyboard_dialog_text.png")
        score, *_ = match_at(full, left, top, reference(app, FONT_KEYBOARD_DIALOG, b"oo"),
                             [(0, 0, 0)], rows=(top, bottom))
        assert score > 0.85, f"ओओ in the keyboard dialog: {score:.2f}"
        latin = ("Liberation Serif",) + FONT_KEYBOARD_DIALOG[1:]
        as_latin, *_ = match_at(full, left, top, reference(app, latin, b"oo"), [(0, 0, 0)],
                                rows=(top, bottom))
        assert as_latin < 0.4, f"the keyboard dialog shows Latin letters ({as_latin:.2f})"
        app.press(box, 2)


if __name__ == "__main__":
    run_tests([test_intro_canvas_words_are_devanagari,
               test_hindi_query_results_and_keyboard_dialog])
