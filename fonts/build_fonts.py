#!/usr/bin/python3
"""Builds the four Hindi display faces from free Unicode Devanagari fonts.

Each code of hindi/encoding.tsv gets one glyph, taken from a source font's own glyph set by
shaping the code's Devanagari with HarfBuzz (hb-shape): consonants, vowels, conjuncts and
half forms as the shaper draws them alone; vowel signs, reph, nukta and the other marks as
the shaper places them after the carrier consonant म, so that a mark drawn after a typical
consonant with a stem on its right sits where it should. Marks have no advance: their
outlines lie to the left of their origin, over or under the consonant before them.

The faces are symbol-encoded (cmap 3,0, codes at U+F000 + byte), so the bytes draw the same
glyphs whatever the system's ANSI code page. Codes below 0x40 and the non-Hindi bytes 49 5B 5D
7E (I [ ] ~) draw the ASCII characters, A8 B0 B8 and C0 to FF their Windows-1251 characters.

Usage: build_fonts.py OUTDIR [--table encoding.tsv]
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "hindi"))
from hindi_codec import read_encoding_table  # noqa: E402
NOTO = "/usr/share/fonts/truetype/noto/"
LOHIT = "/usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf"
CARRIER = "\u092E"     # म: a consonant of ordinary width with its stem on the right

# xAvgCharWidth as a share of the cell height (winAscent + winDescent). GDI scales a face
# horizontally so that this average matches the width asked for in CreateFontA: with 0.3 the
# program's 20 x 6 and 50 x 15 fonts draw the glyphs at their designed proportions.
FACES = [
    # The program registers Devass03.ttf first and asks for weights 100 and 500: Wine then
    # serves every non-bold request from the first registered non-bold face, Windows from the
    # nearest weight. With Devass03 regular and Devass02 bold both give Devass03 to all three
    # Hindi fonts: fontHindi 20 x 6 and fontCanvasHindi 50 x 15 (average 0.3 of the cell) and
    # fontHeadword 30 x 5 (0.167). One average must serve them all: 0.24 draws the 0.3 fonts
    # 1.25 times their design width and the headwords 0.69 times, both easy to read, where
    # either exact value would squeeze or stretch the other kind by 1.8.
    dict(file="Devass03.ttf", family="SS Devanagari Tolmi II", style="Regular", weight=400,
         source=NOTO + "NotoSansDevanagari-Regular.ttf", latin=NOTO + "NotoSans-Regular.ttf",
         avg_ratio=0.24),
    dict(file="Devass02.ttf", family="SS Devanagari Tolmi II", style="Bold", weight=700,
         source=NOTO + "NotoSansDevanagari-Bold.ttf", latin=NOTO + "NotoSans-Bold.ttf",
         avg_ratio=0.24, rakar_carrier="\u0928"),
    # The KEYB dialog's face at 12 points: natural metrics.
    dict(file="Dvdivyan.ttf", family="DV_Divya", style="Regular", weight=400,
         source=NOTO + "NotoSerifDevanagari-Regular.ttf", latin=NOTO + "NotoSerif-Regular.ttf",
         avg_ratio=None, rakar_from=NOTO + "NotoSansDevanagari-Regular.ttf"),
    dict(file="Dvnishan.ttf", family="Nishan Devanagari", style="Regular", weight=400,
         source=LOHIT, latin=NOTO + "NotoSans-Regular.ttf", avg_ratio=0.30,
         rakar_from=NOTO + "NotoSansDevanagari-Regular.ttf"),
]

# Marks: drawn after the carrier, no advance of their own.
MARK_KINDS = {"sign", "reph", "rakar"}


def read_table(path):
    rows = []
    for row in read_encoding_table(path):
        if len(row.codes) != 1:
            continue            # drawn by two codes side by side: no glyph of its own
        rows.append(dict(code=row.codes[0], kind=row.kind,
                         text="".join(chr(u) for u in row.unicode),
                         after=[chr(u) for u in row.after]))
    return rows


def shape_all(font_path, texts):
    """Shapes each text with hb-shape; returns one glyph list per text:
    (glyph name, x, y, advance) with x, y the glyph's absolute origin."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as f:
        f.write("\n".join(texts) + "\n")
        name = f.name
    try:
        out = subprocess.run(["hb-shape", "--output-format=json", "--text-file=" + name, font_path],
                             check=True, capture_output=True, text=True).stdout
    finally:
        os.unlink(name)
    result = []
    for line in out.strip().split("\n"):
        pen, glyphs = 0, []
        for g in json.loads(line):
            glyphs.append((g["g"], pen + g["dx"], g["dy"], g["ax"]))
            pen += g["ax"]
        result.append(glyphs)
    assert len(result) == len(texts), (font_path, len(result), len(texts))
    return result


