"""A dozen everyday words searched both ways in the real program, in each match mode: f2.tc
against an independent search of the same dictionary (data/expected_hits.py), the found count
on the status line and the first headword of the list read by pixels, screenshots kept."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "data"))
import expected_hits  # noqa: E402
from screen_text import (FONT_HEADWORD, HEADWORD_BLUE, MATCH_GREEN,  # noqa: E402
                         found_count_scores, ink_of, match_at, reference)
from vartolik_e2e import WM_COMMAND, Vartolik, poll, run_tests  # noqa: E402

IDM_LANGUAGE_HINDI, IDM_LANGUAGE_RUSSIAN = 122, 123
# Match modes in the order searched, and how each is chosen: the Options > Search Options
# menu command, or the radio button of the search options dialog.
MODES = [("SubString", 0, "menu"), ("RightAppend", 1, "dialog"),
         ("LeftAppend", 2, "menu"), ("Exact", 3, "dialog")]
PANE_ROWS = (131, 440)


def everyday_words():
    words = []
    for line in (ROOT / "data" / "everyday_words.tsv").read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            word, head = line.split("\t")
            words.append((word, head))
    return words


def is_hindi(word):
    return any("\u0900" <= ch <= "\u097f" for ch in word)


def choose_mode(app, mode, how):
    if how == "menu":
        app.send(WM_COMMAND, 205 + mode)  # sent, so it is handled before the next search
        return
    w, _ = app.client_size
    app.click(w - 20, 62)  # the options arrow of the full header
    box = app.wait_dialog("Search options")
    app.press(box, 205 + mode)
    app.press(box, 2)      # Ok
    poll("the search options to close", lambda: all(d.hwnd != box.hwnd for d in app.dialogs()))


def search(app, query):
    """Empties the query line (Ctrl+Y), types the query and presses Enter, as characters;
    each is handled before the next, so the search has run when this returns."""
    (app.workdir / "f2.tc").unlink(missing_ok=True)
    app.probe("chars", 0, (b"\x19" + query + b"\r").hex())


def test_everyday_words_in_every_match_mode():
    words = everyday_words()
    with Vartolik() as app:
        app.click(250, 485)  # GO
        box = app.wait_dialog("Choose language to search in")
        app.press(box, 131)
        poll("the language dialog to close", lambda: not app.dialogs())
        dictionary = (app.workdir / "dictiona.dat").read_bytes()
        failures = []
        for mode_name, mode, how in MODES:
            choose_mode(app, mode, how)
            for word, head in words:
                app.send(WM_COMMAND, IDM_LANGUAGE_HINDI if is_hindi(word) else IDM_LANGUAGE_RUSSIAN)
                query = expected_hits.query_bytes(word)
                found, lines = expected_hits.search(dictionary, query, mode)
                selected = sorted(set(found))
                want = b"".join(lines[n] + b"\r\n" for n in selected)
                search(app, query)
                where = f"{word} ({mode_name})"
                got = (app.workdir / "f2.tc").read_bytes()
                if got != want:
                    failures.append(f"{where}: f2.tc has {len(got.splitlines())} lines, "
                                    f"expected {len(selected)}")
                    continue
                count = len(found)
                alternatives = sorted({count, max(count - 1, 0), count + 1, count * 10 + 1})
                shot = poll(f"the count of {where}", lambda: (lambda s: s if found_count_scores(
                    app, s, [count])[count] > 0.85 else None)(app.screenshot()))
                scores = found_count_scores(app, shot, alternatives)
                if max(scores, key=scores.get) != count:
                    failures.append(f"{where}: the status line reads like {scores}")
                shot = app.screenshot(f"everyday_{mode_name}_{query.hex()}")
                if not selected:
                    continue
                first = lines[selected[0]].split(b" ")[0]
                score, *_ = match_at(shot, 10, 130, reference(app, FONT_HEADWORD, first),
                                     [HEADWORD_BLUE, MATCH_GREEN], PANE_ROWS)
                if score < 0.8:
                    failures.append(f"{where}: first headword {first!r} scores {score:.2f}")
                if not ink_of(shot, [MATCH_GREEN], PANE_ROWS).any():
                    failures.append(f"{where}: no match is highlighted")
                if mode_name == "Exact":
                    heads = [expected_hits.dl.hindi_codec.from_codes(lines[n].split(b" ")[0])
                             for n in selected]
                    if head not in heads:
                        failures.append(f"{where}: {head} is not among {heads}")
        assert not failures, "\n".join(failures)


if __name__ == "__main__":
    run_tests([test_everyday_words_in_every_match_mode])
