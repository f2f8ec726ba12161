"""The program in a user's hands: searching, scrolling, the match modes, the header styles,
the companion programs and leaving, driven on the virtual display with the mouse, the
keyboard and the menu. The results are checked in f2.tc, in the teacher lists (which also
show which result line was first on the screen) and in screenshots."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import (HIGHLIGHT, SHADOW, Vartolik,  # noqa: E402
                          colorref, expected_result_file, frame_look, poll, run_tests)

COMPANIONS = ("kirvu.exe", "lemora1.exe", "helpo.htm")
LANGUAGE_BOX = "Choose language to search in"
HINDI_BUTTON, RUSSIAN_BUTTON, CLOSE = 131, 130, 2
SAVE_TEXT = ("Are you shure you want to associate founded left-corner hindi word with the "
             "search word and save it to teacher?")
OK, CANCEL = 1, 2
SUBSTRING, RIGHTAPPEND, LEFTAPPEND, EXACT = 205, 206, 207, 208
TITLE_BAR, QUANTITY = 132, 133
WM_RBUTTONDOWN = 0x0204
ACTION = colorref(0x00641414)
HINDI_INK, RUSSIAN_INK = colorref(0x00146414), colorref(0x00141464)


# ---- steps a person takes ------------------------------------------------------------------

def go_and_choose(app, button):
    """GO on the intro screen, then a button of the language dialog."""
    app.click(250, 485)
    box = app.wait_dialog(LANGUAGE_BOX)
    app.click_control(box, button)
    app._wait_gone(box)


def keys(app, *names):
    """Keys typed on the keyboard; the main window has the focus once the language dialog,
    a message box or a modeless dialog has closed."""
    app.key(*names)


def result_file(app):
    path = app.workdir / "f2.tc"
    return path.read_bytes() if path.exists() else None


def expect_search(app, query, mode):
    """Waits until f2.tc is what a search for query under mode must write; returns its lines."""
    dictionary = (app.workdir / "dictiona.dat").read_bytes()
    expected = expected_result_file(dictionary, query, mode)
    assert expected, f"the test's query {query!r} finds nothing in mode {mode}"
    poll(f"f2.tc for {query!r} in mode {mode}", lambda: result_file(app) == expected, 15)
    return expected.split(b"\r\n")[:-1]


def lines_of(app, name):
    path = app.workdir / name
    return path.read_bytes().split(b"\r\n")[:-1] if path.exists() else []


def answer_save(app, button):
    box = app.wait_dialog("Attention")
    assert box.text == SAVE_TEXT, box.text
    app.press(box, button)
    app._wait_gone(box)


def pane(shot, compact=False):
    w, h = shot.size
    return shot.crop((8, 53, w - 8, h - 8) if compact else (8, 132, w - 8, h - 61))


def same(a, b):
    return a.tobytes() == b.tobytes()


def ink(shot, box, colour, tolerance=40):
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom) for x in range(left, right)
               if all(abs(p - q) <= tolerance for p, q in zip(shot.getpixel((x, y)), colour)))


def header_language(shot):
    """The language the full header names as the current one, by the colour of its name."""
    hindi, russian = (ink(shot, (133, 26, 200, 46), c) for c in (HINDI_INK, RUSSIAN_INK))
    return "Hindi" if hindi > 10 and russian == 0 else "Russian" if russian > 10 else None


def query_empty(shot):
    """The full header's query field holds only the caret at its start."""
    w = shot.size[0]
    field = shot.getpixel((40, 62))
    return shot.getpixel((15, 60)) == SHADOW and all(
        shot.getpixel((x, y)) == field for y in range(54, 71) for x in range(20, w - 104))


def settled(app):
    """A screenshot once two in a row are the same: what the last input drew."""
    last = [app.screenshot()]

    def step():
        shot = app.screenshot()
        stable = same(shot, last[0])
        last[0] = shot
        return shot if stable else None
    return poll("the screen to settle", step)


def first_word(line):
    return line.split(b" ", 1)[0]


# ---- the flows -------------------------------------------------------------------------------

