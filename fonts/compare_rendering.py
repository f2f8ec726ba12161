#!/usr/bin/python3
"""Compares words drawn from their codes in our face with the same words shaped from Unicode
by HarfBuzz (through PIL's raqm layout) in the font the face was built from.

Our face is drawn the way GDI draws it: glyph after glyph by advance width, no shaping. The
words are Devanagari words of Debian's English-Hindi FreeDict, sampled with a fixed seed.

Score of a word: the share of ink pixels of each rendering that lie within RADIUS pixels of
ink of the other, over both renderings together,
    (|A near B| + |B near A|) / (|A| + |B|),
at 48 pixels to the em, ink = darker than half. 1.0 means every stroke of each is matched by
a stroke of the other; a mark placed a stroke-width off or a missing conjunct costs a few per
cent per glyph. RADIUS (2 px, about a third of a stroke) forgives antialiasing and rounding.

Usage: compare_rendering.py FONT_DIR OUT_DIR [--count 1000] [--threshold T]
Writes OUT_DIR/best.png and OUT_DIR/worst.png (the 20 best and worst words, ours above, the
shaped original below) and OUT_DIR/scores.tsv; fails when fewer than 95 % score >= T.
"""

import argparse
import gzip
import os
import random
import re
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "hindi"))
import hindi_codec as hc  # noqa: E402

SOURCE = "/usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf"
FREEDICT = "/usr/share/dictd/freedict-eng-hin.dict.dz"
SIZE = 48
RADIUS = 2


def words(count, seed=1000):
    text = gzip.open(FREEDICT, "rt", encoding="utf-8").read()
    all_words = sorted(set(re.findall(r"[\u0900-\u097F]+", text)))
    rng = random.Random(seed)
    rng.shuffle(all_words)
    picked = []
    for w in all_words:
        try:
            picked.append((w, hc.to_codes(w)))
        except hc.EncodeError:
            continue
        if len(picked) == count:
            break
    return picked


def render(text, font, width):
    img = Image.new("L", (width, SIZE * 2), 255)
    ImageDraw.Draw(img).text((SIZE // 2, int(SIZE * 1.4)), text, font=font, fill=0, anchor="ls")
    return img


def ink(img):
    return img.point(lambda v: 255 if v < 128 else 0)


def score(a, b):
    ia, ib = ink(a), ink(b)
    grow = ImageFilter.MaxFilter(2 * RADIUS + 1)
    na, nb = ia.histogram()[255], ib.histogram()[255]
    if na + nb == 0:
        return 1.0
    a_near = ImageChops.multiply(ia, ib.filter(grow)).histogram()[255]
    b_near = ImageChops.multiply(ib, ia.filter(grow)).histogram()[255]
    return (a_near + b_near) / (na + nb)


def sheet(rows, path):
    """rows: (word, score, ours, theirs)"""
    w = max(r[2].width for r in rows) + 90
    h = sum(r[2].height * 2 for r in rows)
    img = Image.new("L", (w, h), 255)
    d = ImageDraw.Draw(img)
    y = 0
    for word, s, ours, theirs in rows:
        img.paste(ours, (90, y))
        img.paste(theirs, (90, y + ours.height))
        d.text((4, y + ours.height - 6), "%.3f" % s, fill=0)
        d.line((0, y, w, y), fill=180)
        y += ours.height * 2
    img.save(path)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("font_dir")
    ap.add_argument("out_dir")
    ap.add_argument("--count", type=int, default=1000)
    ap.add_argument("--threshold", type=float, default=0.90)
    ap.add_argument("--face", default="Devass03.ttf")
    args = ap.parse_args()
    os.makedirs(args.out_dir, exist_ok=True)
    ours_font = ImageFont.truetype(os.path.join(args.font_dir, args.face), SIZE, encoding="symb",
                                   layout_engine=ImageFont.Layout.BASIC)
    theirs_font = ImageFont.truetype(SOURCE, SIZE, layout_engine=ImageFont.Layout.RAQM)
    results = []
    for word, codes in words(args.count):
        ours_text = "".join(chr(0xF000 + b) for b in codes)
        width = int(max(ours_font.getlength(ours_text), theirs_font.getlength(word))) + SIZE
        ours, theirs = render(ours_text, ours_font, width), render(word, theirs_font, width)
        results.append((word, score(ours, theirs), ours, theirs))
    results.sort(key=lambda r: -r[1])
    with open(os.path.join(args.out_dir, "scores.tsv"), "w", encoding="utf-8") as f:
        for word, s, _, _ in results:
            f.write("%s\t%.4f\n" % (word, s))
    sheet(results[:20], os.path.join(args.out_dir, "best.png"))
    sheet(results[-20:], os.path.join(args.out_dir, "worst.png"))
    scores = [r[1] for r in results]
    n = len(scores)
    passing = sum(s >= args.threshold for s in scores)
    print("%d words drawn from codes in %s against HarfBuzz in %s" % (n, args.face, os.path.basename(SOURCE)))
    print("  lowest score %.3f; percentiles 1, 5, 10, 25, 50: %s" % (
        scores[-1], ", ".join("%.3f" % scores[min(n - 1, int(n * (1 - q / 100)))] for q in (1, 5, 10, 25, 50))))
    buckets = [(1.0, 0.99), (0.99, 0.97), (0.97, 0.95), (0.95, 0.90), (0.90, 0.80), (0.80, 0.0)]
    for hi, lo in buckets:
        k = sum(lo <= s < hi or (hi == 1.0 and s == 1.0) for s in scores)
        print("  score %.2f-%.2f: %4d" % (lo, hi, k))
    print("%.1f %% score at or above %.2f (sheets in %s)" % (100 * passing / n, args.threshold, args.out_dir))
    return 0 if passing >= 0.95 * n else 1


if __name__ == "__main__":
    sys.exit(main())
