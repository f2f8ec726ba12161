"""Files the search cannot use, met in the real program: a folder in place of dictiona.dat or
of f2.tc. The search says so in a message box and leaves the last result as it was; the
line count reports an error instead of a count."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import Vartolik, poll, run_tests  # noqa: E402

WM_CHAR = 0x0102
RUSSIAN_BUTTON, QUANTITY_OF_WORDS = 130, 133
DOM = "\u0434\u043e\u043c".encode("cp1251")  # "дом"
ERROR_WORD = "\u043e\u0448\u0438\u0431\u043a\u0430"  # "ошибка"


def go_russian_and_search(app, query):
    app.click(250, 485)  # GO
    box = app.wait_dialog("Choose language to search in")
    app.press(box, RUSSIAN_BUTTON)
    poll("the language dialog to close", lambda: not app.dialogs())
    app.type_bytes(query)
    app.post(WM_CHAR, 13)  # posted: the search's message box must not hold the probe


def box_saying(app, words):
    return poll(f"a message box saying {words!r}",
                lambda: next((d for d in app.dialogs() if words in d.text), None))


def test_folder_as_dictionary():
    app = Vartolik(remove=("dictiona.dat",), add={"f2.tc": b"previous\r\n"})
    (app.workdir / "dictiona.dat").mkdir()
    with app:
        go_russian_and_search(app, DOM)
        box = box_saying(app, "is not a regular file")
        assert box.title == "Unfourtunately" and '"dictiona.dat"' in box.text, box
        app.screenshot("refusal_folder_dictionary")
        app.press(box, 1)
        app._wait_gone(box)
        assert (app.workdir / "f2.tc").read_bytes() == b"previous\r\n"
        app.command(QUANTITY_OF_WORDS)
        box = app.wait_dialog("How much words")
        assert box.text == ERROR_WORD, box.text
        app.press(box, 1)
        app._wait_gone(box)
        app.close()
        assert app.wait_exit() == 0


def test_folder_as_result_file():
    app = Vartolik(remove=("f2.tc",))
    (app.workdir / "f2.tc").mkdir()
    with app:
        go_russian_and_search(app, DOM)
        box = box_saying(app, '"f2.tc" is not a regular file')
        app.press(box, 1)
        app._wait_gone(box)
        assert (app.workdir / "f2.tc").is_dir()
        app.close()
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests([test_folder_as_dictionary, test_folder_as_result_file])
