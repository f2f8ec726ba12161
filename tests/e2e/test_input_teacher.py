"""The teacher lists in a user's hands: F6 into the teacher view, scrolling it, deleting the
first shown pair with OK and with Cancel, and the messages when a list cannot be written."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import Vartolik, colorref, poll, run_tests  # noqa: E402
from test_input_flows import (CANCEL, COMPANIONS, OK, RUSSIAN_BUTTON, answer_save,  # noqa: E402
                              expect_search, go_and_choose, ink, keys, lines_of, pane, same,
                              settled)
from test_clipboard import status_says  # noqa: E402

DELETE_TEXT = "Are you shure you want to delete first line from lemora"
ACTION = colorref(0x00641414)
HINDI = [b"kam", b"Gr", b"panY", b"iktab", b"Anuvad"]
RUSSIAN = [w.encode("cp1251") for w in ("работа", "дом", "вода", "книга", "перевод")]


def crlf(lines):
    return b"".join(line + b"\r\n" for line in lines)


def answer_delete(app, button):
    box = app.wait_dialog("Attention !")
    assert box.text == DELETE_TEXT, box.text
    app.press(box, button)
    app._wait_gone(box)


def row(shot, k, x0, x1):
    """Line k of a teacher list as drawn: the band from y 132 + 30k (below the pane's frame,
    which the keys redraw at y 130 and 131) to 160 + 30k."""
    return shot.crop((x0, 132 + 30 * k, x1, 160 + 30 * k))


def lists(app):
    return lines_of(app, "hin.tea"), lines_of(app, "rus.tea")


def test_teacher_view_scroll_and_delete():
    with Vartolik(remove=COMPANIONS, add={"hin.tea": crlf(HINDI), "rus.tea": crlf(RUSSIAN)}) \
            as app:
        go_and_choose(app, RUSSIAN_BUTTON)
        prompt = settled(app)
        keys(app, "F6")
        view = poll("the teacher view", lambda: (lambda s: s if not same(pane(s), pane(prompt))
                                                 else None)(app.screenshot()))
        view = settled(app)
        app.screenshot("input_teacher_view")
        # Both lists drawn side by side in the action colour, five lines and no more.
        for k in range(5):
            assert ink(view, (20, 130 + 30 * k, 200, 160 + 30 * k), ACTION) > 10, k
            assert ink(view, (220, 130 + 30 * k, 400, 160 + 30 * k), ACTION) > 10, k
        assert ink(view, (20, 282, 400, 340), ACTION) == 0
        # Drawing the view refreshed the backups.
        assert (app.workdir / "hintea.bak").read_bytes() == crlf(HINDI)
        assert (app.workdir / "rustea.bak").read_bytes() == crlf(RUSSIAN)

        # Down moves both lists up by one line together; Page Up below 10 keeps the line.
        keys(app, "Down")
        down = poll("the lists to move", lambda: (lambda s: s if not same(s, view)
                                                  else None)(app.screenshot()))
        down = settled(app)
        for k in range(0, 4):
            assert same(row(down, k, 10, 500), row(view, k + 1, 10, 500)), k
        # A letter (typed into the query line) redraws the lists as well: with a list changed
        # on disk the letter shows the change, and with it put back the view is as before.
        changed = RUSSIAN[:1] + ["ёёёёёёёёёёёё".encode("cp1251")] + RUSSIAN[2:]
        (app.workdir / "rus.tea").write_bytes(crlf(changed))
        keys(app, "Page_Up", "x")
        poll("the changed list", lambda: not same(pane(app.screenshot()), pane(down)))
        (app.workdir / "rus.tea").write_bytes(crlf(RUSSIAN))
        keys(app, "x")
        poll("the list as it was", lambda: same(pane(app.screenshot()), pane(down)))

        # Delete at line 1: Cancel keeps both lists, OK removes the pair from both.
        keys(app, "F6")
        answer_delete(app, CANCEL)
        assert lists(app) == (HINDI, RUSSIAN)
        keys(app, "F6")
        answer_delete(app, OK)
        poll("the pair deleted", lambda: lists(app) == (HINDI[:1] + HINDI[2:],
                                                         RUSSIAN[:1] + RUSSIAN[2:]))
        # The repaint that follows draws the view, which refreshes the backups again.
        poll("fresh backups", lambda: (app.workdir / "hintea.bak").read_bytes() ==
             crlf(HINDI[:1] + HINDI[2:]))
        # The view stays, still at line 1, now showing what was line 2.
        after = settled(app)
        app.screenshot("input_teacher_deleted")
        assert same(row(after, 0, 215, 500), row(view, 2, 215, 500))

        # Past the end deletion changes nothing; Up at 0 stays; the menu command deletes too.
        keys(app, "Page_Down", "F6")
        answer_delete(app, OK)
        assert lists(app) == (HINDI[:1] + HINDI[2:], RUSSIAN[:1] + RUSSIAN[2:])
        keys(app, *["Up"] * 12)  # from 11 down to 0, where Up stops
        app.command(128)
        answer_delete(app, OK)
        poll("the first pair deleted", lambda: lists(app) == (HINDI[2:], RUSSIAN[2:]))

        # Esc: back to the prompt; the menu command enters the view again from the top.
        keys(app, "Escape")
        poll("the prompt", lambda: same(pane(app.screenshot()), pane(prompt)))
        app.command(128)
        poll("the teacher view", lambda: ink(app.screenshot(), (20, 130, 200, 160), ACTION) > 10)
        assert same(row(settled(app), 0, 215, 500), row(view, 2, 215, 500))


WM_CHAR, CTRL_Y = 0x0102, b"\x19"
LANGUAGE = {"Hindi": 122, "Russian": 123}
SUBSTRING, EXACT, PHONETIC = 205, 208, 209


def cp(text):
    return text.encode("cp1251")


# rus.tea holds Russian, always: the query where the entry shown has it as a whole word,
# otherwise that entry's first translation. (language, mode, query, lines scrolled down,
# headword saved, Russian saved)
RUSSIAN_SIDE = [
    ("Russian", EXACT, cp("дом"), 0, None, "дом"),          # in "гостевой дом"
    ("Russian", PHONETIC, b"paanee", 0, None, "вода"),      # Latin: पानी's first translation
    ("Russian", PHONETIC, cp("читаю"), 0, None, "читать"),  # inflected: पढ़ना's, not the form
    ("Hindi", EXACT, b"panY", 1, b"panY", "вода"),          # Hindi codes: पानी's translation
]


def search_for(app, language, mode, query):
    """Types the query into an emptied line and searches; returns once f2.tc is rewritten."""
    app.command(LANGUAGE[language])
    app.command(mode)
    app.type_bytes(CTRL_Y + query)
    before = (app.workdir / "f2.tc").stat().st_mtime_ns if (app.workdir / "f2.tc").exists() \
        else None
    keys(app, "Return")
    result = app.workdir / "f2.tc"
    poll(f"the search for {query!r}", lambda: result.exists() and
         result.stat().st_mtime_ns != before)
    # Written whole: the same lines a moment later.
    last = [None]

    def whole():
        lines, last[0] = last[0], lines_of(app, "f2.tc")
        return lines and lines == last[0]
    poll(f"f2.tc for {query!r} written", whole)


def save(app):
    keys(app, "F3")
    answer_save(app, OK)


def test_saved_pair_is_the_pair_shown():
    with Vartolik(remove=COMPANIONS) as app:
        go_and_choose(app, RUSSIAN_BUTTON)
        settled(app)
        for language, mode, query, down, headword, russian in RUSSIAN_SIDE:
            search_for(app, language, mode, query)
            shown = lines_of(app, "f2.tc")
            if down:
                keys(app, *["Down"] * down)
            save(app)
            poll(f"{russian} saved for {query!r}", lambda: lines_of(app, "rus.tea")[-1:] ==
                 [cp(russian)], 10)
            assert lines_of(app, "hin.tea")[-1] == shown[down].split(b" ")[0], query
            if headword:
                assert lines_of(app, "hin.tea")[-1] == headword

        # F3 takes the shown lines, not f2.tc: another copy of the program (or vartolik-cli)
        # rewrote it since.
        search_for(app, "Russian", EXACT, cp("вода"))
        first = lines_of(app, "f2.tc")[0].split(b" ")[0]
        (app.workdir / "f2.tc").write_bytes(lines_of(app, "f2.tc")[5] + b"\r\n")
        save(app)
        pair = (first, cp("вода"))
        poll("the pair shown saved", lambda: (lines_of(app, "hin.tea")[-1],
                                               lines_of(app, "rus.tea")[-1]) == pair, 10)

        # A search that fails leaves the results and a new word in the line: the pair saved is
        # still the one shown, and the status line says which Russian word went with it.
        (app.workdir / "dictiona.dat").rename(app.workdir / "away.dat")
        app.type_bytes(CTRL_Y + cp("дом"))
        app.post(WM_CHAR, 13)  # posted: the failure box must not hold the probe
        box = app.wait_dialog("Unfourtunately")
        assert box.text == 'Can not find "dictiona.dat"', box.text
        app.press(box, OK)
        app._wait_gone(box)
        (app.workdir / "away.dat").rename(app.workdir / "dictiona.dat")
        save(app)
        poll("the same pair again", lambda: len(lines_of(app, "hin.tea")) == len(RUSSIAN_SIDE) + 2)
        assert (lines_of(app, "hin.tea")[-1], lines_of(app, "rus.tea")[-1]) == pair
        poll("the saved word on the status line", lambda: status_says(
            app, app.screenshot(), b'Saved to the teacher lists with "' + cp("вода") + b'"',
            b"Dictionary has found")[0], 10)
        app.screenshot("input_teacher_saved_after_failed_search")


def test_refused_teacher_changes_are_reported():
    with Vartolik(remove=COMPANIONS, add={"rus.tea": crlf(RUSSIAN)}) as app:
        (app.workdir / "hin.tea").mkdir()  # a list that cannot be read or written
        go_and_choose(app, RUSSIAN_BUTTON)
        app.type_russian("вод")
        keys(app, "Return")
        expect_search(app, "вод".encode("cp1251"), 0)
        keys(app, "F3")
        answer_save(app, OK)
        box = app.wait_dialog("Attention")
        assert "hin.tea" in box.text and ("not changed" in box.text or "as they were" in
                                          box.text or "Nothing" in box.text), box.text
        app.screenshot("input_teacher_refused")
        app.press(box, OK)
        app._wait_gone(box)
        assert (app.workdir / "rus.tea").read_bytes() == crlf(RUSSIAN)
        assert (app.workdir / "hin.tea").is_dir()

        keys(app, "F6", "F6")
        answer_delete(app, OK)
        box = app.wait_dialog("Attention")
        assert "Nothing" in box.text or "as they were" in box.text, box.text
        app.press(box, OK)
        app._wait_gone(box)
        assert (app.workdir / "rus.tea").read_bytes() == crlf(RUSSIAN)
        assert not (app.workdir / "rustea.bak").exists() or \
            (app.workdir / "rustea.bak").read_bytes() == crlf(RUSSIAN)


if __name__ == "__main__":
    run_tests([test_teacher_view_scroll_and_delete, test_saved_pair_is_the_pair_shown,
               test_refused_teacher_changes_are_reported])
