"""The intro screen of the real program: its look, its controls, and the ways the program ends."""
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import (ERROR_CAPTION, FONT_FILES, WM_DESTROY, E2eError, Vartolik,  # noqa: E402
                          colorref, poll, run_tests)

FACE, HIGHLIGHT, SHADOW = (200, 200, 200), (250, 250, 250), (16, 16, 16)
# Frames of the information bar, GO, HELP and LEARN (left, top, right, bottom), a point inside.
CONTROLS = {
    "information": ((53, 425, 450, 450), (100, 437)),
    "GO": ((196, 474, 296, 499), (250, 485)),
    "HELP": ((296, 474, 396, 499), (340, 485)),
    "LEARN": ((396, 474, 496, 499), (440, 485)),
}


def f32(v):
    return struct.unpack("f", struct.pack("f", v))[0]


def gradient(x):
    t = f32(x * f32(1 / 260))
    s = f32((2 - t) * t * 0.7 + 0.3)
    return (240, int(s * 155), int(s * 240))


def frame_state(shot, box):
    left, top, right, bottom = box
    return shot.getpixel((left, top)), shot.getpixel((left + 1, top + 1)), \
        shot.getpixel((right - 1, bottom - 1))


def expect_raised(shot, name):
    assert frame_state(shot, CONTROLS[name][0]) == (FACE, HIGHLIGHT, SHADOW), \
        f"{name} not raised: {frame_state(shot, CONTROLS[name][0])}"


def expect_sunken(shot, name):
    assert frame_state(shot, CONTROLS[name][0]) == (FACE, SHADOW, HIGHLIGHT), \
        f"{name} not sunken: {frame_state(shot, CONTROLS[name][0])}"


def caption_ink(shot, name):
    """Pixels of the caption inside a control: darker than the face and of the caption's hue."""
    left, top, right, bottom = CONTROLS[name][0]
    ink = 0
    for y in range(top + 3, bottom - 2):
        for x in range(left + 3, right - 2):
            r, g, b = shot.getpixel((x, y))
            if (r, g, b) != FACE and b > r + 30 and r < 150:
                ink += 1
    return ink


def test_intro_screen_look():
    with Vartolik() as app:
        assert app.window_rect == (140, 20, 660, 570), app.window_rect
        assert app.probe("acp").strip() == "1251"
        shot = app.screenshot("intro")
        w, _ = app.client_size
        # The column gradient is spread over the whole screen below the picture.
        for y in (360, 410, 460):
            bad = [x for x in range(w) if x < 53 and shot.getpixel((x, y)) != gradient(x)]
            assert not bad, f"row {y}: columns {bad[:5]} are not the gradient"
            assert all(shot.getpixel((x, y)) == gradient(x) for x in range(w)
                       if not 53 <= x < 450 or y != 437), f"row {y} is not the gradient"
        assert shot.getpixel((260, 10)) == (240, 155, 240)
        assert shot.getpixel((0, 10)) == (240, 46, 72)
        for name in CONTROLS:
            expect_raised(shot, name)
            assert caption_ink(shot, name) > 15, f"{name} has no caption"
        # The canvas words and the recoloured logo are on it.
        russian = sum(1 for y in range(60, 330, 2) for x in range(40, 330, 2)
                      if shot.getpixel((x, y)) == colorref(0x00141478))
        assert russian > 150, f"Russian canvas words missing ({russian} pixels)"
        assert shot.getpixel((300, 80)) == (80, 180, 50)
        assert not any(shot.getpixel((x, y)) == colorref(0x006464C8)
                       for y in range(60, 230) for x in range(200, 500))


def test_close_box_and_alt_f4_end_with_exit_code_0():
    with Vartolik() as app:
        left, top, right, _ = app.window_rect
        # The close box is the rightmost caption button that Wine draws.
        app.xdotool("mousemove", "--sync", right - 12, top + 12, "click", 1)
        assert app.wait_exit() == 0
    with Vartolik() as app:
        app.close()
        assert app.wait_exit() == 0


def test_destroy_without_closing_ends_with_exit_code_0():
    # The Exit button sends WM_DESTROY to the window without destroying it first.
    with Vartolik() as app:
        app.send(WM_DESTROY)
        assert app.wait_exit() == 0


def test_missing_font_files_give_one_message_each_then_the_window():
    with Vartolik(remove=FONT_FILES, dismiss_startup_errors=False) as app:
        for name in FONT_FILES:
            box = app.wait_dialog(ERROR_CAPTION)
            assert box.text == (f'Cant install font "{name}" \ntry to install it manually\n'
                                ' starting with errors'), box.text
            app.press(box, 1)
            poll("the box to close", lambda: all(d.hwnd != box.hwnd for d in app.dialogs()))
        app.wait_window()
        assert app.no_dialog(ERROR_CAPTION)
        expect_raised(app.screenshot("intro_without_fonts"), "GO")


