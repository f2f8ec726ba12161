"""The two companion programs started from the real program under Wine.

kirvu.exe is opened each way the dictionary offers (F5, the keyboard-support strip, the menu
commands 124 and 121); real mouse clicks on its keys, panel cells and buttons type into the
query line, and its Enter button searches: f2.tc must equal an independent search of the same
bytes (data/expected_hits.py). Two pairs are saved with F3 from real searches, one of them
after scrolling, and a cancelled save changes nothing. lemora1.exe, opened from the menu and
from LEARN on the intro screen, must show both saved pairs (read by pixels against GDI
renderings of the same bytes) and leave hin.tea and rus.tea as they were. (The failure
messages for missing companions are checked by test_input_flows.py.)"""
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from screen_text import match_at, reference  # noqa: E402
from vartolik_e2e import (WM_CLOSE, WM_COMMAND, E2eError, Vartolik,  # noqa: E402
                          expected_result_file, poll, run_tests)
from test_input_flows import header_language  # noqa: E402

KIRVU, LEMORA = "Vartolik Kirvu", "Vartolik Lemora"
IDC_LANG_HINDI = 131
IDM_KEYBOARD_HELP, IDM_LANGUAGE_RUSSIAN, IDM_LEMORA = 121, 123, 126
SAVE_TEXT = ("Are you shure you want to associate founded left-corner hindi word with the "
             "search word and save it to teacher?")

# How kirvu is opened, and the clicks typed through it: a code in hex is the key half or the
# panel cell that types it, "back" its erase button, "20" its space bar. Each list ends in a
# search with kirvu's Enter button.
KIRVU_WAYS = [
    ("F5", ["70", "61", "6E", "6B", "back", "59"], b"panY"),      # keys, a slip erased
    ("strip", ["41", "A5", "79"], b"A\xa5y"),                      # a panel cell between keys
    ("command 124", ["94", "72", "59", "62", "20"], b"\x94rYb "),  # panel cell, space bar
]

# Russian queries saved to the teacher lists, and how many lines down the list to scroll
# before saving: the Hindi word is taken from the first line shown.
SAVED = [("\u0432\u043e\u0434\u0430", 2), ("\u043a\u043d\u0438\u0433\u0430", 0)]

# The teaching program's faces, as it makes them: (face, height, width, weight, italic,
# charset), and the ink of each side of a card on its white card face.
LEMORA_HINDI = ("SS Devanagari Tolmi II", -60, 0, 400, 0, 1)
LEMORA_RUSSIAN = ("Arial", -34, 0, 700, 0, 204)
HINDI_INK, RUSSIAN_INK, CARD = (20, 100, 20), (100, 20, 20), (255, 255, 255)


def open_dictionary(app):
    app.click(250, 485)  # GO
    box = app.wait_dialog("Choose language to search in")
    app.press(box, IDC_LANG_HINDI)
    poll("the language dialog to close", lambda: not app.dialogs())