def hull(points):
    pts = sorted(set(points))
    if len(pts) < 3:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])
    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


class Source:
    def __init__(self, path):
        self.path = path
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.upm = self.font["head"].unitsPerEm
        self.cmap = self.font.getBestCmap()

    def points(self, name):
        pen = DecomposingRecordingPen(self.glyphs)
        self.glyphs[name].draw(pen)
        return [p for _, args in pen.value for p in args]


def glyph_parts(src, row, shaped, rakar_src=None):
    """The source glyphs that make up this code's glyph: a list of (name, dx, dy) or of
    ('polygon', points), and the advance width."""
    kind, text = row["kind"], row["text"]
    carrier_char = row["after"][0] if row["after"] else CARRIER
    carrier = base_glyph(src, carrier_char)
    c_adv = src.font["hmtx"][carrier][0]
    if kind in MARK_KINDS or (kind == "matra" and text != "\u093F") or text == "\u0903":
        names = [g[0] for g in shaped]
        if carrier in names:
            # carrier first (marks and right-side signs): origin is the pen after it
            rest = [g for g in shaped if g[0] != carrier or g is not shaped[names.index(carrier)]]
            parts = [(g[0], g[1] - c_adv, g[2]) for g in rest]
            advance = sum(g[3] for g in rest)
            return parts, advance
        if len(shaped) == 1:
            glyf = src.font["glyf"]
            lig = shaped[0][0]
            g = glyf[lig]
            if g.isComposite():
                comps = [(c.glyphName, c.x, c.y) for c in g.components]
                cname = [c for c in comps if c[0] == carrier]
                if cname:
                    cx = cname[0][1]
                    badv = src.font["hmtx"][cname[0][0]][0]
                    return [(c[0], c[1] - cx - badv, c[2]) for c in comps if c is not cname[0]], 0
            # a ligature with the mark merged into it: the mark's points are those the
            # carrier lacks; their hull is the stroke (rakar). Where the source's ligatures
            # reshape the consonant too, the stroke is taken from a font that does not.
            if rakar_src is not None:
                sh = shape_all(rakar_src.path, [shaping_text(row)])[0]
                parts, adv = glyph_parts(rakar_src, row, sh)
                return [("from", rakar_src, parts, src.upm / rakar_src.upm)], adv
            have = set(src.points(carrier))
            new = [p for p in src.points(lig) if p not in have]
            badv = c_adv
            return [("polygon", [(x - badv, y) for x, y in hull(new)])], 0
        raise ValueError("cannot isolate %r from %r" % (text, shaped))
    if kind == "matra" and text == "\u093F":
        # the short-i sign comes out before the carrier
        rest = [g for g in shaped if g[0] != carrier]
        return [(g[0], g[1], g[2]) for g in rest], sum(g[3] for g in rest)
    parts = [(g[0], g[1], g[2]) for g in shaped if not (g[3] == 0 and g[0] in ("space", "uni200D"))]
    return parts, sum(g[3] for g in shaped)


def base_glyph(src, ch):
    if not ch:
        return None
    return src.cmap.get(ord(ch))


