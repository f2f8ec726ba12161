"""The Phonetic match mode in a user's hands: chosen in the menu with the keyboard (the item is
no longer grayed), then a learner's Latin spelling typed while Hindi is the search language and
Enter. f2.tc must hold the entry the learner meant, among a short list, and the screen shows
the results."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import Vartolik, _root, poll, run_tests  # noqa: E402

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


if __name__ == "__main__":
    run_tests([test_phonetic_from_the_menu_finds_a_learners_spelling])
