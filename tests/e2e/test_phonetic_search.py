"""The Phonetic match mode in a user's hands: chosen in the menu with the keyboard (the item is
no longer grayed), then a learner's Latin spelling typed while Hindi is the search language and
Enter. f2.tc must hold the entry the learner meant, among a short list, and the screen shows
the results. And Phonetic as the second chance of the other modes: a Hinglish spelling that
SubString cannot find is found by sound, said on the status line, and the mode stays."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import Vartolik, _root, poll, run_tests  # noqa: E402
from test_clipboard import status_says  # noqa: E402
from test_input_flows import (COMPANIONS, RUSSIAN_BUTTON, expect_search,  # noqa: E402
                              go_and_choose, settled)

sys.path.insert(0, str(_root() / "hindi"))
import hindi_codec  # noqa: E402

LANGUAGE_BOX = "Choose language to search in"
HINDI_BUTTON = 131


def headwords(result):
    """The headwords of f2.tc's lines, in Devanagari."""
    return [hindi_codec.from_codes(line.split(b" (", 1)[0])
            for line in result.split(b"\r\n") if line]


def test_phonetic_from_the_menu_finds_a_learners_spelling():
    with Vartolik(remove=("kirvu.exe", "lemora1.exe", "helpo.htm", "f2.tc")) as app:
        app.click(250, 485)  # GO
        box = app.wait_dialog(LANGUAGE_BOX)
        app.click_control(box, HINDI_BUTTON)
        app._wait_gone(box)
        # Options > Search Options > the fifth item, "Phonetic".
        app.key("alt+o", "Right", "Down", "Down", "Down", "Down", "Return")
        app.type_bytes(b"ladkiyan")
        app.key("Return")
        f2 = app.workdir / "f2.tc"
        result = poll("f2.tc written by the Phonetic search",
                      lambda: f2.read_bytes() if f2.exists() and f2.stat().st_size else None)
        heads = headwords(result)
        assert "\u0932\u0921\u093c\u0915\u0940" in heads, heads  # the girl, from the plural
        assert len(heads) < 20, heads
        app.screenshot("phonetic_results")


def test_nothing_found_as_typed_is_searched_by_sound():
    with Vartolik(remove=COMPANIONS + ("f2.tc",)) as app:
        go_and_choose(app, RUSSIAN_BUTTON)  # SubString, the mode at start
        app.type_bytes(b"behen")  # how Hinglish texts spell bahan, sister
        app.key("Return")
        f2 = app.workdir / "f2.tc"
        result = poll("f2.tc written by the second search",
                      lambda: f2.read_bytes() if f2.exists() and f2.stat().st_size else None)
        heads = headwords(result)
        assert heads[0] == "\u092c\u0939\u0928", heads  # बहन first
        shot = settled(app)
        app.screenshot("phonetic_second_chance")
        assert status_says(app, shot, b"Not found as typed; Phonetic has found ",
                           b"Dictionary has found ")[0], "no note of the second chance"
        # The mode stayed SubString: a Russian word is found in dictionary order, as typed.
        for _ in range(5):
            app.key("BackSpace")
        house = "\u0434\u043e\u043c".encode("cp1251")
        app.type_bytes(house)
        app.key("Return")
        expect_search(app, house, 0)
        assert status_says(app, settled(app), b"Dictionary has found ",
                           b"Not found as typed; Phonetic has found ")[0]


if __name__ == "__main__":
    run_tests([test_phonetic_from_the_menu_finds_a_learners_spelling,
               test_nothing_found_as_typed_is_searched_by_sound])