def shaping_text(row):
    kind, text = row["kind"], row["text"]
    if kind == "half":
        return text + "\u200D"
    if kind == "reph":
        return text + CARRIER
    if kind == "rakar":
        return (row["after"][0] if row["after"] else CARRIER) + text
    if kind == "matra" and text == "\u093F":
        return CARRIER + text
    if kind in MARK_KINDS or kind == "matra":
        return CARRIER + text
    return text


def draw_glyph(src, name, pen):
    """Draws a source glyph with its components resolved into plain contours."""
    rec = DecomposingRecordingPen(src.glyphs)
    src.glyphs[name].draw(rec)
    rec.replay(pen)


def draw_parts(pen, src, parts, scale=1.0):
    for p in parts:
        if p[0] == "from":
            draw_parts(pen, p[1], p[2], scale * p[3])
            continue
        if p[0] == "polygon":
            pts = [(round(x * scale), round(y * scale)) for x, y in p[1]]
            if len(pts) >= 3:
                pen.moveTo(pts[0])
                for q in pts[1:]:
                    pen.lineTo(q)
                pen.closePath()
            continue
        name, dx, dy = p
        draw_glyph(src, name, TransformPen(pen, (scale, 0, 0, scale, dx * scale, dy * scale)))


def build_face(face, rows, outdir):
    src = Source(face["source"])
    latin = Source(face["latin"]) if face["latin"] != face["source"] else src
    rakar_src = Source(face["rakar_from"]) if face.get("rakar_from") else None
    if face.get("rakar_carrier"):
        # the consonant whose ligature with rakar shows the stroke most cleanly
        rows = [dict(r, after=[face["rakar_carrier"]]) if r["kind"] == "rakar" and not r["after"]
                else r for r in rows]
    texts = [shaping_text(r) for r in rows]
    shaped = shape_all(face["source"], texts)

    order = [".notdef", "space"]
    outlines, advances, cmap = {}, {}, {}

    pen = TTGlyphPen(None)
    w = src.upm // 2
    pen.moveTo((50, 0)); pen.lineTo((50, 700)); pen.lineTo((w - 50, 700)); pen.lineTo((w - 50, 0))
    pen.closePath()
    pen.moveTo((100, 50)); pen.lineTo((w - 100, 50)); pen.lineTo((w - 100, 650)); pen.lineTo((100, 650))
    pen.closePath()
    outlines[".notdef"], advances[".notdef"] = pen.glyph(), w

    def add_other(code, ch):
        name = "ch%02X" % code
        gname = latin.cmap.get(ord(ch))
        scale = src.upm / latin.upm
        pen = TTGlyphPen(None)
        if gname is None:
            raise ValueError("%s lacks %r" % (face["latin"], ch))
        draw_glyph(latin, gname, TransformPen(pen, (scale, 0, 0, scale, 0, 0)))
        order.append(name)
        outlines[name] = pen.glyph()
        advances[name] = round(latin.glyphs[gname].width * scale)
        cmap[0xF000 + code] = name

    space = latin.cmap[0x20]
    outlines["space"] = TTGlyphPen(None).glyph()
    advances["space"] = round(latin.glyphs[space].width * src.upm / latin.upm)
    cmap[0xF020] = "space"
    for code in list(range(0x21, 0x40)) + [0x49, 0x5B, 0x5D, 0x7E]:
        add_other(code, chr(code))
    # Windows-1251 above the Hindi codes: a Russian letter inside a Hindi token draws as
    # itself rather than as an empty box
    for code in [0xA8, 0xB0, 0xB8] + list(range(0xC0, 0x100)):
        add_other(code, bytes([code]).decode("cp1251"))

    for row, sh in zip(rows, shaped):
        parts, adv = glyph_parts(src, row, sh, rakar_src)
        name = "h%02X" % row["code"]
        pen = TTGlyphPen(None)
        draw_parts(pen, src, parts)
        order.append(name)
        outlines[name] = pen.glyph()
        advances[name] = adv
        cmap[0xF000 + row["code"]] = name

    fb = FontBuilder(src.upm, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    glyf = fb.font["glyf"]
    ymax = max(glyf[n].yMax for n in order if glyf[n].numberOfContours)
    ymin = min(glyf[n].yMin for n in order if glyf[n].numberOfContours)
    metrics = {n: (advances[n], glyf[n].xMin if glyf[n].numberOfContours else 0) for n in order}
    fb.setupHorizontalMetrics(metrics)
    ascent, descent = ymax, -ymin
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent)
    spacing = [advances[n] for n in order if advances[n] > 0 and n.startswith("h")]
    natural = round(sum(spacing) / len(spacing))
    avg = round(face["avg_ratio"] * (ascent + descent)) if face["avg_ratio"] else natural
    bold = face["weight"] >= 600
    ps = (face["family"].replace(" ", "").replace("_", "") + "-" + face["style"])
    src_name = src.font["name"]
    copyright_src = src_name.getDebugName(0) or ""
    fb.setupNameTable(dict(
        copyright=copyright_src + " Modified into a byte-coded Hindi face for Vartolik, 2024.",
        familyName=face["family"], styleName=face["style"],
        uniqueFontIdentifier="Vartolik: " + face["family"] + " " + face["style"],
        fullName=face["family"] + (" " + face["style"] if face["style"] != "Regular" else ""),
        psName=ps, version="Version 1.000",
        licenseDescription="This Font Software is licensed under the SIL Open Font License, "
                           "Version 1.1. See OFL.txt beside the font.",
        licenseInfoURL="https://openfontlicense.org",
    ), windows=True, mac=False)
    fb.setupOS2(
        version=4, xAvgCharWidth=avg, usWeightClass=face["weight"], fsType=0,
        usWinAscent=ascent, usWinDescent=descent,
        sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
        sxHeight=round(src.upm * 0.45), sCapHeight=round(src.upm * 0.62),
        usFirstCharIndex=0xF020, usLastCharIndex=0xF0FF,
        ulCodePageRange1=1 << 31, ulCodePageRange2=0,
        ulUnicodeRange1=0, ulUnicodeRange2=0, ulUnicodeRange3=0, ulUnicodeRange4=0,
        fsSelection=(1 << 5) if bold else (1 << 6) if face["style"] == "Regular" else 0,
        achVendID="VRTK", usDefaultChar=0, usBreakChar=0x20, usMaxContext=1,
    )
    fb.setupPost(keepGlyphNames=False)
    fb.font["head"].macStyle = 1 if bold else 0
    fb.font["head"].fontRevision = 1.0
    # only a symbol subtable: the bytes select the glyphs under every code page
    fb.font["cmap"].tables = [t for t in fb.font["cmap"].tables if t.platformID == 3]
    for t in fb.font["cmap"].tables:
        t.platEncID = 0
    path = os.path.join(outdir, face["file"])
    fb.save(path)
    return dict(file=face["file"], ascent=ascent, descent=descent, avg=avg, natural=natural,
                upm=src.upm)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("outdir")
    ap.add_argument("--table", default=os.path.join(ROOT, "hindi", "encoding.tsv"))
    ap.add_argument("--only", help="build only this file")
    args = ap.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    rows = read_table(args.table)
    for face in FACES:
        if args.only and face["file"] != args.only:
            continue
        info = build_face(face, rows, args.outdir)
        print("%(file)s: upm %(upm)d, ascent %(ascent)d, descent %(descent)d, "
              "average width %(avg)d (natural %(natural)d)" % info)
    lic = os.path.join(HERE, "OFL.txt")
    with open(lic, encoding="utf-8") as f, open(os.path.join(args.outdir, "OFL.txt"), "w",
                                                 encoding="utf-8") as g:
        g.write(f.read())


if __name__ == "__main__":
    sys.exit(main())
