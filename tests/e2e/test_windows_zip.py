"""The Windows download: vartolik-1.0-win64.zip holds one folder with the program's working
folder, a Russian readme and the StarDict books in stardict/ with their note; unzipped into a
fresh folder, the program starts from there, finds its faces and its dictionary, and a search
writes f2.tc beside it."""
import os
import re
import sys
import tempfile
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import (FONT_FILES, Vartolik, expected_result_file, frame_look,  # noqa: E402
                          poll, run_tests)

DIST = Path(os.environ.get("VARTOLIK_DIST", Path(__file__).resolve().parents[2] / "build/windows/dist"))
ZIP = DIST.parent / "vartolik-1.0-win64.zip"
FOLDER = "vartolik-1.0-win64"
EXPECTED = {"vartolik.exe", "dictiona.dat", "russform.dat", "common.dat", *FONT_FILES, "OFL.txt",
            "kirvu.exe", "lemora1.exe", "helpo.htm", "intro.doc", "readme.txt", "vartolik-cli.exe"}
# The StarDict books, as the build made them in build/windows/stardict-books, and their note.
STARDICT = DIST.parent / "stardict-books"
BOOKS = {"stardict/vartolik-hin-rus." + e for e in ("ifo", "idx", "syn", "dict.dz")} | \
    {"stardict/vartolik-rus-hin." + e for e in ("ifo", "idx", "dict.dz")}
DELO = "\u0434\u0435\u043b\u043e".encode("cp1251")  # "дело"


def test_zip_holds_one_complete_folder():
    with zipfile.ZipFile(ZIP) as z:
        names = [n for n in z.namelist() if not n.endswith("/")]
        assert all(n.startswith(FOLDER + "/") for n in names), names
        assert {n[len(FOLDER) + 1:] for n in names} == EXPECTED | BOOKS | {"stardict/stardict.txt"}, \
            sorted(names)
        for name in EXPECTED - {"readme.txt"}:
            assert z.read(f"{FOLDER}/{name}") == (DIST / name).read_bytes(), name
        for name in BOOKS:
            assert z.read(f"{FOLDER}/{name}") == (STARDICT / name[len("stardict/"):]).read_bytes(), name
        readme = z.read(f"{FOLDER}/readme.txt").decode("utf-8-sig")
        note = z.read(f"{FOLDER}/stardict/stardict.txt").decode("utf-8-sig")
    for needed in ("vartolik.exe", "helpo.htm", "\u0441\u043f\u0440\u0430\u0432\u043a", "stardict"):
        assert needed in readme, needed  # the program, the help file, the word "help", the books
    assert "GoldenDict" in note and "vartolik-hin-rus" in note
    # The number of entries it names is the shipped dictionary's: lines that are no pointer.
    lines = (DIST / "dictiona.dat").read_bytes().split(b"\r\n")
    pointer = "\u0441\u043c. ".encode("cp1251")  # "см. "
    entries = sum(1 for line in lines if line and line.split(b") ", 1)[-1][:4] != pointer)
    said = re.search("\u0441\u0442\u0430\u0442\u0435\u0439: ([0-9\u00a0]+)", readme)  # "статей: "
    assert said and int(said.group(1).replace("\u00a0", "")) == entries > 10000, \
        (said and said.group(0), entries)


def test_program_starts_from_the_unzipped_folder():
    with tempfile.TemporaryDirectory() as tmp:
        with zipfile.ZipFile(ZIP) as z:
            z.extractall(tmp)
        os.environ["VARTOLIK_DIST"] = str(Path(tmp) / FOLDER)
        try:
            app = Vartolik()
        finally:
            os.environ["VARTOLIK_DIST"] = str(DIST)
        with app:
            assert not app.startup_errors, app.startup_errors  # every face was found
            assert frame_look(app.screenshot("zip_intro"), (196, 474, 296, 499)) == "raised"
            app.click(250, 485)  # GO
            box = app.wait_dialog("Choose language to search in")
            app.press(box, 130)  # Russian
            poll("the language dialog to close", lambda: not app.dialogs())
            app.probe("chars", 0, (b"\x19" + DELO + b"\r").hex())
            dictionary = (app.workdir / "dictiona.dat").read_bytes()
            want = expected_result_file(dictionary, DELO, 0)
            assert want, "the dictionary has no entry with the word"
            poll("f2.tc", lambda: (app.workdir / "f2.tc").exists())
            assert (app.workdir / "f2.tc").read_bytes() == want
            app.screenshot("zip_results")
            app.close()
            assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests([test_zip_holds_one_complete_folder, test_program_starts_from_the_unzipped_folder])