def test_russian_search_scroll_keys_and_save():
    with Vartolik(remove=COMPANIONS) as app:
        go_and_choose(app, RUSSIAN_BUTTON)
        prompt = settled(app)
        app.screenshot("input_prompt")
        assert query_empty(prompt) and header_language(prompt) == "Russian"
        app.type_russian("вод")
        keys(app, "Return")
        results = expect_search(app, "вод".encode("cp1251"), 0)
        assert len(results) > 40, len(results)
        top = poll("the result list", lambda: (lambda s: None if same(pane(s), pane(prompt))
                                                else s)(app.screenshot()))
        app.screenshot("input_results")
        # Each step: keys, then F3 answered with OK or Cancel; the saved word shows which
        # result line was first on the screen (None: nothing saved).
        steps = [((), OK, 0),
                 (("Up",), OK, 0),                       # floor at 0
                 (("Down", "Down"), OK, 2),
                 (("Page_Up",), CANCEL, None),           # floor at 10 or less
                 ((), OK, 2),                            # the same pair saved twice
                 (("Page_Down", "Page_Down"), OK, 22),
                 (("Page_Up",), OK, 12),
                 (("Page_Up",), OK, 2),
                 (("Page_Down", "Up"), OK, 11),
                 (("Page_Up",), OK, 1),                  # 11 goes to 1
                 (("Up", "Page_Down", "Page_Up"), OK, 10)]
        saved, saved_from = [], []
        for names, button, line in steps:
            keys(app, *names, "F3")
            answer_save(app, button)
            if line is not None:
                saved.append(first_word(results[line]))
                saved_from.append(results[line])
            assert lines_of(app, "hin.tea") == saved, (names, lines_of(app, "hin.tea"), saved)
        # "вод" is a whole word of no entry: each word is paired with its own entry's first
        # translation, never with the query.
        russian = lines_of(app, "rus.tea")
        assert len(russian) == len(saved)
        for line, word in zip(saved_from, russian):
            assert word and word != "вод".encode("cp1251") and word in line.split(b")", 1)[1], \
                (word, line)
        scrolled = app.screenshot("input_results_scrolled")
        assert not same(pane(scrolled), pane(top)), "the list did not move"

        # Esc goes back to the prompt and keeps the scroll line; a scroll key on the prompt
        # shows the results again, one line further.
        keys(app, "Escape")
        poll("the prompt", lambda: same(pane(app.screenshot()), pane(prompt)))
        keys(app, "Down", "F3")
        answer_save(app, OK)
        saved.append(first_word(results[11]))
        assert lines_of(app, "hin.tea") == saved

        # The wheel scrolls three lines a notch, as three presses of Down or Up would.
        for buttons, line in (((5,), 14), ((4, 4), 8), ((4, 4, 4), 0)):
            for button in buttons:
                app.click(260, 250, button=button)
            keys(app, "F3")
            answer_save(app, OK)
            saved.append(first_word(results[line]))
            assert lines_of(app, "hin.tea") == saved, (buttons, line)
        keys(app, *["Page_Down"] * 2)  # back to line 20 for what follows

        # Past the end of the results there is no word to save: a clear message, no change.
        keys(app, *["Page_Down"] * ((len(results) - 20) // 10 + 1), "F3")
        answer_save(app, OK)
        refusal = app.wait_dialog("Attention")
        assert "no Hindi word" in refusal.text and "not changed" in refusal.text, refusal.text
        app.press(refusal, OK)
        app._wait_gone(refusal)
        assert lines_of(app, "hin.tea") == saved and len(lines_of(app, "rus.tea")) == len(saved)


def test_match_modes_from_menu_dialog_and_toolbar():
    with Vartolik(remove=COMPANIONS) as app:
        go_and_choose(app, RUSSIAN_BUTTON)
        query = "дом".encode("cp1251")
        app.type_bytes(query)
        # From the menu, by command, then Enter: each mode writes its own f2.tc.
        counts = {}
        for command in (RIGHTAPPEND, LEFTAPPEND, EXACT, SUBSTRING):
            app.command(command)
            keys(app, "Return")
            counts[command] = len(expect_search(app, query, command - SUBSTRING))
        assert len(set(counts.values())) == 4, counts

        # The menu for real, with the keyboard: Options > Search Options > the fourth item,
        # which is "Exact" (LeftAppend stands before RightAppend).
        keys(app, "alt+o", "Right", "Down", "Down", "Down", "Return")
        keys(app, "Return")
        expect_search(app, query, 3)

        # The search-options dialog from the arrow button: it shows the current mode; a click
        # on "LeftAppend" sets it at once; the Search button searches with it.
        w, h = app.client_size
        app.click(w - 20, 62)
        box = app.wait_dialog("Search options")
        assert app.checked(box, EXACT) and not app.checked(box, SUBSTRING)
        app.click_control(box, LEFTAPPEND)
        poll("LeftAppend checked", lambda: app.checked(box, LEFTAPPEND))
        assert not app.checked(box, EXACT)
        app.screenshot("input_search_options")
        app.click_control(box, 2)  # Ok
        app._wait_gone(box)
        app.click(w - 60, 62)
        expect_search(app, query, 2)

        # Title bar with the mouse through the View menu: the compact header.
        app.click(47, -8)   # "View" on the menu bar, above the client area
        app.click(69, 12)   # its first item, "Title bar"
        compact = poll("the compact header", lambda: (lambda s: s if frame_look(
            s, (w - 140, 10, w - 85, 35)) == "raised" else None)(app.screenshot()))
        app.screenshot("input_compact")
        assert compact.getpixel((w - 99, h - 30)) != HIGHLIGHT, "the Wait button is still there"
        # The compact options button opens the dialog; "RightAppend" there, then the compact
        # search button searches without a status text.
        app.click(w - 47, 22)
        box = app.wait_dialog("Search options")
        app.click_control(box, RIGHTAPPEND)
        poll("RightAppend checked", lambda: app.checked(box, RIGHTAPPEND))
        app.click_control(box, 2)
        app._wait_gone(box)
        app.type_bytes(b"\x19")  # Ctrl+Y empties the query line
        app.type_russian("ход")
        app.click(w - 112, 22)
        expect_search(app, "ход".encode("cp1251"), 1)
        shot = app.screenshot("input_compact_results")
        assert frame_look(shot, (w - 140, 10, w - 85, 35)) == "raised", "search button stuck"
        # The keyboard button opens the keyboard dialog instead of the companion program.
        app.click(w - 72, 22)
        app.dismiss("Hindi Keyboard Support", CLOSE)
        assert app.no_dialog("Unfourtunately", 0.5)

        # And back to the full header with the keyboard.
        keys(app, "alt+v", "Return")
        full = poll("the full header", lambda: (lambda s: s if s.getpixel((w - 99, h - 30))
                                                == HIGHLIGHT else None)(app.screenshot()))
        assert frame_look(full, (w - 90, 50, w - 30, 75)) == "raised"


def test_presses_of_the_full_header_and_their_release():
    with Vartolik(remove=COMPANIONS) as app:
        go_and_choose(app, HINDI_BUTTON)
        w, h = app.client_size
        shot = settled(app)
        assert header_language(shot) == "Hindi"
        # The options arrow goes down at the press, which opens the search options, and only
        # the release raises it again: nothing repaints the window in between.
        arrow = (w - 30, 50, w - 10, 75)
        app.mouse_down(w - 20, 62)
        options = app.wait_dialog("Search options")
        poll("the arrow down", lambda: frame_look(app.screenshot(), arrow) == "sunken")
        app.mouse_up()
        poll("the arrow up", lambda: frame_look(app.screenshot(), arrow) == "raised")
        app.press(options, 2)
        app._wait_gone(options)
        # Released outside the window: the window holds the mouse while the button is down,
        # so the release still reaches it and raises the button.
        same_language = (10, h - 31, 175, h - 8)
        app.mouse_down(90, h - 20)
        poll("the button down", lambda: frame_look(app.screenshot(), same_language) == "sunken")
        app.move_to(app.window_rect[2] + 120, app.window_rect[1] + 200)
        app.mouse_up()
        poll("the button up after a release outside",
             lambda: frame_look(app.screenshot(), same_language) == "raised")
        app.focus()

        # The language button and "Yes, in another language." toggle the language, drawn
        # pressed while the button is held and the header redrawn at the release.
        for point, box in (((w - 35, 36), (w - 60, 26, w - 10, 47)),
                           ((260, h - 20), (185, h - 31, 350, h - 8))):
            before = header_language(app.screenshot())
            app.mouse_down(*point)
            poll("the button down", lambda: frame_look(app.screenshot(), box) == "sunken")
            app.mouse_up()
            after = poll("the header", lambda: (lambda s: s if header_language(s) not in
                                                (before, None) else None)(app.screenshot()))
            assert frame_look(after, box) == "raised"
        assert header_language(app.screenshot()) == "Hindi"

        # "Yes, in the same language." only goes down and up.
        before = app.screenshot()
        app.mouse_down(90, h - 20)
        poll("the button down",
             lambda: frame_look(app.screenshot(), (10, h - 31, 175, h - 8)) == "sunken")
        app.mouse_up()
        poll("the button up", lambda: same(app.screenshot(), before))

        # The keyboard-support strip starts the missing companion: down, a message, then
        # the whole window is redrawn.
        app.mouse_down(200, 90)
        box = app.wait_dialog("Unfourtunately")
        assert box.text == 'Can not find "kirvu.exe"', box.text
        assert frame_look(app.screenshot("input_strip_pressed"), (10, 80, w - 10, 100)) == \
            "sunken"
        app.press(box, OK)
        app._wait_gone(box)
        app.mouse_up()
        poll("the strip up", lambda: frame_look(app.screenshot(), (10, 80, w - 10, 100))
             == "raised")

        # A Hindi query typed on the keyboard (Latin codes of the Hindi face), then the
        # Search button: drawn pressed during the search, the window redrawn at release.
        app.type_text("kam")
        app.mouse_down(w - 60, 62)
        expect_search(app, b"kam", 0)
        app.mouse_up()
        shot = poll("the results", lambda: (lambda s: s if frame_look(
            s, (w - 90, 50, w - 30, 75)) == "raised" else None)(app.screenshot()))
        app.screenshot("input_hindi_results")
        # F3 after a Hindi search pairs the headword with its first Russian translation,
        # not with the typed key codes.
        keys(app, "F3")
        answer_save(app, OK)
        first = (app.workdir / "f2.tc").read_bytes().split(b"\r\n")[0]
        (word,), (russian,) = lines_of(app, "hin.tea"), lines_of(app, "rus.tea")
        assert word == first_word(first), (word, first)
        assert russian and russian != b"kam" and russian in first.split(b")", 1)[1], russian
        assert not any(0x41 <= b <= 0x7A for b in russian), "Latin key codes in " + repr(russian)
        shot = settled(app)

        # The right button does nothing; a press on empty space draws nothing.
        app.click(300, 110, button=3)
        app.click(300, 40)
        assert same(app.screenshot(), shot)


def test_companions_count_wait_go_again_and_exit():
    with Vartolik(remove=COMPANIONS) as app:
        go_and_choose(app, RUSSIAN_BUTTON)
        app.type_russian("вод")
        keys(app, "Return")
        results = expect_search(app, "вод".encode("cp1251"), 0)
        keys(app, "Down", "Down", "Down")
        w, h = app.client_size
        shown = settled(app)

        # Companion programs and the help document that are not there.
        for command, message in ((121, 'Can not find "kirvu.exe"'),
                                 (124, 'Can not find "kirvu.exe"'),
                                 (126, 'Can not find "lemora1.exe"'),
                                 (135, 'Can not find "helpo.htm"')):
            app.command(command)
            box = app.dismiss("Unfourtunately")
            assert box.text == message, (command, box.text)
        keys(app, "F5")  # starts the keyboard program without any report
        assert app.no_dialog("Unfourtunately", 1.5)

        # Wait goes to the intro screen; GO again, the language dialog closed without a
        # choice: the last view and scroll line are shown, with an empty query.
        app.click(w - 80, h - 20)
        poll("the intro screen", lambda: frame_look(app.screenshot(), (196, 474, 296, 499))
             == "raised")
        app.screenshot("input_back_to_intro")
        app.click(250, 485)
        box = app.wait_dialog(LANGUAGE_BOX)
        app.press(box, CLOSE)
        app._wait_gone(box)
        again = poll("the dictionary screen", lambda: (lambda s: s if same(pane(s), pane(shown))
                                                       else None)(app.screenshot()))
        app.screenshot("input_go_again")
        assert query_empty(again) and header_language(again) == "Russian"
        # The list at its first line, drawn with the query now empty, then back at line 3.
        keys(app, "Up", "Up", "Up")
        poll("the first line", lambda: not same(pane(app.screenshot()), pane(again)))
        first_line = settled(app)
        keys(app, "Down", "Down", "Down")
        poll("line 3 again", lambda: not same(pane(app.screenshot()), pane(first_line)))

        # Quantity of words: the count of the dictionary's lines; it leaves the list at its
        # first line, shown at once and taken by the next save.
        app.command(QUANTITY)
        count = (app.workdir / "dictiona.dat").read_bytes().count(b"\n")
        box = app.wait_dialog("How much words")
        assert box.text == f"Found {count} words in data file of dictionary", box.text
        app.press(box, OK)
        app._wait_gone(box)
        poll("the list redrawn from its first line",
             lambda: same(pane(app.screenshot()), pane(first_line)))
        app.type_russian("вод")
        keys(app, "F3")
        answer_save(app, OK)
        assert lines_of(app, "hin.tea") == [first_word(results[0])]

        # Exit ends the program with exit code 0.
        app.click(w - 30, h - 20)
        assert app.wait_exit() == 0


def test_keyboard_and_commands_on_the_intro_screen_and_status_texts():
    with Vartolik(remove=COMPANIONS + ("dictiona.dat",)) as app:
        intro = app.screenshot()
        app.type_russian("вод")
        # Acted on, these would leave Hindi chosen and the compact header.
        for command in (123, 120, 122, TITLE_BAR):
            app.command(command)
        keys(app, "Down", "F6", "F3", "Return")
        app.post(WM_RBUTTONDOWN, 0, (300 << 16) | 300)
        assert app.no_dialog("Attention", 1.0)
        assert same(app.screenshot(), intro), "the intro screen changed"
        # GO with the language dialog closed without a choice: everything as at the start.
        app.click(250, 485)
        app.dismiss(LANGUAGE_BOX, CLOSE)
        w, _ = app.client_size
        prompt = settled(app)
        assert frame_look(prompt, (w - 90, 50, w - 30, 75)) == "raised", "title bar toggled"
        assert header_language(prompt) == "Russian"
        assert query_empty(prompt)

        # F1 opens the language dialog modeless; its buttons choose the language.
        for button, language in ((HINDI_BUTTON, "Hindi"), (RUSSIAN_BUTTON, "Russian")):
            keys(app, "F1")
            box = app.wait_dialog(LANGUAGE_BOX)
            app.click_control(box, button)
            app._wait_gone(box)
            poll(f"{language} in the header",
                 lambda: header_language(app.screenshot()) == language)

        def status_extent(shot):
            xs = [x for y in range(100, 119) for x in range(8, w - 8)
                  if all(abs(p - q) <= 40 for p, q in zip(shot.getpixel((x, y)), ACTION))]
            return max(xs) - min(xs) if xs else 0

        # Enter writes the searching text before the search, whose failure is then reported.
        resting = status_extent(prompt)  # "Type here the word to search for"
        app.type_russian("вод")
        keys(app, "Return")
        box = app.wait_dialog("Unfourtunately")
        assert box.text == 'Can not find "dictiona.dat"', box.text
        searching = status_extent(app.screenshot("input_status_searching"))
        app.press(box, OK)
        app._wait_gone(box)
        # The count writes "Wait: counting" first; with no dictionary the box says so.
        app.command(QUANTITY)
        box = app.wait_dialog("How much words")
        assert box.text == "\u043e\u0448\u0438\u0431\u043a\u0430", box.text
        counting = status_extent(app.screenshot("input_status_counting"))
        app.press(box, OK)
        assert searching > resting + 40 and counting < resting - 40, (resting, searching,
                                                                     counting)


if __name__ == "__main__":
    run_tests([test_russian_search_scroll_keys_and_save,
               test_match_modes_from_menu_dialog_and_toolbar,
               test_presses_of_the_full_header_and_their_release,
               test_companions_count_wait_go_again_and_exit,
               test_keyboard_and_commands_on_the_intro_screen_and_status_texts])