def start_kirvu(app, how):
    w, _ = app.client_size
    if how == "F5":
        app.focus()
        app.key("F5")
    elif how == "strip":
        app.click(w // 2, 90)
    else:
        app.command(int(how.split()[-1]))
    kirvu = app.wait_top_window(KIRVU)
    assert not kirvu.iconic, f"kirvu opened minimised ({how})"
    # Wholly on the 1024 x 768 screen, and clear of the header with the query line it types
    # into (the dictionary's top 100 client pixels).
    left, top, right, bottom = kirvu.window_rect
    assert 0 <= left and 0 <= top and right <= 1024 and bottom <= 768, (how, kirvu.window_rect)
    ox, oy = app.origin
    assert top >= oy + 100 or bottom <= oy or left >= ox + w or right <= ox, \
        (how, kirvu.window_rect, app.origin)
    return kirvu


def close_companion(app, window_class):
    window = app.find(window_class)
    if window:
        app.post(WM_CLOSE, 0, 0, hwnd=window.hwnd)
        app.wait_top_window_gone(window_class)


def click_through_kirvu(app, tokens):
    """Real mouse clicks where kirvu's chart puts each token."""
    points = [tuple(map(int, line.split())) for line in app.driver("where", *tokens).splitlines()
              if line.strip()]
    assert len(points) == len(tokens), points
    for x, y in points:
        app.click_screen(x, y)


def expected_result(dictionary, query):
    return expected_result_file(dictionary, query, 0)  # the start-up mode: SubString


def wait_for_result(app, want, what):
    """f2.tc once it holds `want`; on time-out the difference is reported."""
    path = app.workdir / "f2.tc"
    read = lambda: path.read_bytes() if path.exists() else None  # noqa: E731
    try:
        poll(f"f2.tc of {what}", lambda: read() == want, 15, 0.3)
    except E2eError:
        got = read()
        raise E2eError(f"{what}: f2.tc has {None if got is None else len(got.splitlines())} "
                       f"lines, expected {len(want.splitlines())}: {got[:200] if got else got!r}")


def search_by_characters(app, query):
    """Empties the query line (Ctrl+Y), types the bytes and Enter as characters."""
    (app.workdir / "f2.tc").unlink(missing_ok=True)
    app.type_bytes(b"\x19" + query + b"\r")


def save_to_teacher(app, confirm):
    app.focus()
    app.key("F3")
    box = app.wait_dialog("Attention")
    assert box.text == SAVE_TEXT, box.text
    app.dismiss("Attention", 1 if confirm else 2)


def first_word(line):
    return line.split(b" ")[0]


# ---- lemora --------------------------------------------------------------------------------
def centred_score(app, shot, font, data, ink, rect):
    """How well `data` drawn centred in rect (DrawTextA, one line) matches the screen."""
    ref = reference(app, font, data)
    width, height = ref.shape[1] - 40, ref.shape[0] - 20
    left, top, right, bottom = rect
    x, y = (left + right - width) // 2, top + (bottom - top - height) // 2
    return match_at(shot, x, y, ref, [ink], background=CARD, slack=2)[0]


def best_of(scores, what):
    ranked = sorted(scores.items(), key=lambda kv: -kv[1])
    best, score = ranked[0]
    runner_up = ranked[1][1] if len(ranked) > 1 else 0.0
    if score < 0.75 or score - runner_up < 0.2:
        raise E2eError(f"{what}: no saved word stands out ({scores})")
    return best


def check_lemora_shows_pairs(app, pairs, name):
    """Goes through lemora's cards: each question must be a saved Hindi word, its revealed
    answer the Russian query saved with it, and both pairs must come up."""
    app.artefacts.mkdir(parents=True, exist_ok=True)
    lemora = app.wait_top_window(LEMORA)
    assert not lemora.iconic, f"lemora opened minimised ({name})"
    w, _ = lemora.client_size
    hindi = {h: r for h, r in pairs}
    seen = []
    for card in range(len(pairs)):
        def question():
            shot = app.screenshot(window=lemora)
            scores = {h: centred_score(app, shot, LEMORA_HINDI, h, HINDI_INK, (30, 88, w - 30, 174))
                      for h in hindi}
            return (shot, scores) if max(scores.values()) >= 0.75 else None
        shot, scores = poll(f"card {card + 1} of lemora ({name})", question, 15, 0.5)
        shot.save(app.artefacts / f"lemora_{name}_card{card + 1}.png")
        word = best_of(scores, f"card {card + 1} question ({name})")
        app.probe("chars", lemora.hwnd, b" ".hex())  # reveal the answer

        def answer():
            shot = app.screenshot(window=lemora)
            scores = {r: centred_score(app, shot, LEMORA_RUSSIAN, r, RUSSIAN_INK, (20, 190, w - 20, 270))
                      for r in hindi.values()}
            return (shot, scores) if max(scores.values()) >= 0.75 else None
        shot, scores = poll(f"the answer of card {card + 1} ({name})", answer, 15, 0.5)
        shot.save(app.artefacts / f"lemora_{name}_answer{card + 1}.png")
        if len(set(hindi.values())) > 1:
            shown = best_of(scores, f"card {card + 1} answer ({name})")
            assert shown == hindi[word], \
                f"lemora ({name}) answers {word!r} with {shown!r}, saved with {hindi[word]!r}"
        seen.append(word)
        app.probe("chars", lemora.hwnd, b"1".hex())  # "knew it": the next card
    assert sorted(seen) == sorted(hindi), f"lemora ({name}) asked {seen}, saved {list(hindi)}"


def check_kirvu_stays_above_the_dictionary_only(app, kirvu):
    """Another program brought to the front covers kirvu; the dictionary brought back to the
    front has kirvu over it again."""
    notepad = subprocess.Popen(["wine", "notepad"], cwd=app.workdir, env=app.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        other = app.wait_top_window("Notepad")
        poll("notepad over kirvu", lambda: app.probe("above", other.hwnd, kirvu.hwnd).strip()
             == "0", 10)
        app.screenshot("kirvu_under_another_program")
        app.post(WM_CLOSE, 0, 0, hwnd=other.hwnd)
        app.wait_top_window_gone("Notepad")
    finally:
        notepad.kill()
        notepad.wait()
    w, _ = app.client_size
    app.click(w // 2, 12)  # the title: no control there
    app.screenshot("kirvu_back_over_the_dictionary")
    poll("the dictionary in front", lambda: app.probe("foreground").strip() == str(app.hwnd), 10)
    poll("kirvu over the dictionary again", lambda: app.probe(
        "above", app.hwnd, kirvu.hwnd).strip() == "1", 10)


# ---- the tests -----------------------------------------------------------------------------
def test_kirvu_types_and_lemora_shows_the_saved_pairs():
    with Vartolik() as app:
        open_dictionary(app)
        dictionary = (app.workdir / "dictiona.dat").read_bytes()
        failures = []
        for how, tokens, query in KIRVU_WAYS:
            app.type_bytes(b"\x19")  # empty the query line
            if how == "F5":
                # Searching Russian with a Russian word in the line: the first Hindi code
                # clicked turns the language to Hindi and replaces the word, as a paste does.
                app.send(WM_COMMAND, IDM_LANGUAGE_RUSSIAN)
                app.type_bytes("\u0434\u043e\u043c".encode("cp1251"))
            (app.workdir / "f2.tc").unlink(missing_ok=True)
            kirvu = start_kirvu(app, how)
            if how == "F5":
                check_kirvu_stays_above_the_dictionary_only(app, kirvu)
            click_through_kirvu(app, tokens + ["enter"])
            try:
                wait_for_result(app, expected_result(dictionary, query), f"{query!r} ({how})")
            except E2eError as e:
                failures.append(str(e))
            app.screenshot(f"kirvu_{how.replace(' ', '_')}", window=kirvu)
            if how == "F5":
                assert header_language(app.screenshot()) == "Hindi", "kirvu typed Latin letters"
            close_companion(app, KIRVU)
        app.screenshot("kirvu_last_search")
        # The other menu command opens the same program.
        start_kirvu(app, f"command {IDM_KEYBOARD_HELP}")
        close_companion(app, KIRVU)
        assert not failures, "\n".join(failures)

        # Two pairs saved from searches in Russian, the first after scrolling down.
        app.send(WM_COMMAND, IDM_LANGUAGE_RUSSIAN)
        pairs = []
        for word, scroll in SAVED:
            query = word.encode("cp1251")
            want = expected_result(dictionary, query)
            search_by_characters(app, query)
            wait_for_result(app, want, word)
            for _ in range(scroll):
                app.focus()
                app.key("Down")
            save_to_teacher(app, confirm=True)
            pairs.append((first_word(want.split(b"\r\n")[scroll]), query))
            app.screenshot(f"saved_{len(pairs)}")
        hin = b"".join(h + b"\r\n" for h, _ in pairs)
        rus = b"".join(r + b"\r\n" for _, r in pairs)
        assert (app.workdir / "hin.tea").read_bytes() == hin, (app.workdir / "hin.tea").read_bytes()
        assert (app.workdir / "rus.tea").read_bytes() == rus, (app.workdir / "rus.tea").read_bytes()
        save_to_teacher(app, confirm=False)
        assert (app.workdir / "hin.tea").read_bytes() == hin, "Cancel still saved a word"
        assert (app.workdir / "rus.tea").read_bytes() == rus, "Cancel still saved a query"

        # Lemora from the menu, then from LEARN on the intro screen (Wait leads there).
        app.command(IDM_LEMORA)
        check_lemora_shows_pairs(app, pairs, "menu")
        close_companion(app, LEMORA)
        w, h = app.client_size
        app.click(w - 80, h - 20)  # Wait
        app.mouse_down(440, 485)   # LEARN starts lemora at its release
        app.mouse_up()
        check_lemora_shows_pairs(app, pairs, "learn")
        close_companion(app, LEMORA)
        app.screenshot("after_lemora")
        assert (app.workdir / "hin.tea").read_bytes() == hin, "lemora changed hin.tea"
        assert (app.workdir / "rus.tea").read_bytes() == rus, "lemora changed rus.tea"
        app.close()
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests([test_kirvu_types_and_lemora_shows_the_saved_pairs])
