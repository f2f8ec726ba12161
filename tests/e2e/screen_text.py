"""Text on the program's screen compared pixel by pixel with the same bytes drawn by GDI.

The probe draws the bytes with the font the program makes (same CreateFontA values, the same
font files registered first) into a DIB section; the pixels it covers at least half are
compared with the pixels of a screenshot that are at least half the text's colour. A text
drawn where expected matches its reference nearly pixel for pixel; a wrong face, a wrong
word or a wrong number does not.
"""
import tempfile
from pathlib import Path

import numpy as np
from PIL import Image

from vartolik_e2e import FONT_FILES

DEVANAGARI, CYRILLIC = "SS Devanagari Tolmi II", "Times New Roman Cyr"
# (face, height, width, weight, italic, charset) of the program's fonts.
FONT_HEADWORD = (DEVANAGARI, 30, 5, 500, 0, 1)
FONT_HINDI = (DEVANAGARI, 20, 6, 100, 0, 1)
FONT_UI = (CYRILLIC, 20, 6, 500, 0, 1)
FONT_NOTE = (CYRILLIC, 20, 6, 500, 1, 1)   # italic, the default (Cyrillic) character set
FONT_CANVAS_HINDI = (DEVANAGARI, 50, 15, 500, 0, 1)
FONT_KEYBOARD_DIALOG = ("DV_Divya", -16, 0, 400, 0, 1)  # 12 points at 96 dots per inch

HEADWORD_BLUE = (20, 20, 200)
MATCH_GREEN = (20, 170, 20)
HINDI_GREY = (60, 60, 60)
ACTION = (20, 20, 100)
LABEL = (10, 10, 60)
CANVAS_HINDI = (94, 166, 29)
# The frames' and the caret's colours: never text, though dark enough to pass for it.
FRAME_COLOURS = ((16, 16, 16), (200, 200, 200), (250, 250, 250))

_ORIGIN = (20, 10)  # where the probe puts the text's top-left corner
_cache = {}


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def reference(app, font, data, level=0.5):
    """Ink of `data` (bytes) in `font`: a boolean array of the pixels covered at least
    `level`, with the text's top-left corner, as TextOutA places it, at (20, 10)."""
    key = (font, bytes(data), level)
    if key not in _cache:
        face, height, width, weight, italic, charset = font
        with tempfile.TemporaryDirectory(dir=app.tmp) as tmp:
            out = Path(tmp) / "text.pgm"
            app.probe("render", windows_path(out), height, width, weight, italic, charset, face,
                      bytes(data).hex() or "", *[windows_path(app.workdir / f) for f in FONT_FILES])
            ink = np.asarray(Image.open(out)) <= 255 * (1 - level)
        _cache[key] = ink
    return _cache[key]


def ink_of(shot, colours, rows=None, background=None, level=0.5):
    """Pixels that are covered at least `level` (half) by text of one of the colours. Text is drawn
    smoothed, so an edge pixel lies between the text colour C and the background B; its
    coverage is its distance from B along the line from B to C. B is taken per column as the
    median of the rows `rows` (top, bottom) of the picture, all rows when None: text covers
    few pixels of a column, and the backgrounds here change little from row to row; or the
    colour `background` everywhere, for a text on a plain fill. A pixel
    well off that line (farther than a third of the way from B to C) is not this text."""
    pixels = np.asarray(shot, dtype=np.float32)
    top, bottom = rows or (0, pixels.shape[0])
    if background is None:
        background = np.median(pixels[top:bottom], axis=0)[None, :, :]
    else:
        background = np.array(background, np.float32)[None, None, :]
    mask = np.zeros(pixels.shape[:2], bool)
    for c in colours:
        span = np.array(c, np.float32)[None, None, :] - background
        length = (span * span).sum(axis=2)
        offset = pixels - background
        coverage = (offset * span).sum(axis=2) / np.maximum(length, 1.0)
        # A pixel of other ink (a frame line, the caret, a speck of texture) lies off the line
        # from B to C.
        off_line = offset - coverage[:, :, None] * span
        stray = (off_line * off_line).sum(axis=2) > 0.1 * length
        mask |= (coverage >= level) & ~stray & (length > 900)  # text 30 levels off the ground
    for c in FRAME_COLOURS:
        mask &= ~(np.abs(pixels - np.array(c, np.float32)) <= 2).all(axis=2)
    mask[:top] = False
    mask[bottom:] = False
    return mask


def _score(mask, ref, top, left):
    """Overlap (intersection over union) of the reference placed with its array's (0, 0) at
    (left, top) and the screen ink under the reference's ink box, 2 pixels wider all round."""
    ys, xs = np.nonzero(ref)
    if len(ys) == 0:
        return 0.0
    y0, y1, x0, x1 = ys.min() - 2, ys.max() + 3, xs.min() - 2, xs.max() + 3
    h, w = mask.shape
    if top + y0 < 0 or left + x0 < 0 or top + y1 > h or left + x1 > w:
        return 0.0
    screen = mask[top + y0:top + y1, left + x0:left + x1]
    want = ref[y0:y1, x0:x1]
    both = np.count_nonzero(screen & want)
    return both / (np.count_nonzero(screen) + np.count_nonzero(want) - both)


def match_at(shot, x, y, ref, colours, rows=None, slack=1, background=None, level=0.5):
    """Best overlap of a reference drawn at (x, y), allowing `slack` pixels either way;
    returns (score, x, y) of the best placement. rows: as for ink_of."""
    mask = ink_of(shot, colours, rows, background, level)
    best = (0.0, x, y)
    for dy in range(-slack, slack + 1):
        for dx in range(-slack, slack + 1):
            s = _score(mask, ref, y + dy - _ORIGIN[1], x + dx - _ORIGIN[0])
            best = max(best, (s, x + dx, y + dy))
    return best


def locate(shot, ref, colours, box, rows=None):
    """Best placement of a reference anywhere with its top-left corner inside box (left,
    top, right, bottom): (score, x, y). rows: as for ink_of."""
    mask = ink_of(shot, colours, rows)
    left, top, right, bottom = box
    best = (0.0, left, top)
    ys, xs = np.nonzero(ref)
    if len(ys) == 0:
        return best
    # Only corners where the reference's inkiest row (a Devanagari word's headline) meets
    # screen ink are scored.
    dense = int(np.argmax(ref.sum(axis=1))) - _ORIGIN[1]
    for y in range(top, bottom):
        if 0 <= y + dense < mask.shape[0] and not mask[y + dense].any():
            continue
        for x in range(left, right):
            s = _score(mask, ref, y - _ORIGIN[1], x - _ORIGIN[0])
            if s > best[0]:
                best = (s, x, y)
    return best


def text_width(app, font, data):
    """Width of the bytes in the font, as GetTextExtentPoint32A gives it."""
    ref = reference(app, font, data)
    return ref.shape[1] - 40  # the probe's picture is the text's extent plus 40


def found_count_scores(app, shot, counts, x=10, y=99, colour=LABEL):
    """How well each count's digits in "Dictionary has found %d words for you", drawn in
    fontUi at (x, y), match the screen: {count: score}. The digits and the letter after them
    are compared where the common beginning of the line ends, with the texture's mean colour as background; the
    font's thin strokes count from 40 % coverage on."""
    at = x + text_width(app, FONT_UI, b"Dictionary has found ")
    texture = (228, 213, 172)
    return {n: match_at(shot, at, y, reference(app, FONT_UI, b"%d w" % n, 0.4), [colour],
                        (y + 1, y + 20), background=texture, level=0.4)[0] for n in counts}