def test_font_files_in_dist_open_without_any_box():
    with Vartolik() as app:
        missing = [f for f in FONT_FILES if not (app.workdir / f).exists()]
        assert missing == [], f"the build put no {missing} into dist"
        assert app.startup_errors == [], app.startup_errors


def test_information_bar_without_document():
    with Vartolik(remove=("intro.doc",)) as app:
        app.mouse_down(*CONTROLS["information"][1])
        box = app.wait_dialog("Error")
        assert box.text == 'File not found -"intro.doc"', box.text
        expect_sunken(app.screenshot("information_pressed"), "information")
        app.press(box, 1)
        app.mouse_up()
        assert app.running()


def test_help_and_learn_report_missing_targets_on_release():
    cases = [("HELP", "helpo.htm", 'Can not open "helpo.htm"'),
             ("LEARN", "lemora1.exe", 'Can not find "lemora1.exe"')]
    for name, target, message in cases:
        with Vartolik(remove=(target,)) as app:
            app.mouse_down(*CONTROLS[name][1])
            poll(f"{name} to go down", lambda: frame_state(app.screenshot(), CONTROLS[name][0])
                 == (FACE, SHADOW, HIGHLIGHT))
            app.mouse_up()
            box = app.wait_dialog("Unfourtunately")
            assert box.text == message, box.text
            shot = app.screenshot(f"{name.lower()}_released")
            for control in CONTROLS:
                expect_raised(shot, control)
            app.press(box, 1)


def test_help_and_introduction_open_in_the_desktop_programs():
    """scripts/setup.sh gives the prefix a program for .htm and .doc: Wine's winebrowser, which
    hands the file to the desktop's xdg-open. A stand-in xdg-open records what it is given."""
    app = Vartolik()
    opened = app.tmp / "opened.txt"
    stand_in = app.tmp / "bin" / "xdg-open"
    stand_in.parent.mkdir()
    stand_in.write_text(f'#!/bin/sh\necho "$1" >> "{opened}"\n')
    stand_in.chmod(0o755)
    app.env["PATH"] = f"{stand_in.parent}:{app.env['PATH']}"
    ways = [("HELP released", "helpo.htm"), ("Help on dictionary", "helpo.htm"),
            ("information bar", "intro.doc")]
    with app:
        for way, document in ways:
            opened.unlink(missing_ok=True)
            if way == "HELP released":
                app.mouse_down(*CONTROLS["HELP"][1])
                app.mouse_up()
            elif way == "Help on dictionary":
                app.command(135)
            else:
                app.click(*CONTROLS["information"][1])
            got = poll(f"{document} handed to xdg-open ({way})",
                       lambda: opened.exists() and opened.read_text().strip(), 20)
            assert got == (app.workdir / document).as_uri(), (way, got)
            assert not app.dialogs(), app.dialogs()


def test_go_runs_the_language_choice():
    with Vartolik() as app:
        app.click(*CONTROLS["GO"][1])
        box = app.wait_dialog("Choose language to search in")
        shot = app.screenshot("language_choice")
        assert shot.getpixel((5, 400)) != gradient(5), "the intro screen is still shown"
        app.press(box, 131)  # Hindi
        poll("the language dialog to close",
             lambda: all(d.hwnd != box.hwnd for d in app.dialogs()))
        assert app.running()


def test_presses_outside_the_controls_draw_nothing():
    with Vartolik() as app:
        before = app.screenshot()
        for point in ((296, 485), (250, 475), (250, 497), (53, 437)):
            app.click(*point)
        after = app.screenshot("outside_presses")
        assert list(before.getdata()) == list(after.getdata())
        if app.dialogs():
            raise E2eError(f"unexpected boxes: {app.dialogs()}")


if __name__ == "__main__":
    run_tests([test_intro_screen_look, test_close_box_and_alt_f4_end_with_exit_code_0,
               test_destroy_without_closing_ends_with_exit_code_0,
               test_missing_font_files_give_one_message_each_then_the_window,
               test_font_files_in_dist_open_without_any_box,
               test_information_bar_without_document,
               test_help_and_learn_report_missing_targets_on_release,
               test_help_and_introduction_open_in_the_desktop_programs,
               test_go_runs_the_language_choice,
               test_presses_outside_the_controls_draw_nothing])
